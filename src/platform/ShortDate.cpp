#include "platform/ShortDate.h"
#include "platform/Today.h"
#include <QHash>
#include <algorithm>

namespace {
// Lists and exports format and read dates by the hundred thousand: plain
// digit work, not the general date parser.
QString twoDigits(int n) { return QString(QChar('0' + n / 10)) + QChar('0' + n % 10); }
QString fourDigits(int n) { return twoDigits(n / 100 % 100) + twoDigits(n % 100); }

// The number in text[from, from + width) when every character is a digit, else -1.
int digitsAt(const QString& text, int from, int width) {
    int n = 0;
    for (int i = from; i < from + width; ++i) {
        const QChar c = text[i];
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}
}  // namespace

QString shortDate(const QDate& date) {
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999) return date.toString("dd/MM/yyyy");
    return twoDigits(date.day()) + '/' + twoDigits(date.month()) + '/' + fourDigits(date.year());
}

QDate parseShortDate(const QString& text) {
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, "dd/MM/yyyy");
    if (!d.isValid()) d = QDate::fromString(t, "d/M/yyyy");
    return d;
}

QDate storedDate(const QString& text, const QDate& fallback) {
    QDate date = parseShortDate(text);
    if (!date.isValid()) date = parseIsoDateTime(text.trimmed()).date();
    return date.isValid() ? date : fallback;
}

QString todayShortDate() { return shortDate(Today::date()); }

QString isoDate(const QDate& date) {
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999) return date.toString("yyyy-MM-dd");
    return fourDigits(date.year()) + '-' + twoDigits(date.month()) + '-' + twoDigits(date.day());
}

QString isoDateTime(const QDateTime& dateTime) {
    if (dateTime.time() == QTime(0, 0)) return isoDate(dateTime.date());
    return dateTime.toString("yyyy-MM-dd HH:mm:ss");
}

namespace {
QDateTime storedForm(const QString& text) {
    const bool dateOnly = text.size() == 10;
    if (!dateOnly && (text.size() != 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':')) return {};
    if (text[4] != '-' || text[7] != '-') return {};
    const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    const int hour = dateOnly ? 0 : digitsAt(text, 11, 2), minute = dateOnly ? 0 : digitsAt(text, 14, 2),
              second = dateOnly ? 0 : digitsAt(text, 17, 2);
    if (std::min({year, month, day, hour, minute, second}) < 0) return {};
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time);
}
}  // namespace

QDateTime parseIsoDateTime(const QString& text) {
    // A local date and time costs the C library a look at the time zone
    // file; a walk over a table meets the same few thousand dates again and again.
    thread_local QHash<QString, QDateTime> known;
    if (const auto it = known.constFind(text); it != known.constEnd()) return *it;
    const QDateTime stored = storedForm(text);
    if (stored.isValid()) {
        if (known.size() >= 8192) known.clear();
        known.insert(text, stored);
    }
    return stored;
}
