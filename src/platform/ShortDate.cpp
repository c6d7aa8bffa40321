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

int shortDateInto(const QDate& date, char16_t* out) {
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1000 || year > 9999) {
        const QString text = shortDate(date);
        const int n = int(std::min<qsizetype>(text.size(), 16));
        std::copy_n(text.utf16(), n, out);
        return n;
    }
    const int digits[] = {day / 10, day % 10, -1, month / 10, month % 10, -1,
                          year / 1000, year / 100 % 10, year / 10 % 10, year % 10};
    for (int i = 0; i < 10; ++i) out[i] = digits[i] < 0 ? u'/' : char16_t(u'0' + digits[i]);
    return 10;
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

QDate storedIsoDate(std::string_view t) {
    const auto digits = [&](size_t from, size_t width) {
        int n = 0;
        for (size_t i = from; i < from + width; ++i) {
            if (t[i] < '0' || t[i] > '9') return -1;
            n = n * 10 + (t[i] - '0');
        }
        return n;
    };
    if (t.size() != 10 && (t.size() != 19 || t[10] != ' ' || t[13] != ':' || t[16] != ':')) return {};
    if (t[4] != '-' || t[7] != '-') return {};
    const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
    if (std::min({year, month, day}) < 0) return {};
    if (t.size() == 19) {
        const int hour = digits(11, 2), minute = digits(14, 2), second = digits(17, 2);
        if (std::min({hour, minute, second}) < 0 || !QTime(hour, minute, second).isValid()) return {};
    }
    return QDate(year, month, day);
}

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
