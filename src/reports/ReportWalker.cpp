#include "reports/ReportWalker.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/ShapeRecordset.h"

void Tallies::collect(const ReportSection* section) {
    if (!section) return;
    for (const auto& control : section->controls)
        if (control.visible && control.kind == ControlKind::Function) values_[&control];
}

bool Tallies::has(const ReportSection* section) const {
    if (section)
        for (const auto& control : section->controls)
            if (values_.count(&control)) return true;
    return false;
}

void Tallies::clear() {
    for (auto& [control, tally] : values_) tally = Tally();
}

void Tallies::add(const ShapeRecordset& rows, const QString& member) {
    for (auto& [control, tally] : values_) {
        if (control->dataMember.compare(member, Qt::CaseInsensitive) != 0) continue;
        ++tally.count;
        if (control->function == FunctionKind::Sum) tally.sum += Field_To_Currency(rows.field(control->dataField));
    }
}

void Tallies::addParentRow(ShapeRecordset& data, const QString& passing) {
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

QString Tallies::text(const ReportControl& control) const {
    const auto it = values_.find(&control);
    const Tally tally = it == values_.end() ? Tally() : it->second;
    if (control.function == FunctionKind::Count) return QString::number(tally.count);
    return formatReportSum(tally.sum, control.format);
}

// Where a band reads its values: the current parent row and, in a detail
// with a data member, the current child row; and the tallies of its functions.
struct BandWalker::RowContext {
    const ShapeRecordset* parent = nullptr;   // none in the report's and the pages' own bands
    const ShapeRecordset* child = nullptr;
    const Tallies* tallies = nullptr;
};

namespace {
const ReportSection* visibleFirst(const ReportDesign& design, SectionKind kind) {
    for (const auto& s : design.sections)
        if (s.kind == kind) return s.visible ? &s : nullptr;
    return nullptr;
}

QVariant fieldValue(const ReportControl& control, const ShapeRecordset* parent, const ShapeRecordset* child) {
    if (!control.dataMember.isEmpty() && child && child->name().compare(control.dataMember, Qt::CaseInsensitive) == 0)
        return child->field(control.dataField);
    if (!parent) return QVariant();
    return parent->field(control.dataField);
}
}  // namespace

BandWalker::BandWalker(const ReportDesign& design, ShapeRecordset* data, const QSize& paper, const Tallies* totals)
    : design_(design), data_(data), paper_(paper), totals_(totals),
      reportHeader_(visibleFirst(design, SectionKind::ReportHeader)),
      pageHeader_(visibleFirst(design, SectionKind::PageHeader)),
      groupHeader_(visibleFirst(design, SectionKind::GroupHeader)),
      detail_(visibleFirst(design, SectionKind::Detail)),
      groupFooter_(visibleFirst(design, SectionKind::GroupFooter)),
      pageFooter_(visibleFirst(design, SectionKind::PageFooter)),
      reportFooter_(visibleFirst(design, SectionKind::ReportFooter)) {
    // A report wider than the paper leaves room for beside its margins
    // is centred on the paper instead, its margins made smaller.
    left_ = design.leftMargin;
    if (design.reportWidth > 0 && design.leftMargin + design.reportWidth + design.rightMargin > paper.width())
        left_ = std::max(0, (paper.width() - design.reportWidth) / 2);
    for (const ReportSection* s : {reportHeader_, pageHeader_, pageFooter_, reportFooter_}) report_.collect(s);
    for (const ReportSection* s : {groupHeader_, detail_, groupFooter_}) group_.collect(s);
    reportTotalsFirst_ = report_.has(reportHeader_) || report_.has(pageHeader_) || report_.has(pageFooter_);
    const bool groupTotalsFirst = group_.has(groupHeader_) || group_.has(detail_);
    member_ = detail_ ? detail_->dataMember : QString();
    // The detail's child rows are tallied as they pass, unless a band shows them before.
    passingForGroup_ = groupTotalsFirst ? QString() : member_;
    passingForReport_ = reportTotalsFirst_ ? QString() : member_;
    if (!totals_ && data_ && reportTotalsFirst_)
        for (data_->moveFirst(); !data_->eof(); data_->moveNext()) report_.addParentRow(*data_, QString());
}

const ReportSection* BandWalker::band(PageStart::Step step) const {
    switch (step) {
    case PageStart::ReportHeader: return reportHeader_;
    case PageStart::GroupHeader: return groupHeader_;
    case PageStart::Detail: return detail_;
    case PageStart::GroupFooter: return groupFooter_;
    case PageStart::ReportFooter: return reportFooter_;
    case PageStart::End: break;
    }
    return nullptr;
}

BandWalker::RowContext BandWalker::context() const {
    switch (position_.step) {
    case PageStart::GroupHeader:
    case PageStart::GroupFooter: return {data_, nullptr, &group_};
    case PageStart::Detail: return {data_, member_.isEmpty() ? nullptr : lines_.get(), &group_};
    default: return {nullptr, nullptr, &reportTallies()};
    }
}

int BandWalker::bodyBottom() const {
    return paper_.height() - design_.bottomMargin - (pageFooter_ ? pageFooter_->height : 0);
}

void BandWalker::layPage(ReportPage* page) {
    page_ = page;
    const bool firstPage = position_.step == PageStart::ReportHeader;
    const RowContext ownBands{nullptr, nullptr, &reportTallies()};
    y_ = design_.topMargin;
    // The first page has the report header above its page header.
    if (!firstPage) put(pageHeader_, ownBands);
    const int bodyTop = y_;
    bool empty = true;   // no band yet but the page's own
    while (!atEnd()) {
        if (const ReportSection* section = band(position_.step)) {
            // A band taller than a whole page is placed anyway, on a page of its own.
            if ((section->pageBreakBefore && !empty) || (y_ + section->height > bodyBottom() && y_ > bodyTop)) break;
            if (position_.step == PageStart::Detail) passLine();
            put(section, context());
            empty = false;
        }
        if (firstPage && position_.step == PageStart::ReportHeader) put(pageHeader_, ownBands);
        advance();
    }
    if (pageFooter_) {
        y_ = bodyBottom();
        put(pageFooter_, ownBands);
    }
    // A long report holds many pages: none keeps room it does not use.
    if (page_) page_->items.shrink_to_fit();
    page_ = nullptr;
}

void BandWalker::put(const ReportSection* section, const RowContext& context) {
    if (!section) return;
    if (page_)
        for (const auto& control : section->controls) {
            if (!control.visible) continue;
            QString text;
            switch (control.kind) {
            case ControlKind::Label: text = control.caption; break;
            case ControlKind::TextBox:
                text = formatReportValue(fieldValue(control, context.parent, context.child), control.format);
                break;
            case ControlKind::Function: text = context.tallies->text(control); break;
            default: break;
            }
            page_->items.emplace_back(control, QPoint(control.left + left_, control.top + y_), std::move(text));
        }
    y_ += section->height;
}

void BandWalker::advance() {
    switch (position_.step) {
    case PageStart::ReportHeader: toParent(0); break;
    case PageStart::GroupHeader: toLines(); break;
    case PageStart::Detail:
        if (!member_.isEmpty()) lines_->moveNext();
        ++position_.childRow;
        if (member_.isEmpty() || lines_->eof()) position_.step = PageStart::GroupFooter;
        break;
    case PageStart::GroupFooter: toParent(position_.parentRow + 1); break;
    case PageStart::ReportFooter: position_.step = PageStart::End; break;
    case PageStart::End: break;
    }
}

void BandWalker::toParent(qint64 row) {
    position_ = {row, 0, PageStart::GroupHeader};
    if (data_) data_->moveTo(row);
    if (!data_ || data_->eof()) {
        position_.step = PageStart::ReportFooter;
        return;
    }
    enterParent(!totals_ && !reportTotalsFirst_);
}

void BandWalker::enterParent(bool tallyReport) {
    group_.clear();
    group_.addParentRow(*data_, passingForGroup_);
    if (tallyReport) report_.addParentRow(*data_, passingForReport_);
}

std::shared_ptr<ShapeRecordset> BandWalker::firstLine() {
    auto lines = data_->child(member_);
    // Child rows a tally has read already are read again from their start.
    if (lines->position() != 0) lines->moveFirst();
    return lines;
}

void BandWalker::toLines() {
    position_.childRow = 0;
    position_.step = PageStart::Detail;
    if (member_.isEmpty()) return;
    lines_ = firstLine();
    if (lines_->eof()) position_.step = PageStart::GroupFooter;
}

// The child row the detail is about to show passes the tallies that count it on the way.
void BandWalker::passLine() {
    if (member_.isEmpty()) return;
    if (!passingForGroup_.isEmpty()) group_.add(*lines_, member_);
    if (!totals_ && !passingForReport_.isEmpty()) report_.add(*lines_, member_);
}

void BandWalker::seek(const PageStart& start) {
    if (!totals_) raiseError(ErrorNo::InvalidUse, "A walk that tallies its own totals cannot seek.");
    position_ = start;
    lines_.reset();
    if (start.step == PageStart::ReportHeader || start.step == PageStart::ReportFooter ||
        start.step == PageStart::End)
        return;
    data_->moveTo(start.parentRow);
    enterParent(false);
    if (member_.isEmpty() || start.step == PageStart::GroupHeader) return;
    // The child rows before the page's first one were tallied on the pages before.
    const bool tallied = !passingForGroup_.isEmpty();
    if (start.step == PageStart::GroupFooter && !tallied) return;
    lines_ = firstLine();
    for (qint32 row = 0; !lines_->eof() && (start.step == PageStart::GroupFooter || row < start.childRow); ++row) {
        if (tallied) group_.add(*lines_, member_);
        lines_->moveNext();
    }
}
