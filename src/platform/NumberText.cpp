#include "platform/NumberText.h"
#include "platform/AppError.h"
#include <cmath>
#include <limits>

namespace {
bool isSkipped(QChar c) { return c == ' ' || c == '\t' || c == '\n'; }   // a carriage return ends the number

// The leading number of the text, in the text's own characters, blanks left out.
QString leadingNumber(const QString& text, bool allowExponent) {
    QString out;
    bool digits = false, point = false;
    qsizetype i = 0;
    auto next = [&]() -> QChar {
        while (i < text.size() && isSkipped(text[i])) ++i;
        return i < text.size() ? text[i] : QChar();
    };
    QChar c = next();
    if (c == '+' || c == '-') { out += c; ++i; c = next(); }
    for (; !c.isNull(); c = next()) {
        if (c >= '0' && c <= '9') { out += c; digits = true; ++i; continue; }
        if (c == '.' && !point) { out += c; point = true; ++i; continue; }
        break;
    }
    if (!digits) return QString();
    if (allowExponent && (c == 'e' || c == 'E')) {
        const qsizetype save = i;
        QString exponent = "e";
        ++i;
        QChar s = next();
        if (s == '+' || s == '-') { exponent += s; ++i; s = next(); }
        bool any = false;
        while (!s.isNull() && s >= '0' && s <= '9') { exponent += s; any = true; ++i; s = next(); }
        if (any) out += exponent; else i = save;
    }
    return out;
}
}

double Val(const QString& text) {
    const QString number = leadingNumber(text, true);
    if (number.isEmpty()) return 0.0;
    const double value = number.toDouble();
    if (!std::isfinite(value)) raiseError(ErrorNo::Overflow);   // "1e400" is no number of ours
    return value;
}

namespace {
// The whole text as a decimal number in ten-thousandths, rounded a half away
// from zero; nothing when it is not a number. Overflow beyond any sum.
std::optional<MoneySum::Raw> decimalRaw(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    QString whole, fraction;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == '.' && !point) { point = true; continue; }
        if (c < '0' || c > '9') return std::nullopt;
        (point ? fraction : whole) += c;
    }
    if (whole.isEmpty() && fraction.isEmpty()) return std::nullopt;
    const bool roundUp = fraction.size() > 4 && fraction[4] >= '5';
    const QString digits = whole + fraction.left(4).leftJustified(4, '0');
    MoneySum::Raw raw = 0;
    for (QChar c : digits)
        if (__builtin_mul_overflow(raw, 10, &raw) || __builtin_add_overflow(raw, c.unicode() - '0', &raw))
            raiseError(ErrorNo::Overflow);
    if (roundUp && __builtin_add_overflow(raw, 1, &raw)) raiseError(ErrorNo::Overflow);
    return negative ? -raw : raw;
}
}  // namespace

std::optional<Currency> readDecimal(const QString& text) {
    const auto raw = decimalRaw(text);
    if (!raw) return std::nullopt;
    // The range is symmetric, as the money type's.
    constexpr std::int64_t Largest = std::numeric_limits<std::int64_t>::max();
    if (*raw > Largest || *raw < -Largest) raiseError(ErrorNo::Overflow);
    return Currency::fromRaw(std::int64_t(*raw));
}

MoneySum ValSum(const QString& text) {
    const QString number = leadingNumber(text, false);
    return number.isEmpty() ? MoneySum() : MoneySum::fromRaw(*decimalRaw(number));
}

Currency ValCurrency(const QString& text) {
    const QString number = leadingNumber(text, true);
    if (number.isEmpty()) return Currency();
    if (number.contains('e')) return Currency::fromDouble(number.toDouble());
    return *readDecimal(number);
}
