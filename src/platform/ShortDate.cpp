#include "platform/ShortDate.h"

QString shortDate(const QDate& date) { return date.toString("dd/MM/yyyy"); }

QDate parseShortDate(const QString& text) {
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, "dd/MM/yyyy");
    if (!d.isValid()) d = QDate::fromString(t, "d/M/yyyy");
    return d;
}

QString todayShortDate() { return shortDate(QDate::currentDate()); }

QString isoDate(const QDate& date) { return date.toString("yyyy-MM-dd"); }

QString isoDateTime(const QDateTime& dateTime) {
    if (dateTime.time() == QTime(0, 0)) return isoDate(dateTime.date());
    return dateTime.toString("yyyy-MM-dd HH:mm:ss");
}

QDateTime parseIsoDateTime(const QString& text) {
    QDateTime dt = QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
    if (!dt.isValid()) dt = QDateTime(QDate::fromString(text, "yyyy-MM-dd"), QTime(0, 0));
    return dt;
}
