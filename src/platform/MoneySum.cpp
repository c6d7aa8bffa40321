#include "platform/MoneySum.h"
#include "platform/AppError.h"
#include <algorithm>
#include <iterator>

namespace {
using Unsigned = unsigned __int128;

Unsigned pow10(int n) {
    Unsigned p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

Unsigned magnitude(MoneySum::Raw raw) { return raw < 0 ? -Unsigned(raw) : Unsigned(raw); }

// The digits of a whole number, at least `least` of them, in front of end.
char* digitsBefore(char* end, Unsigned value, int least = 1) {
    for (int written = 0; written < least || value > 0; ++written, value /= 10) *--end = char('0' + int(value % 10));
    return end;
}
}  // namespace

MoneySum& MoneySum::operator+=(const MoneySum& o) {
    if (__builtin_add_overflow(raw_, o.raw_, &raw_)) raiseError(ErrorNo::Overflow);
    return *this;
}

MoneySum& MoneySum::operator-=(const MoneySum& o) {
    if (__builtin_sub_overflow(raw_, o.raw_, &raw_)) raiseError(ErrorNo::Overflow);
    return *this;
}

MoneySum MoneySum::rounded(int decimals) const {
    const Unsigned step = pow10(4 - std::clamp(decimals, 0, 4));
    const Raw r = Raw((magnitude(raw_) + step / 2) / step * step);   // a half away from zero
    return fromRaw(raw_ < 0 ? -r : r);
}

QString MoneySum::toFixed(int decimals) const {
    decimals = std::clamp(decimals, 0, 4);
    const Unsigned step = pow10(4 - decimals);
    const Unsigned rounded = (magnitude(raw_) + step / 2) / step;   // a half away from zero
    char text[48];
    char* start = std::end(text);
    if (decimals > 0) {
        start = digitsBefore(start, rounded % pow10(decimals), decimals);
        *--start = '.';
    }
    start = digitsBefore(start, rounded / pow10(decimals));
    if (raw_ < 0 && rounded != 0) *--start = '-';
    return QString::fromLatin1(start, std::end(text) - start);
}

QString MoneySum::toText() const {
    Unsigned fraction = magnitude(raw_) % Currency::Scale;
    int decimals = 4;
    for (; decimals > 0 && fraction % 10 == 0; --decimals) fraction /= 10;
    char text[48];
    char* start = std::end(text);
    if (decimals > 0) {
        start = digitsBefore(start, fraction, decimals);
        *--start = '.';
    }
    start = digitsBefore(start, magnitude(raw_) / Currency::Scale);
    if (raw_ < 0) *--start = '-';
    return QString::fromLatin1(start, std::end(text) - start);
}
