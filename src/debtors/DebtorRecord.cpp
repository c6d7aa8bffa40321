#include "debtors/DebtorRecord.h"
#include "debtors/Ageing.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/Database.h"
#include "platform/FieldValue.h"
#include "platform/Schema.h"
#include <vector>

namespace {
struct AgedRow {
    qint64 rowid;
    Ageing::Split split;
};

// A stored part of the split that already holds the amount: Null does not.
bool holds(const QVariant& stored, const Currency& amount) {
    return !FieldValue::isNull(stored) && Field_To_Currency(stored) == amount;
}

// The unpaid invoices whose stored split is not yet today's: rewriting the
// others would change nothing.
std::vector<AgedRow> agedRows(Database& db, const QDate& today) {
    std::vector<AgedRow> rows;
    Statement s(db, "SELECT rowid, \"Balance\", \"Date\", \"Balance1\", \"Balance2\", \"Balance3\" "
                    "FROM \"Invoices\" WHERE \"Balance\" > 0");
    while (s.step()) {
        const auto split = Ageing::split(s.value(1), s.value(2), today);
        if (!split) continue;
        if (holds(s.value(3), split->upTo30) && holds(s.value(4), split->from31To60) &&
            holds(s.value(5), split->from61))
            continue;
        rows.push_back({s.value(0).toLongLong(), *split});
    }
    return rows;
}
}  // namespace

void writeAgedBalances(const QDate& today, Database& db) {
    Transaction tx(db);
    Statement update(db, "UPDATE \"Invoices\" SET \"Balance1\" = ?, \"Balance2\" = ?, \"Balance3\" = ? WHERE rowid = ?");
    for (const AgedRow& row : agedRows(db, today)) {
        update.reset();
        update.bindAll({QVariant::fromValue(row.split.upTo30), QVariant::fromValue(row.split.from31To60),
                        QVariant::fromValue(row.split.from61), row.rowid});
        update.run();
    }
    tx.commit();
}

void writeAgedBalances(const QDate& today) { writeAgedBalances(today, Database::shared()); }

namespace {
QString textOf(const QVariant& v) { return Field_To_String(v); }
}  // namespace

DebtorTotals readDebtors(const QDate& today, const std::function<void(const DebtorEntry&)>& each, Database& db) {
    // Each invoice's customer is found on the customers' key; an invoice
    // without one still counts in the totals.
    Statement s(db,
                "SELECT i.\"Balance\", i.\"Date\", i.\"InvNo\", i.\"Notes\", i.\"ReminderSent\", c.rowid, "
                "c.\"CustID\", c.\"LastName\", c.\"FirstName\", c.\"Phone\" "
                "FROM \"Invoices\" AS i LEFT JOIN \"Customers\" AS c ON c.\"CustID\" = i.\"CustNo\" "
                "WHERE i.\"Balance\" > 0 ORDER BY i.rowid");
    DebtorTotals totals;
    DebtorEntry entry;
    while (s.step()) {
        const auto split = Ageing::split(s.value(0), s.value(1), today);
        if (!split) continue;
        totals.upTo30 += split->upTo30;
        totals.from31To60 += split->from31To60;
        totals.from61 += split->from61;
        if (FieldValue::isNull(s.value(5))) continue;
        entry.split = *split;
        entry.invNo = textOf(s.value(2));
        entry.notes = textOf(s.value(3));
        entry.remindersSent = FieldValue::isNull(s.value(4)) ? 0 : s.value(4).toInt();
        entry.custId = textOf(s.value(6));
        entry.lastName = textOf(s.value(7));
        entry.firstName = textOf(s.value(8));
        entry.phone = textOf(s.value(9));
        each(entry);
    }
    return totals;
}

DebtorTotals readDebtors(const QDate& today, const std::function<void(const DebtorEntry&)>& each) {
    return readDebtors(today, each, Database::shared());
}

QString letterAddressBlock(const QString& address, const QString& address2, const QString& city,
                           const QString& address4, const QString& postcode) {
    QString block = address;
    for (const QString* line : {&address2, &city, &address4, &postcode})
        if (!line->isEmpty()) block += "\r\n" + *line;
    return block;
}

