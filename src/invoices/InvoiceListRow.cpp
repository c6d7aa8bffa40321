#include "invoices/InvoiceListRow.h"
#include "common/Functions.h"
#include "customers/CustomerRecord.h"
#include "platform/FixedText.h"
#include "platform/ShortDate.h"
#include "widgets/ListKit.h"

namespace InvoiceList {
QStringList headers() {
    return {"Invoice No.", "Date", "Cust ID.", "Customer Name", "Amount", "Balance", "Notes"};
}
}  // namespace InvoiceList

void invoiceListRow(const InvoiceListEntry& v, ListKit::RowBuilder& row,
                    const std::optional<InvoiceCustomerCells>& customer) {
    char16_t text[32];
    row.reset();
    row.cell().addUtf8(v.invNo);
    row.cell();
    if (v.date.isValid()) row.add(text, shortDateInto(v.date, text));
    if (customer) {
        row.cell().add(customer->custId);
        row.cell().add(customer->name);
    } else {
        row.cell().addUtf8(v.custNo);
        row.cell().addUtf8(v.customerName);
    }
    row.cell().add(text, formatNumberRightInto(v.total, 7, 2, text));
    row.cell().add(text, formatNumberRightInto(v.balance, 7, 2, text));
    row.cell().addUtf8(v.notes);
    row.sortKey(ListKit::SortKey::date(v.date));
    row.sortKey(ListKit::SortKey::amount(v.total));
    row.sortKey(ListKit::SortKey::amount(v.balance));
}

std::optional<InvoiceCustomerCells> currentCustomerCells(const QString& custNo, bool trimmed) {
    const auto customer = loadCustomer(trimmed ? Trim(custNo) : custNo);
    if (!customer) return std::nullopt;
    const bool same = trimmed ? Trim(customer->custId) == Trim(custNo) : customer->custId == custNo;
    if (!same) return std::nullopt;
    return InvoiceCustomerCells{customer->custId, customer->lastName + ' ' + customer->firstName};
}

AfterAddRoute afterAddRoute(int invSaved, const QString& savedInvNo, const InvoiceTableMark& before,
                            const InvoiceTableMark& after, const QStringList& added) {
    // A number cut by the hand-over value is not the one on file.
    const QString saved = Trim(savedInvNo);
    if (invSaved == 1 && !saved.isEmpty() && after.rows == before.rows + 1 && added.size() == 1 && added[0] == saved)
        return AfterAddRoute::AddRow;
    if (invSaved == 1 || after != before) return AfterAddRoute::Reload;
    return AfterAddRoute::Unchanged;
}

QString invoiceRowKey(const QString& invNo) { return "I" + invNo; }
