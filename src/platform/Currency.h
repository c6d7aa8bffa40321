#pragma once
#include <QMetaType>
#include <QString>
#include <cstdint>
#include <compare>

// A money amount: a 64-bit count of ten-thousandths, so sums are exact.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { Currency c; c.raw_ = raw; return c; }
    static Currency fromUnits(std::int64_t units);
    // Rounds to four decimals, a half away from zero; Overflow when out of range.
    static Currency fromDouble(double value);
    // Exact decimal reading of a number text such as "-12.345"; TypeMismatch when it is none.
    static Currency fromText(const QString& text);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return double(raw_) / Scale; }
    // Rounded to the given decimals (0..4), a half away from zero.
    Currency rounded(int decimals) const;
    // Plain number text: "." as the point, no trailing zeros ("12.5", "-3", "0").
    QString toText() const;
    // Fixed decimals (0..4), rounded a half away from zero: "1234.50"; never fails.
    QString toFixed(int decimals) const;

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency operator-() const { return fromRaw(-raw_); }
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    // Amount times a whole count, exact.
    Currency times(std::int64_t count) const;
    // Amount times a rate in percent, rounded to four decimals.
    Currency percent(double rate) const;

    auto operator<=>(const Currency&) const = default;

private:
    std::int64_t raw_ = 0;
};

Q_DECLARE_METATYPE(Currency)
