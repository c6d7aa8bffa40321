#include "debtors/Ageing.h"
#include "common/Functions.h"
#include "platform/FieldValue.h"

namespace Ageing {

qint64 ageInDays(const QDateTime& invoiceDate, const QDate& today) {
    constexpr qint64 half = 12LL * 60 * 60 * 1000;
    const qint64 wholeDays = invoiceDate.date().daysTo(today);
    const qint64 partOfDay = invoiceDate.time().msecsSinceStartOfDay();
    if (partOfDay < half) return wholeDays;
    if (partOfDay > half) return wholeDays - 1;
    // Exactly half a day past midnight: between wholeDays - 1 and wholeDays.
    return wholeDays % 2 == 0 ? wholeDays : wholeDays - 1;
}

Bucket bucketOf(qint64 age) {
    if (age < 0) return Bucket::None;
    if (age <= 30) return Bucket::UpTo30;
    if (age <= 60) return Bucket::From31To60;
    return Bucket::From61;
}

std::optional<Split> split(const QVariant& balance, const QVariant& invoiceDate, const QDate& today) {
    if (FieldValue::isNull(balance) || FieldValue::isNull(invoiceDate)) return std::nullopt;
    const Currency amount = Field_To_Currency(balance);
    if (amount <= Currency()) return std::nullopt;
    const QDateTime date = invoiceDate.toDateTime();
    if (!date.isValid()) return std::nullopt;
    Split s;
    s.bucket = bucketOf(ageInDays(date, today));
    switch (s.bucket) {
    case Bucket::None: return std::nullopt;
    case Bucket::UpTo30: s.upTo30 = amount; break;
    case Bucket::From31To60: s.from31To60 = amount; break;
    case Bucket::From61: s.from61 = amount; break;
    }
    return s;
}

}  // namespace Ageing
