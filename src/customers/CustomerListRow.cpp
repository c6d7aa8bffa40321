#include "customers/CustomerListRow.h"
#include "widgets/ListKit.h"

namespace {
bool holdsMoreThanBlanks(std::string_view text) { return text.find_first_not_of(' ') != std::string_view::npos; }
}  // namespace

void customerListRow(const CustomerListEntry& c, ListKit::RowBuilder& row) {
    row.reset();
    row.cell().addUtf8(c.custId);
    row.cell().addUtf8(c.lastName).add(u", ").addUtf8(c.firstName);
    row.cell().addUtf8(c.phone);
    row.cell();
    for (std::string_view part : {c.address, c.address2, c.city, c.address4}) {
        row.addUtf8(part);
        if (holdsMoreThanBlanks(part)) row.add(u",  ");
    }
    row.addUtf8(c.postcode);
}

QString customerRowKey(const QString& custId) { return "C" + custId; }
