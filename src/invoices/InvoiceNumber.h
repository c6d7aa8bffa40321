#pragma once
#include <QString>
#include <functional>
#include <optional>

// The automatic number a new record is offered: the prefix and the counter,
// or, when a record already holds that number, the next counter after it that
// is free. Nothing when every counter of that width is in use.
using NumberInUse = std::function<bool(const QString& number)>;
std::optional<QString> firstFreeNumber(const QString& prefix, const QString& start, const NumberInUse& inUse);

// The number offered for a new invoice from the invoice settings.
std::optional<QString> proposeInvoiceNumber(const QString& prefix, const QString& start);
