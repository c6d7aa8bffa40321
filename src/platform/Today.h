#pragma once
#include <QDate>
#include <optional>

// Today's date, as every rule that depends on it asks for it; a test fixes it.
namespace Today {
QDate date();
// A fixed date for tests; nothing gives the calendar's date again.
void fix(std::optional<QDate> date);
}
