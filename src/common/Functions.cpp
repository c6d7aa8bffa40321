#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/BusyCursor.h"
#include "platform/Database.h"
#include "platform/FieldValue.h"
#include "platform/FixedText.h"
#include "platform/NumberText.h"
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

QString TableSource;
int DatabaseReady = 0;
int ActivateCount = 0;
QString ShapeSql;
std::shared_ptr<ShapeRecordset> ShapeRs;

namespace Connections {
namespace {
bool jet = false;
bool shape = false;

void closeWhenUnused() {
    if (!jet && !shape) Database::shared().close();
}
}

void openJet(const QString& databasePath) {
    Database::shared().open(databasePath);
    jet = true;
}

void openShape() {
    Database::shared().handle();  // the file must be open already
    shape = true;
}

void closeJet() { jet = false; closeWhenUnused(); }
void closeShape() { shape = false; closeWhenUnused(); }
bool jetOpen() { return jet; }
bool shapeOpen() { return shape && Database::shared().isOpen(); }
}

bool Open_Shape_Recordset(const QString& sql, std::shared_ptr<ShapeRecordset>& rs) {
    return Open_Shape_Recordset(sql, {}, rs);
}

bool Open_Shape_Recordset(const QString& sql, const std::vector<QVariant>& values,
                          std::shared_ptr<ShapeRecordset>& rs) {
    if (!Connections::shapeOpen()) return false;
    rs = std::make_shared<ShapeRecordset>();
    try {
        rs = openShape(Database::shared(), sql, values);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

ShapeRsRelease::~ShapeRsRelease() {
    if (rs_) rs_->close();
    rs_.reset();
    for (std::shared_ptr<ShapeRecordset>* holder : holders_) holder->reset();
}

QString Field_To_String(const QVariant& v) {
    if (FieldValue::isNull(v)) return QString();
    static const Schema::Column anyText{"", Schema::Type::Text, INT32_MAX, true};
    return FieldValue::toColumn(anyText, v).toString();
}

::Currency Field_To_Currency(const QVariant& v) {
    if (FieldValue::isNull(v)) return {};
    static const Schema::Column anyAmount{"", Schema::Type::Currency, 0, true};
    return FieldValue::toColumn(anyAmount, v).value<::Currency>();
}

namespace {
// A plain decimal text ("-12.345") rounded to the given decimals, a half away
// from zero, with exactly that many decimals.
QString roundedDecimalText(const QString& plain, int decimals) {
    const bool negative = plain.startsWith('-');
    const QString unsigned_ = negative ? plain.mid(1) : plain;
    const qsizetype point = unsigned_.indexOf('.');
    const QString whole = point < 0 ? unsigned_ : unsigned_.left(point);
    const QString fraction = point < 0 ? QString() : unsigned_.mid(point + 1);
    QString digits = whole + fraction.left(decimals).leftJustified(decimals, '0');
    if (fraction.size() > decimals && fraction[decimals] >= '5') {
        qsizetype i = digits.size() - 1;
        for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
        if (i < 0) digits.prepend('1');
        else digits[i] = QChar(digits[i].unicode() + 1);
    }
    QString text = digits.left(digits.size() - decimals);
    if (decimals > 0) text += '.' + digits.right(decimals);
    const bool zero = !digits.contains(QRegularExpression("[1-9]"));
    return negative && !zero ? '-' + text : text;
}

// A double rounded once, as it reads: its shortest decimal text decides, so
// 2.34499 stays 2.34 (going through four decimals first would round twice)
// and more than four decimals are as exact as the double is.
QString doubleText(double value, int decimals) {
    // Beyond any amount: the same limit as the currency conversion.
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e14) raiseError(ErrorNo::Overflow);
    return roundedDecimalText(QString::number(value, 'f', QLocale::FloatingPointShortest), decimals);
}

// An amount, or a sum of them, has four decimals: any further ones are zeros.
// Made from the sum, so the text of an amount that rounds past the largest
// one can still be written.
QString amountText(const MoneySum& amount, int decimals) {
    const int kept = std::min(decimals, 4);
    return amount.toFixed(kept) + QString(decimals - kept, '0');
}

MoneySum amountOrSum(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<MoneySum>()) return value.value<MoneySum>();
    return Field_To_Currency(value);
}
}  // namespace