namespace {
// Whether the file's Letters table is the one the program makes now.
bool lettersTableAsMade(Database& db, const Schema::Table& letters) {
    Statement stored(db, "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    stored.bind(1, letters.name);
    return stored.step() && stored.value(0).toString() == Schema::createTableSql(letters);
}
}  // namespace

void renewOlderLettersTable(Database& db) {
    const Schema::Table& letters = *Schema::table("Letters");
    if (lettersTableAsMade(db, letters)) return;
    Transaction tx(db);
    db.exec("DROP TABLE IF EXISTS " + Schema::quoted(letters.name));
    db.exec(Schema::createTableSql(letters));
    for (const Schema::Index& index : letters.indexes) db.exec(Schema::createIndexSql(letters, index));
    tx.commit();
}

void renewOlderLettersTable() { renewOlderLettersTable(Database::shared()); }

std::vector<QString> writeLetters(const std::vector<LetterChoice>& choices, Database& db) {
    Transaction tx(db);
    renewOlderLettersTable(db);
    // The table holds the letters of one printing: the last printing's go.
    // Emptied, not made anew, so whatever else is open on the file meanwhile
    // cannot stand in the way.
    db.exec("DELETE FROM " + Schema::quoted(Schema::table("Letters")->name));

    Statement customer(db, "SELECT \"CustID\", \"FirstName\", \"LastName\", \"Address\", \"Address2\", \"City\", "
                           "\"address4\", \"Postcode\" FROM \"Customers\" WHERE \"CustID\" = ? LIMIT 1");
    Statement invoice(db, "SELECT \"InvNo\", \"Date\", \"Total\", \"Paid\", \"WrittenOff\", \"Balance\" "
                          "FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1");
    Statement add(db, "INSERT INTO \"Letters\" (\"CustID\", \"FirstName\", \"Address\", \"InvNo\", \"Date\", "
                      "\"Total\", \"Paid\", \"WrittenOff\", \"Balance\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::vector<QString> written;
    for (const LetterChoice& choice : choices) {
        customer.reset();
        customer.bind(1, choice.custId);
        invoice.reset();
        invoice.bind(1, choice.invNo);
        // A letter needs both: a row whose customer or invoice has gone is left out.
        if (!customer.step() || !invoice.step()) continue;
        const QVariant first = customer.value(1), last = customer.value(2);
        const QVariant name = FieldValue::isNull(first) || FieldValue::isNull(last)
                                  ? QVariant()
                                  : QVariant(first.toString() + " " + last.toString());
        const QString block = letterAddressBlock(textOf(customer.value(3)), textOf(customer.value(4)),
                                                 textOf(customer.value(5)), textOf(customer.value(6)),
                                                 textOf(customer.value(7)));
        add.reset();
        add.bindAll({customer.value(0), name, block, invoice.value(0), invoice.value(1), invoice.value(2),
                     invoice.value(3), invoice.value(4), invoice.value(5)});
        add.run();
        written.push_back(choice.invNo);
    }
    tx.commit();
    return written;
}

std::vector<QString> writeLetters(const std::vector<LetterChoice>& choices) {
    return writeLetters(choices, Database::shared());
}

void addReminderSent(const std::vector<QString>& invNos, Database& db) {
    Transaction tx(db);
    Statement update(db, "UPDATE \"Invoices\" SET \"ReminderSent\" = COALESCE(\"ReminderSent\", 0) + 1 "
                         "WHERE rowid = (SELECT rowid FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1)");
    for (const QString& invNo : invNos) {
        update.reset();
        update.bind(1, invNo);
        update.run();
    }
    tx.commit();
}

void addReminderSent(const std::vector<QString>& invNos) { addReminderSent(invNos, Database::shared()); }

bool writeDebtorstart(int value, Database& db) {
    Statement first(db, "SELECT rowid FROM \"System\" ORDER BY rowid LIMIT 1");
    if (!first.step()) return false;
    Statement update(db, "UPDATE \"System\" SET \"Debtorstart\" = ? WHERE rowid = ?");
    update.bindAll({QString::number(value), first.value(0)});
    update.run();
    gSettings.Debtorstart = value;
    return true;
}

bool writeDebtorstart(int value) { return writeDebtorstart(value, Database::shared()); }
