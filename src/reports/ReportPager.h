#pragma once
#include "reports/ReportLayout.h"
#include <memory>
#include <vector>

class BandWalker;
class ShapeRecordset;

// Where a page starts: the band that comes first on it and the rows that
// band reads. It is all a report keeps of the pages out of view.
struct PageStart {
    enum Step : quint8 { ReportHeader, GroupHeader, Detail, GroupFooter, ReportFooter, End };
    qint64 parentRow = 0;     // the parent row of a group's bands
    qint32 childRow = 0;      // the child row of a detail with a data member
    Step step = ReportHeader;
};

// The pages of a report as a preview or a printer asks for them, one at a
// time. Pages are counted as they become known; a page is laid out when it
// is asked for.
class ReportDocument {
public:
    virtual ~ReportDocument() = default;

    // The design the pages' items refer to, and the paper they are for.
    virtual std::shared_ptr<const ReportDesign> design() const = 0;
    virtual QPageSize pageSize() const = 0;
    virtual QPageLayout::Orientation orientation() const = 0;
    virtual QSize paper() const = 0;   // twips, in the orientation

    // The pages known so far, and whether they are all.
    virtual int pagesKnown() const = 0;
    virtual bool counted() const = 0;
    // Counts on, a page at least, for about that many milliseconds; true
    // once all are known.
    virtual bool countFor(int milliseconds) = 0;
    // Every page, however long that takes; their number.
    int pageCount();

    // The page (from 0, one of those known), laid out when asked for; it
    // stays valid until the next page is asked for.
    virtual const ReportPage& page(int index) = 0;
};

// Pages laid out whole beforehand; they must outlive it.
class LaidOutPages : public ReportDocument {
public:
    explicit LaidOutPages(const ReportPages& pages) : pages_(pages) {}
    std::shared_ptr<const ReportDesign> design() const override { return pages_.design; }
    QPageSize pageSize() const override { return pages_.pageSize; }
    QPageLayout::Orientation orientation() const override { return pages_.orientation; }
    QSize paper() const override { return pages_.paper; }
    int pagesKnown() const override { return int(pages_.pages.size()); }
    bool counted() const override { return true; }
    bool countFor(int) override { return true; }
    const ReportPage& page(int index) override { return pages_.pages.at(size_t(index)); }

private:
    const ReportPages& pages_;
};

// A design laid out over its rows a page at a time, as the pages are asked
// for: all it keeps of the pages out of view is where each starts (its row,
// its child row and its band, a few bytes a page), found by a pass that
// lays the pages out without their items. Going back to a page reads the
// rows again from their start up to the page's first row. The report's sums
// and counts come from that pass, so they are exact whatever page is laid
// out first: a page is laid out once the next one's start is known, or all
// are. The rows are read by two cursors of their own, one for the count.
class ReportPager : public ReportDocument {
public:
    ReportPager(std::shared_ptr<const ReportDesign> design, std::shared_ptr<ShapeRecordset> data,
                const QPageSize& pageSize);
    ~ReportPager() override;

    std::shared_ptr<const ReportDesign> design() const override { return design_; }
    QPageSize pageSize() const override { return pageSize_; }
    QPageLayout::Orientation orientation() const override { return design_->orientation; }
    QSize paper() const override { return paper_; }
    int pagesKnown() const override { return int(starts_.size()); }
    bool counted() const override { return counted_; }
    bool countFor(int milliseconds) override;
    const ReportPage& page(int index) override;

private:
    void countOnePage();

    std::shared_ptr<const ReportDesign> design_;
    QPageSize pageSize_;
    QSize paper_;
    std::shared_ptr<ShapeRecordset> data_, countedRows_;
    std::unique_ptr<BandWalker> counter_, layouter_;
    std::vector<PageStart> starts_;   // where each page known so far starts
    bool counted_ = false;
    ReportPage page_;                 // the page laid out last
    int laidOut_ = -1;                // its number
    int layouterAt_ = 0;              // the page whose start the layouter stands at; -1 none
};

// Every page of the document, laid out whole.
ReportPages wholeLayout(ReportDocument& document);
