#include "reports/ReportLayout.h"
#include "common/Functions.h"
#include "platform/FieldValue.h"
#include "platform/ShapeRecordset.h"
#include <QDateTime>
#include <QRegularExpression>
#include <map>

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
// The running sum and count of the rows a function control runs over.
class Tallies {
public:
    void collect(const ReportSection* section) {
        if (!section || !section->visible) return;
        for (const auto& control : section->controls)
            if (control.visible && control.kind == ControlKind::Function) values_[&control];
    }
    bool has(const ReportSection* section) const {
        if (section)
            for (const auto& control : section->controls)
                if (values_.count(&control)) return true;
        return false;
    }
    void clear() {
        for (auto& [control, tally] : values_) tally = Tally();
    }
    // A row of the parent rows (member empty) or of the child rows of that name.
    void add(const ShapeRecordset& rows, const QString& member) {
        for (auto& [control, tally] : values_) {
            if (control->dataMember.compare(member, Qt::CaseInsensitive) != 0) continue;
            ++tally.count;
            if (control->function == FunctionKind::Sum) tally.sum += Field_To_Currency(rows.field(control->dataField));
        }
    }
    // The parent row with its child rows, but for those of `passing`, which
    // are added one by one as they pass.
    void addParentRow(ShapeRecordset& data, const QString& passing) {
        add(data, QString());
        QStringList members;
        for (const auto& [control, tally] : values_)
            if (!control->dataMember.isEmpty() && !members.contains(control->dataMember, Qt::CaseInsensitive))
                members << control->dataMember;
        for (const QString& member : members) {
            if (member.compare(passing, Qt::CaseInsensitive) == 0) continue;
            const auto rows = data.child(member);
            for (rows->moveFirst(); !rows->eof(); rows->moveNext()) add(*rows, member);
        }
    }
    QString text(const ReportControl& control) const {
        const auto it = values_.find(&control);
        const Tally tally = it == values_.end() ? Tally() : it->second;
        if (control.function == FunctionKind::Count) return QString::number(tally.count);
        return formatReportValue(QVariant::fromValue(tally.sum), control.format);
    }

private:
    struct Tally {
        ::Currency sum;
        qint64 count = 0;
    };
    std::map<const ReportControl*, Tally> values_;
};

// Where a band reads its values: the current parent row and, in a detail
// with a data member, the current child row; and the tallies of its functions.
struct RowContext {
    const ShapeRecordset* parent = nullptr;   // none in the report's and the pages' own bands
    const ShapeRecordset* child = nullptr;
    const Tallies* tallies = nullptr;
};

// Lays the report out in one forward pass over its rows. Sums and counts
// grow as the rows pass; where a band shows them before its rows (a report
// or page header, a group header or a detail), the rows are read once more
// ahead of it.
class Layouter {
public:
    // The pages keep the design: their items refer to its controls.
    Layouter(const std::shared_ptr<const ReportDesign>& design, ShapeRecordset* data, const QPageSize& pageSize)
        : Layouter(*design, data, pageSize) {
        result_.design = design;
    }

private:
    Layouter(const ReportDesign& design, ShapeRecordset* data, const QPageSize& pageSize)
        : design_(design), data_(data) {
        result_.pageSize = pageSize;
        result_.orientation = design.orientation;
        result_.paper = paperTwips(pageSize, design.orientation);
        // A report wider than the paper leaves room for beside its margins
        // is centred on the paper instead, its margins made smaller.
        left_ = design.leftMargin;
        if (design.reportWidth > 0 && design.leftMargin + design.reportWidth + design.rightMargin > result_.paper.width())
            left_ = std::max(0, (result_.paper.width() - design.reportWidth) / 2);
        for (SectionKind kind : {SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::PageFooter,
                                 SectionKind::ReportFooter})
            report_.collect(first(kind));
        for (SectionKind kind : {SectionKind::GroupHeader, SectionKind::Detail, SectionKind::GroupFooter})
            group_.collect(first(kind));
        reportTotalsFirst_ = report_.has(first(SectionKind::ReportHeader)) ||
                             report_.has(first(SectionKind::PageHeader)) ||
                             report_.has(first(SectionKind::PageFooter));
        groupTotalsFirst_ = group_.has(first(SectionKind::GroupHeader)) || group_.has(first(SectionKind::Detail));
    }

public:
    ReportPages run() {
        const ReportSection* pageFooter = first(SectionKind::PageFooter);
        footerHeight_ = pageFooter && pageFooter->visible ? pageFooter->height : 0;
        if (data_ && reportTotalsFirst_)
            for (data_->moveFirst(); !data_->eof(); data_->moveNext()) report_.addParentRow(*data_, QString());
        newPage(true);
        place(first(SectionKind::ReportHeader), wholeReport());
        place(first(SectionKind::PageHeader), wholeReport());
        if (data_) body();
        place(first(SectionKind::ReportFooter), wholeReport());
        finishPage();
        return std::move(result_);
    }

private:
    const ReportSection* first(SectionKind kind) const {
        for (const auto& s : design_.sections)
            if (s.kind == kind) return &s;
        return nullptr;
    }