QString Format_Number_Right(const QVariant& value, int intDigits, int decimals) {
    decimals = std::max(decimals, 0);
    const int width = intDigits + decimals + (decimals >= 1 ? 1 : 0);
    QString text = value.typeId() == QMetaType::Double ? doubleText(value.toDouble(), decimals)
                                                       : amountText(amountOrSum(value), decimals);
    // The mask's required digit: a value below 1 keeps its leading 0 only when intDigits >= 1.
    if (intDigits < 1) {
        if (text.startsWith("0.")) text.remove(0, 1);
        else if (text.startsWith("-0.")) text.remove(1, 1);
    }
    return Pad_Left(text, std::max<int>(width, int(text.size())));
}

int formatNumberRightInto(::Currency amount, int intDigits, int decimals, char16_t* out) {
    Q_ASSERT(intDigits + decimals <= 26);
    constexpr std::int64_t steps[] = {10000, 1000, 100, 10, 1};
    const std::int64_t raw = amount.raw();
    const std::int64_t step = decimals >= 0 && decimals <= 4 ? steps[decimals] : 1;
    const bool plain = intDigits >= 1 && intDigits <= 20 && decimals >= 0 && decimals <= 4
        && raw > std::numeric_limits<std::int64_t>::min() + step
        && raw < std::numeric_limits<std::int64_t>::max() - step;
    if (!plain) {
        const QString text = Format_Number_Right(QVariant::fromValue(amount), intDigits, decimals);
        Q_ASSERT(text.size() <= 32);
        std::copy_n(text.utf16(), text.size(), out);
        return int(text.size());
    }
    const std::uint64_t magnitude = std::uint64_t(raw < 0 ? -raw : raw);
    const std::uint64_t rounded = (magnitude + std::uint64_t(step / 2)) / std::uint64_t(step);
    std::uint64_t whole = rounded / std::uint64_t(steps[0] / step);
    std::uint64_t fraction = rounded % std::uint64_t(steps[0] / step);
    char16_t text[32];
    char16_t* start = std::end(text);
    for (int i = 0; i < decimals; ++i, fraction /= 10) *--start = char16_t(u'0' + fraction % 10);
    if (decimals > 0) *--start = u'.';
    do {
        *--start = char16_t(u'0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (raw < 0 && rounded != 0) *--start = u'-';
    const int length = int(std::end(text) - start);
    const int width = std::max(intDigits + decimals + (decimals >= 1 ? 1 : 0), length);
    std::fill_n(out, width - length, u' ');
    std::copy(start, std::end(text), out + (width - length));
    return width;
}

QString Format_Number_Right2(const QVariant& value, int intDigits, int decimals) {
    return Format_Number_Right(value, intDigits, decimals);
}

QString Zero_Pad(const QVariant& v, int n) {
    if (n <= 0) return QString();
    return (QString(20, '0') + Trim(Field_To_String(v))).right(n);
}

QString Csv_Field(const QString& line, int n) {
    QString result;
    int commas = 0;
    for (QChar c : line) {
        if (commas + 1 == n && c != ',') result += c;
        if (c == ',') ++commas;
    }
    return result;
}

QString Pad_Left(const QString& s, int n) {
    if (n <= 0) return QString();
    return (QString(n, ' ') + s).right(n);
}

void Wait_Cursor_On() { BusyCursor::on(); }
void Wait_Cursor_Off() { BusyCursor::off(); }
bool In_Debug_Mode() { return false; }
