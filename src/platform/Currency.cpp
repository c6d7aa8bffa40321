#include "platform/Currency.h"
#include "platform/AppError.h"
#include "platform/MoneySum.h"
#include "platform/NumberText.h"
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {
constexpr std::int64_t pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// QVariant::toString and toDouble of an amount give its number.
const bool convertersRegistered = QMetaType::registerConverter<Currency, QString>(&Currency::toText) &&
                                  QMetaType::registerConverter<Currency, double>(&Currency::toDouble);

// The range is symmetric: the one value without a negation is left out.
constexpr std::int64_t Lowest = std::numeric_limits<std::int64_t>::min();

std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_add_overflow(a, b, &r) || r == Lowest) raiseError(ErrorNo::Overflow);
    return r;
}
}

Currency Currency::fromUnits(std::int64_t units) {
    std::int64_t r;
    if (__builtin_mul_overflow(units, Scale, &r) || r == Lowest) raiseError(ErrorNo::Overflow);
    return fromRaw(r);
}

Currency Currency::fromDouble(double value) {
    const double scaled = std::round(value * Scale);  // std::round: half away from zero
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) raiseError(ErrorNo::Overflow);
    return fromRaw(static_cast<std::int64_t>(scaled));
}

Currency Currency::fromText(const QString& text) {
    const auto number = readDecimal(text);
    if (!number) raiseError(ErrorNo::TypeMismatch);
    return *number;
}

Currency Currency::rounded(int decimals) const {
    const std::int64_t step = pow10(4 - std::clamp(decimals, 0, 4));
    const std::int64_t magnitude = raw_ < 0 ? -raw_ : raw_;
    if (magnitude > std::numeric_limits<std::int64_t>::max() - step / 2) {
        if (magnitude % step == 0) return *this;
        raiseError(ErrorNo::Overflow);   // rounds beyond the largest amount
    }
    std::int64_t r = (magnitude + step / 2) / step * step;
    return fromRaw(raw_ < 0 ? -r : r);
}

// In the wider sum type, so that an amount next to the largest one still
// has a text when rounding takes it past what an amount holds.
QString Currency::toFixed(int decimals) const { return MoneySum(*this).toFixed(decimals); }

QString Currency::toText() const {
    // Built from the digits at once: exports write millions of these.
    const bool negative = raw_ < 0;
    std::uint64_t whole = negative ? std::uint64_t(-raw_) : std::uint64_t(raw_);
    int fraction = int(whole % Scale);
    whole /= Scale;
    int decimals = 4;
    for (; decimals > 0 && fraction % 10 == 0; --decimals) fraction /= 10;
    char text[32];
    char* start = std::end(text);
    for (int i = 0; i < decimals; ++i, fraction /= 10) *--start = char('0' + fraction % 10);
    if (decimals > 0) *--start = '.';
    do *--start = char('0' + whole % 10); while ((whole /= 10) > 0);
    if (negative) *--start = '-';
    return QString::fromLatin1(start, std::end(text) - start);
}

Currency Currency::operator+(Currency o) const { return fromRaw(checkedAdd(raw_, o.raw_)); }
Currency Currency::operator-(Currency o) const { return fromRaw(checkedAdd(raw_, -o.raw_)); }

Currency Currency::times(std::int64_t count) const {
    std::int64_t r;
    if (__builtin_mul_overflow(raw_, count, &r) || r == Lowest) raiseError(ErrorNo::Overflow);
    return fromRaw(r);
}

Currency Currency::percent(double rate) const {
    // Long double keeps every cent of amounts far beyond any invoice exact.
    const long double scaled = std::roundl(static_cast<long double>(raw_) * rate / 100.0L);
    if (!std::isfinite(static_cast<double>(scaled)) || std::fabs(static_cast<double>(scaled)) >= 9.2e18)
        raiseError(ErrorNo::Overflow);
    return fromRaw(static_cast<std::int64_t>(scaled));
}
