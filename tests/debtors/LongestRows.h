#pragma once
// Stored rows whose every text is as long as its column holds (a value saved
// whole by an editor, restored from a backup or imported): what the reports
// and the reminder letter must print whole, with their blanks, as unbroken
// words or as runs of the widest letter. Shared by the report tests and
// tools/render_reports.
#include "invoices/LongestValues.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Schema.h"
#include <QDate>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace longest {

struct StoredRow {
    QString table;
    QStringList columns;
    std::vector<QVariant> values;
};

inline QVariant money(const char* text) { return QVariant::fromValue(Currency::fromText(text)); }

// The rows with every text made of WidestMark and as long as its column
// holds. A key and the texts that refer to it stay apart from the other keys
// and keep pointing at the same row: the first key of a column is all marks,
// the others end in a number of their own.
inline std::vector<StoredRow> widest(std::vector<StoredRow> rows) {
    std::map<QString, QString> keys;   // a stored key, as it becomes
    std::set<QString> columnsWithKeys;
    for (StoredRow& row : rows) {
        const Schema::Table& table = *Schema::table(row.table);
        for (qsizetype c = 0; c < row.columns.size(); ++c) {
            const Schema::Column& column = *table.column(row.columns.at(c));
            if (column.type != Schema::Type::Text) continue;
            QVariant& value = row.values.at(size_t(c));
            const QString run(column.size, WidestMark);
            const bool isKey = std::any_of(table.indexes.begin(), table.indexes.end(), [&](const Schema::Index& i) {
                return i.column.compare(column.name, Qt::CaseInsensitive) == 0;
            });
            if (!isKey) {
                value = run;
                continue;
            }
            const bool firstOfColumn = columnsWithKeys.insert(table.name + '.' + column.name).second;
            auto [found, added] = keys.emplace(value.toString(), QString());
            if (added) {
                const QString number = firstOfColumn ? QString() : QString::number(keys.size());
                found->second = run.left(run.size() - number.size()) + number;
            }
            value = found->second;
        }
    }
    return rows;
}

// count customers, one invoice of each (a debt, with eight lines) and count
// items, dated one a day from the first; every amount as large as the
// editors take, so that a column's sum has nine digits before the point
// from eleven rows on.
inline std::vector<StoredRow> rows(int count, const QDate& first, Words words = Words::Spaced) {
    const auto w = [words](const QString& text) { return QVariant(in(words, text)); };
    const QString notes = "Deliver to the side gate between eight and ten in the morning; ring the bell twice and "
                          "wait. Leave nothing with the neighbours at number 12. Call first on the mobile number, "
                          "never the landline, please.";
    const QString description = "Terracotta planter, hand thrown, frost proof, with drainage holes and matching "
                                "saucer, extra large, glazed in deep blue; delivered on a pallet with protective "
                                "wrapping and a full three-year guarantee.";
    const QString phone = "+44 (0)1903 555 123 ext. 45678 or 555 124 ext. 456";
    std::vector<StoredRow> out;
    for (int i = 0; i < count; ++i) {
        const QString custId = QString("WETHERINGTON-GARDEN-CENTRE-WORCESTERSHIRE-%1").arg(i, 8, 10, QChar('0'));
        const QString invNo = QString("INV-WETHERINGTON-GARDEN-CENTRE-2026-11-%1").arg(i, 11, 10, QChar('0'));
        const QDate date = first.addDays(i);
        out.push_back({"Customers",
                       {"CustID", "Date", "FirstName", "LastName", "Address", "Address2", "City", "address4",
                        "Postcode", "Phone", "Mobile", "Fax", "Email", "notes"},
                       {custId, date, w("Bartholomew Alexander Fitzwilliam Wetherington-Smy"),
                        w("Montgomery Worthington-Featherstonehaugh Cholmonde"),
                        w("Flat 12, Wetherington Mansions, 147 Montgomery Rd."),
                        w("Great Wetherington-upon-Severn Industrial Estates."),
                        w("Worcestershire and Warwickshire Border Regions Nth"),
                        w("United Kingdom of Great Britain and North Ireland."),
                        w("WR14 9WW Worcester Mail Centre Delivery Office Box"), w(phone),
                        w("+44 (0)7700 900 456 or +44 (0)7700 900 457 ext. 12"),
                        w("+44 (0)1903 555 124 ext. 45679 or 555 125 ext. 457"),
                        "accounts.receivable.departments@wetherington.co.uk", w(notes.left(200))}});
        out.push_back({"Invoices",
                       {"InvNo", "Date", "CustNo", "CustomerName", "Phone", "Subtotal", "Vat", "Total", "WrittenOff",
                        "Paid", "Balance", "Balance1", "Balance2", "Balance3", "Notes"},
                       {invNo, date, custId, w("Bartholomew Fitzgerald-Montgomery Wetherington Jr."), w(phone),
                        money("9999999.99"), money("-9999999.99"), money("9999999.99"), money("9999999.99"),
                        money("-9999999.99"), money("9999999.99"), money("9999999.99"), money("9999999.99"),
                        money("9999999.99"), w(notes.left(150))}});
        for (int l = 0; l < InvoiceOnScreen::Rows; ++l)
            out.push_back({"InvoiceD",
                           {"InvNo", "PartID", "Qty", "Description", "Amount", "Total"},
                           {invNo, QString("MW-TERRACOTTA-PLANTER-HAND-THROWN-XL-BLUE-%1").arg(l, 8, 10, QChar('0')),
                            9999, w(description.left(200)), money("-9999999.99"), money("-9999999.99")}});
        out.push_back({"Parts",
                       {"ID", "ShortDesc", "Desc", "Price", "Taxable"},
                       {QString("MW-TERRACOTTA-PLANTER-HAND-THROWN-XL-BLUE-%1").arg(i, 8, 10, QChar('0')),
                        w("Terracotta planter XL blue"), w(description.left(200)), money("-9999999.99"), 1}});
    }
    return words == Words::Widest ? widest(std::move(out)) : out;
}

// The rows written into their tables, in one transaction.
inline void store(const std::vector<StoredRow>& rows) {
    Transaction tx;
    for (const StoredRow& row : rows) {
        QStringList quoted, places;
        for (const QString& c : row.columns) {
            quoted << '"' + c + '"';
            places << "?";
        }
        Statement(Database::shared(),
                  QString("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(row.table, quoted.join(','), places.join(',')))
            .bindAll(row.values)
            .run();
    }
    tx.commit();
}

}  // namespace longest