    RowContext wholeReport() const { return {nullptr, nullptr, &report_}; }

    void body() {
        const ReportSection* groupHeader = first(SectionKind::GroupHeader);
        const ReportSection* detail = first(SectionKind::Detail);
        const ReportSection* groupFooter = first(SectionKind::GroupFooter);
        const QString member = detail && detail->visible ? detail->dataMember : QString();
        // The detail's child rows are tallied as they pass, unless a band shows them before.
        const QString passingForGroup = groupTotalsFirst_ ? QString() : member;
        const QString passingForReport = reportTotalsFirst_ ? QString() : member;
        for (data_->moveFirst(); !data_->eof(); data_->moveNext()) {
            group_.clear();
            group_.addParentRow(*data_, passingForGroup);
            if (!reportTotalsFirst_) report_.addParentRow(*data_, passingForReport);
            const RowContext parent{data_, nullptr, &group_};
            place(groupHeader, parent);
            if (!member.isEmpty()) {
                const auto lines = data_->child(member);
                for (lines->moveFirst(); !lines->eof(); lines->moveNext()) {
                    if (!passingForGroup.isEmpty()) group_.add(*lines, member);
                    if (!passingForReport.isEmpty()) report_.add(*lines, member);
                    place(detail, {data_, lines.get(), &group_});
                }
            } else {
                place(detail, parent);
            }
            place(groupFooter, parent);
        }
    }

    int bodyBottom() const { return result_.paper.height() - design_.bottomMargin - footerHeight_; }

    void newPage(bool firstPage) {
        result_.pages.emplace_back();
        y_ = design_.topMargin;
        if (!firstPage) place(first(SectionKind::PageHeader), wholeReport());
        pageBodyTop_ = y_;
        pageEmpty_ = true;
    }

    void finishPage() {
        const ReportSection* footer = first(SectionKind::PageFooter);
        if (footer && footer->visible) {
            y_ = bodyBottom();
            putBand(*footer, wholeReport());
        }
        // A long report holds many pages: none keeps room it does not use.
        result_.pages.back().items.shrink_to_fit();
    }

    void place(const ReportSection* section, const RowContext& context) {
        if (!section || !section->visible) return;
        const bool flowing = section->kind != SectionKind::PageHeader && section->kind != SectionKind::PageFooter;
        // A band taller than a whole page is placed anyway, on a page of its own.
        if (flowing && ((section->pageBreakBefore && !pageEmpty_) ||
                        (y_ + section->height > bodyBottom() && y_ > pageBodyTop_))) {
            finishPage();
            newPage(false);
        }
        putBand(*section, context);
        if (flowing) pageEmpty_ = false;
    }

    void putBand(const ReportSection& section, const RowContext& context) {
        auto& page = result_.pages.back();
        for (const auto& control : section.controls) {
            if (!control.visible) continue;
            page.items.emplace_back(control, QPoint(control.left + left_, control.top + y_), textOf(control, context));
        }
        y_ += section.height;
    }

    static QString textOf(const ReportControl& control, const RowContext& context) {
        switch (control.kind) {
        case ControlKind::Label: return control.caption;
        case ControlKind::TextBox: return formatReportValue(fieldValue(control, context), control.format);
        case ControlKind::Function: return context.tallies->text(control);
        default: return QString();
        }
    }

    static QVariant fieldValue(const ReportControl& control, const RowContext& context) {
        if (!control.dataMember.isEmpty() && context.child &&
            context.child->name().compare(control.dataMember, Qt::CaseInsensitive) == 0)
            return context.child->field(control.dataField);
        if (!context.parent) return QVariant();
        return context.parent->field(control.dataField);
    }

    const ReportDesign& design_;
    ShapeRecordset* data_;
    Tallies report_;                  // the report's and the pages' own bands: over every row
    Tallies group_;                   // the bands of one parent row: over it and its child rows
    bool reportTotalsFirst_ = false;
    bool groupTotalsFirst_ = false;
    ReportPages result_;
    int left_ = 0;
    int y_ = 0;
    int pageBodyTop_ = 0;
    bool pageEmpty_ = true;           // no band yet but the page's own
    int footerHeight_ = 0;
};
}  // namespace

ReportPages layoutReport(const ReportDesign& design, ShapeRecordset* data, const QPageSize& pageSize) {
    // The pages keep a copy of their own: the design may change for the next printing.
    return Layouter(std::make_shared<const ReportDesign>(design), data, pageSize).run();
}
