#include "reports/ReportLayout.h"
#include "common/Functions.h"
#include "platform/FieldValue.h"
#include "platform/MoneySum.h"
#include "platform/ShapeRecordset.h"
#include "reports/ReportWalker.h"
#include <QDateTime>
#include <QRegularExpression>
#include <optional>

const PlacedItem* ReportPage::find(const QString& name) const {
    for (const auto& item : items)
        if (item.control().name.compare(name, Qt::CaseInsensitive) == 0) return &item;
    return nullptr;
}

QSize paperTwips(const QPageSize& size, QPageLayout::Orientation orientation) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    QSize twips(qRound(mm.width() * 1440 / 25.4), qRound(mm.height() * 1440 / 25.4));
    return orientation == QPageLayout::Landscape ? twips.transposed() : twips;
}

namespace {
// The decimals of a "0.00"-like number mask; nothing when the format is none.
std::optional<int> numberMaskDecimals(const QString& format) {
    static const QRegularExpression numberMask("^[#0,]*(?:\\.([0#]*))?$");
    const auto m = numberMask.match(format);
    if (format.isEmpty() || !m.hasMatch()) return std::nullopt;
    return std::min<int>(4, int(m.captured(1).size()));
}
}  // namespace

QString formatReportValue(const QVariant& value, const QString& format) {
    if (FieldValue::isNull(value)) return QString();
    if (format.isEmpty()) return Field_To_String(value);
    if (const auto decimals = numberMaskDecimals(format); decimals && FieldValue::isNumeric(value))
        return Field_To_Currency(value).toFixed(*decimals);
    if (value.metaType().id() == QMetaType::QDateTime) return value.toDateTime().toString(format);
    if (value.metaType().id() == QMetaType::QDate) return value.toDate().toString(format);
    return Field_To_String(value);
}

QString formatReportSum(const MoneySum& sum, const QString& format) {
    const auto decimals = numberMaskDecimals(format);
    return decimals ? sum.toFixed(*decimals) : sum.toText();
}

ReportPages layoutReport(const ReportDesign& design, ShapeRecordset* data, const QPageSize& pageSize) {
    ReportPages result;
    // The pages keep a copy of their own: the design may change for the next printing.
    result.design = std::make_shared<const ReportDesign>(design);
    result.pageSize = pageSize;
    result.orientation = design.orientation;
    result.paper = paperTwips(pageSize, design.orientation);
    BandWalker walker(*result.design, data, result.paper);
    do {
        result.pages.emplace_back();
        walker.layPage(&result.pages.back());
    } while (!walker.atEnd());
    return result;
}
