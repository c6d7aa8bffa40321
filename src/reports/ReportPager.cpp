#include "reports/ReportPager.h"
#include "platform/AppError.h"
#include "platform/ShapeRecordset.h"
#include "reports/ReportWalker.h"
#include <QElapsedTimer>

int ReportDocument::pageCount() {
    while (!countFor(1000)) {}
    return pagesKnown();
}

ReportPager::ReportPager(std::shared_ptr<const ReportDesign> design, std::shared_ptr<ShapeRecordset> data,
                         const QPageSize& pageSize)
    : design_(std::move(design)), pageSize_(pageSize), paper_(paperTwips(pageSize, design_->orientation)),
      data_(std::move(data)), countedRows_(data_ ? data_->reopen() : nullptr) {
    counter_ = std::make_unique<BandWalker>(*design_, countedRows_.get(), paper_);
    layouter_ = std::make_unique<BandWalker>(*design_, data_.get(), paper_, &counter_->ownTotals());
    starts_.push_back(counter_->position());
    // Sums shown before their rows are known only once every row has passed.
    if (counter_->totalsFirst()) pageCount();
}

ReportPager::~ReportPager() = default;

void ReportPager::countOnePage() {
    counter_->layPage(nullptr);
    if (counter_->atEnd()) counted_ = true;
    else starts_.push_back(counter_->position());
}

bool ReportPager::countFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!counted_) {
        countOnePage();
        if (timer.elapsed() >= milliseconds) break;
    }
    return counted_;
}

const ReportPage& ReportPager::page(int index) {
    if (index == laidOut_) return page_;
    // The page after it must be known: the last one holds the report's totals.
    while (!counted_ && index + 1 >= pagesKnown()) countOnePage();
    if (index < 0 || index >= pagesKnown())
        raiseError(ErrorNo::InvalidUse, QString("The report has no page %1.").arg(index + 1));
    if (layouterAt_ != index) layouter_->seek(starts_[size_t(index)]);
    page_ = ReportPage();
    laidOut_ = -1;
    layouterAt_ = -1;
    layouter_->layPage(&page_);
    laidOut_ = index;
    layouterAt_ = index + 1;
    return page_;
}

ReportPages wholeLayout(ReportDocument& document) {
    ReportPages pages;
    pages.design = document.design();
    pages.pageSize = document.pageSize();
    pages.orientation = document.orientation();
    pages.paper = document.paper();
    const int count = document.pageCount();
    pages.pages.reserve(size_t(count));
    for (int i = 0; i < count; ++i) pages.pages.push_back(document.page(i));
    return pages;
}
