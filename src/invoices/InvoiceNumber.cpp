#include "invoices/InvoiceNumber.h"
#include "common/Numbering.h"
#include "invoices/InvoiceRecord.h"
#include <QSet>

std::optional<QString> firstFreeNumber(const QString& prefix, const QString& start, const NumberInUse& inUse) {
    QSet<QString> tried;
    QString counter = start;
    // The counters follow the advance after a save until they come round again.
    while (!tried.contains(counter)) {
        const QString number = prefix + counter;
        if (!inUse(number)) return number;
        tried.insert(counter);
        counter = nextStartNumber(number, counter);
    }
    return std::nullopt;
}

std::optional<QString> proposeInvoiceNumber(const QString& prefix, const QString& start) {
    return firstFreeNumber(prefix, start, invoiceNumberInUse);
}
