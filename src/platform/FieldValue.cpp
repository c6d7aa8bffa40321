#include "platform/FieldValue.h"
#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include <cmath>

namespace FieldValue {
namespace {

bool isCurrency(const QVariant& v) { return v.userType() == qMetaTypeId<Currency>(); }

bool isDate(const QVariant& v) {
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

QString asText(const QVariant& v) {
    if (isCurrency(v)) return v.value<Currency>().toText();
    if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::QDate) return shortDate(v.toDate());
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? shortDate(dt.date())
                                        : shortDate(dt.date()) + ' ' + dt.time().toString("HH:mm:ss");
    }
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? "True" : "False";
    return v.toString();
}

Currency asCurrency(const QVariant& v) {
    if (isCurrency(v)) return v.value<Currency>();
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) return Currency::fromDouble(v.toDouble());
    if (v.typeId() == QMetaType::Bool) return Currency::fromUnits(v.toBool() ? -1 : 0);
    if (isNumeric(v)) return Currency::fromUnits(v.toLongLong());
    if (isDate(v)) raiseError(ErrorNo::TypeMismatch);
    return Currency::fromText(v.toString());
}

qint32 asInteger(const QVariant& v) {
    // Whole-number conversion rounds a half to the even neighbour.
    const double d = isCurrency(v) ? v.value<Currency>().toDouble()
                   : (v.typeId() == QMetaType::Double) ? v.toDouble()
                   : isNumeric(v) ? double(v.toLongLong())
                   : asCurrency(v).toDouble();
    const double r = std::nearbyint(d);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0) raiseError(ErrorNo::Overflow);
    return qint32(r);
}

double asDouble(const QVariant& v) {
    if (isCurrency(v)) return v.value<Currency>().toDouble();
    if (v.typeId() == QMetaType::Double || isNumeric(v)) return v.toDouble();
    const QString t = v.toString().trimmed();
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d)) raiseError(ErrorNo::TypeMismatch);   // "inf" and "nan" are no numbers here
    return d;
}

QDateTime asDate(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return QDateTime(v.toDate(), QTime(0, 0));
    const QString t = v.toString().trimmed();
    QDateTime dt = QDateTime(parseShortDate(t), QTime(0, 0));
    if (!dt.isValid()) dt = parseIsoDateTime(t);
    if (!dt.isValid()) raiseError(ErrorNo::TypeMismatch);
    return dt;
}
}  // namespace

QVariant defaultValue(const Schema::Column& column) {
    switch (column.type) {
    case Schema::Type::Integer: return 0;
    case Schema::Type::Currency: return QVariant::fromValue(Currency());
    case Schema::Type::Double: return 0.0;
    case Schema::Type::Text:
    case Schema::Type::Date: break;
    }
    return QVariant();
}

bool isNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

bool isNumeric(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::UInt:
    case QMetaType::ULongLong: case QMetaType::Double: case QMetaType::Float:
        return true;
    default:
        return isCurrency(v);
    }
}

QVariant toColumn(const Schema::Column& column, const QVariant& value) {
    if (isNull(value)) return QVariant();
    switch (column.type) {
    case Schema::Type::Text: {
        const QString t = asText(value);
        if (t.size() > column.size)
            raiseError(ErrorNo::FieldTooSmall,
                       QString("The field '%1' is too small to accept the amount of data you attempted to add "
                               "(at most %2 characters).").arg(column.name).arg(column.size));
        return t;
    }
    case Schema::Type::Integer: return asInteger(value);
    case Schema::Type::Currency: return QVariant::fromValue(asCurrency(value));
    case Schema::Type::Double: return asDouble(value);
    case Schema::Type::Date: return asDate(value);
    }
    return value;
}

}  // namespace FieldValue
