#pragma once
#include "platform/Currency.h"
#include <QDate>
#include <QVariant>
#include <optional>

// The one ageing rule of the program: the debtors window, the debtors
// report and the debtors export all split unpaid balances by it.
namespace Ageing {

enum class Bucket { None, UpTo30, From31To60, From61 };

// Today minus the invoice's date, in whole days: a time of day makes part of
// a day, and half a day rounds to the even number. Wide enough for any date.
qint64 ageInDays(const QDateTime& invoiceDate, const QDate& today);

// 0 to 30 days, 31 to 60, 61 and more; a negative age is in no bucket.
Bucket bucketOf(qint64 ageInDays);

// A balance split over the three buckets: all of it in its one bucket.
struct Split {
    Currency upTo30;
    Currency from31To60;
    Currency from61;
    Bucket bucket = Bucket::None;
};

// The split of an invoice's balance, as read from its row: nothing when the
// invoice is not aged (a balance that is Null, 0 or below) or falls in no
// bucket (dated after today, or not dated at all).
std::optional<Split> split(const QVariant& balance, const QVariant& invoiceDate, const QDate& today);

}  // namespace Ageing
