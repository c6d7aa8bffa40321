#include "reports/ReportLayout.h"
#include "common/Functions.h"
#include "platform/FieldValue.h"
#include "platform/ShapeRecordset.h"
#include <QDateTime>
#include <QRegularExpression>

const PlacedItem* ReportPage::find(const QString& name) const {
    for (const auto& item : items)
        if (item.control.name.compare(name, Qt::CaseInsensitive) == 0) return &item;
    return nullptr;
}

QSize paperTwips(const QPageSize& size, QPageLayout::Orientation orientation) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    QSize twips(qRound(mm.width() * 1440 / 25.4), qRound(mm.height() * 1440 / 25.4));
    return orientation == QPageLayout::Landscape ? twips.transposed() : twips;
}

QString formatReportValue(const QVariant& value, const QString& format) {
    if (FieldValue::isNull(value)) return QString();
    if (format.isEmpty()) return Field_To_String(value);
    static const QRegularExpression numberMask("^[#0,]*(?:\\.([0#]*))?$");
    if (const auto m = numberMask.match(format); m.hasMatch() && FieldValue::isNumeric(value)) {
        const int decimals = std::min<int>(4, int(m.captured(1).size()));
        return Field_To_Currency(value).toFixed(decimals);
    }
    if (value.metaType().id() == QMetaType::QDateTime) return value.toDateTime().toString(format);
    if (value.metaType().id() == QMetaType::QDate) return value.toDate().toString(format);
    return Field_To_String(value);
}

namespace {
// Where a band reads its values: a row of the report's data and, inside a
// group, a row of the parent row's child rows.
struct RowContext {
    const ShapeRecordset* rows = nullptr;
    int row = -1;
    std::shared_ptr<ShapeRecordset> child;
    int childRow = -1;
    bool wholeReport = false;         // headers and footers of the report: functions run over all rows
};

class Layouter {
public:
    Layouter(const ReportDesign& design, const ShapeRecordset* data, const QPageSize& pageSize)
        : design_(design), data_(data) {
        result_.pageSize = pageSize;
        result_.orientation = design.orientation;
        result_.paper = paperTwips(pageSize, design.orientation);
    }

    ReportPages run() {
        const ReportSection* pageFooter = first(SectionKind::PageFooter);
        footerHeight_ = pageFooter && pageFooter->visible ? pageFooter->height : 0;
        newPage(true);
        RowContext report;
        report.rows = data_;
        report.wholeReport = true;
        place(first(SectionKind::ReportHeader), report);
        place(first(SectionKind::PageHeader), report);
        if (data_) body();
        place(first(SectionKind::ReportFooter), report);
        finishPage();
        return std::move(result_);
    }

private:
    const ReportSection* first(SectionKind kind) const {
        for (const auto& s : design_.sections)
            if (s.kind == kind) return &s;
        return nullptr;
    }

    void body() {
        const ReportSection* groupHeader = first(SectionKind::GroupHeader);
        const ReportSection* detail = first(SectionKind::Detail);
        const ReportSection* groupFooter = first(SectionKind::GroupFooter);
        for (int r = 0; r < data_->recordCount(); ++r) {
            RowContext parent;
            parent.rows = data_;
            parent.row = r;
            place(groupHeader, parent);
            if (detail && !detail->dataMember.isEmpty()) {
                RowContext line = parent;
                line.child = childRows(r, detail->dataMember);
                for (int c = 0; c < line.child->recordCount(); ++c) {
                    line.childRow = c;
                    place(detail, line);
                }
            } else {
                place(detail, parent);
            }
            place(groupFooter, parent);
        }
    }

    std::shared_ptr<ShapeRecordset> childRows(int row, const QString& member) const {
        return data_->childAt(row, member);
    }

    int bodyBottom() const { return result_.paper.height() - design_.bottomMargin - footerHeight_; }

    void newPage(bool firstPage) {
        result_.pages.emplace_back();
        y_ = design_.topMargin;
        if (!firstPage) {
            RowContext none;
            none.rows = data_;
            none.wholeReport = true;
            place(first(SectionKind::PageHeader), none);
        }
        pageBodyTop_ = y_;
    }

    void finishPage() {
        const ReportSection* footer = first(SectionKind::PageFooter);
        if (!footer || !footer->visible) return;
        RowContext none;
        none.rows = data_;
        none.wholeReport = true;
        y_ = bodyBottom();
        putBand(*footer, none);
    }

    void place(const ReportSection* section, const RowContext& context) {
        if (!section || !section->visible) return;
        const bool flowing = section->kind != SectionKind::PageHeader && section->kind != SectionKind::PageFooter;
        // A band taller than a whole page is placed anyway, on a page of its own.
        if (flowing && y_ + section->height > bodyBottom() && y_ > pageBodyTop_) {
            finishPage();
            newPage(false);
        }
        putBand(*section, context);
    }

    void putBand(const ReportSection& section, const RowContext& context) {
        auto& page = result_.pages.back();
        for (const auto& control : section.controls) {
            if (!control.visible) continue;
            PlacedItem item{section.name, control, QString()};
            item.control.left += design_.leftMargin;
            item.control.top += y_;
            item.text = textOf(control, context);
            page.items.push_back(std::move(item));
        }
        y_ += section.height;
    }

    QString textOf(const ReportControl& control, const RowContext& context) const {
        switch (control.kind) {
        case ControlKind::Label: return control.caption;
        case ControlKind::TextBox: return formatReportValue(fieldValue(control, context), control.format);
        case ControlKind::Function: return functionValue(control, context);
        default: return QString();
        }
    }

    static QVariant fieldValue(const ReportControl& control, const RowContext& context) {
        if (!control.dataMember.isEmpty() && context.child &&
            context.child->name().compare(control.dataMember, Qt::CaseInsensitive) == 0)
            return context.child->value(context.childRow, control.dataField);
        if (!context.rows || context.row < 0) return QVariant();
        return context.rows->value(context.row, control.dataField);
    }

    // The rows a function runs over: the whole report's in its headers and
    // footers, else the current parent row's; with a data member their child rows.
    QString functionValue(const ReportControl& control, const RowContext& context) const {
        std::vector<std::pair<const ShapeRecordset*, int>> rows;
        std::vector<std::shared_ptr<ShapeRecordset>> keep;
        if (context.rows) {
            const int from = context.wholeReport ? 0 : context.row;
            const int to = context.wholeReport ? context.rows->recordCount() : context.row + 1;
            for (int r = std::max(from, 0); r < to; ++r) {
                if (control.dataMember.isEmpty()) {
                    rows.emplace_back(context.rows, r);
                    continue;
                }
                keep.push_back(childRows(r, control.dataMember));
                for (int c = 0; c < keep.back()->recordCount(); ++c) rows.emplace_back(keep.back().get(), c);
            }
        }
        if (control.function == FunctionKind::Count) return QString::number(rows.size());
        ::Currency sum;
        for (const auto& [set, r] : rows) sum += Field_To_Currency(set->value(r, control.dataField));
        return formatReportValue(QVariant::fromValue(sum), control.format);
    }

    const ReportDesign& design_;
    const ShapeRecordset* data_;
    ReportPages result_;
    int y_ = 0;
    int pageBodyTop_ = 0;
    int footerHeight_ = 0;
};
}

ReportPages layoutReport(const ReportDesign& design, const ShapeRecordset* data, const QPageSize& pageSize) {
    return Layouter(design, data, pageSize).run();
}
