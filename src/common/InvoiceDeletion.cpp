#include "common/InvoiceDeletion.h"
#include "common/Functions.h"
#include "platform/Database.h"
#include "platform/FixedText.h"
#include "platform/Schema.h"

void deleteInvoiceLines(const QString& invNo) {
    Statement(Database::shared(), "DELETE FROM \"InvoiceD\" WHERE " + Schema::exactlyEqual("InvNo", 1))
        .bind(1, invNo)
        .run();
}

std::optional<Currency> deleteInvoiceAndLines(const QString& headerNo, LinesWithoutHeader orphans) {
    Database& db = Database::shared();
    Transaction transaction(db);
    std::optional<qint64> row;
    std::optional<Currency> balance;
    {
        Statement header(db, "SELECT rowid, \"Balance\" FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1");
        header.bind(1, headerNo);
        if (header.step()) {
            row = header.value(0).toLongLong();
            balance = Field_To_Currency(header.value(1));
        }
    }
    if (!row && orphans == LinesWithoutHeader::Keep) return std::nullopt;
    if (row) Statement(db, "DELETE FROM \"Invoices\" WHERE rowid = ?").bind(1, *row).run();
    deleteInvoiceLines(Trim(headerNo));
    transaction.commit();
    return balance;
}
