#include "debtors/DebtorRecord.h"
#include "debtors/Ageing.h"
#include "platform/Database.h"
#include <vector>

namespace {
struct AgedRow {
    qint64 rowid;
    Ageing::Split split;
};

std::vector<AgedRow> agedRows(Database& db, const QDate& today) {
    std::vector<AgedRow> rows;
    Statement s(db, "SELECT rowid, \"Balance\", \"Date\" FROM \"Invoices\" WHERE \"Balance\" > 0");
    while (s.step())
        if (const auto split = Ageing::split(s.value(1), s.value(2), today))
            rows.push_back({s.value(0).toLongLong(), *split});
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
