#pragma once
#include "platform/Currency.h"
#include <QMetaType>
#include <QString>

// The sum of stored amounts over any number of rows: ten-thousandths in 128
// bits. Every amount the money type holds, added up over more rows than a
// file can have, stays exact and never overflows, so a total never fails
// however large its invoices are. Its texts are those of an amount.
class MoneySum {
public:
    __extension__ using Raw = __int128;

    MoneySum() = default;
    // An amount is the sum of itself.
    MoneySum(Currency amount) : raw_(amount.raw()) {}
    static MoneySum fromRaw(Raw raw) { MoneySum s; s.raw_ = raw; return s; }
    Raw raw() const { return raw_; }

    // Overflow only beyond 1.7 x 10^34, which no count of stored amounts reaches.
    MoneySum& operator+=(const MoneySum& o);
    MoneySum& operator-=(const MoneySum& o);
    MoneySum operator+(const MoneySum& o) const { MoneySum s = *this; return s += o; }
    MoneySum operator-(const MoneySum& o) const { MoneySum s = *this; return s -= o; }
    bool operator==(const MoneySum& o) const { return raw_ == o.raw_; }

    // Rounded to the given decimals (0..4), a half away from zero; never fails.
    MoneySum rounded(int decimals) const;
    // Fixed decimals (0..4), rounded a half away from zero: "1844674407370955.14".
    QString toFixed(int decimals) const;
    // Plain number text: "." as the point, no trailing zeros ("12.5", "-3", "0").
    QString toText() const;

private:
    Raw raw_ = 0;
};

Q_DECLARE_METATYPE(MoneySum)
