#pragma once
// The layout engine's walk over a design's bands and its rows, a page at a
// time: the whole layout and the report pager both stand on it.
#include "reports/ReportPager.h"
#include "platform/MoneySum.h"
#include <map>
#include <memory>

class ShapeRecordset;

// The running sum and count of the rows each function control runs over.
class Tallies {
public:
    void collect(const ReportSection* section);
    bool has(const ReportSection* section) const;
    void clear();
    // A row of the parent rows (member empty) or of the child rows of that name.
    void add(const ShapeRecordset& rows, const QString& member);
    // The parent row with its child rows, but for those of `passing`, which
    // are added one by one as they pass.
    void addParentRow(ShapeRecordset& data, const QString& passing);
    QString text(const ReportControl& control) const;

private:
    struct Tally {
        MoneySum sum;   // any number of the largest amounts adds up whole
        qint64 count = 0;
    };
    std::map<const ReportControl*, Tally> values_;
};

// Walks the bands of a design over its rows and lays them out one page at a
// time: the report header once, the page header and footer on every page, a
// group header, the details and a group footer per parent row, the report
// footer last. Band heights are fixed, so where pages break needs no text.
class BandWalker {
public:
    // With no totals given, the walker tallies the report's sums and counts
    // itself as it passes every row from the start (reading the rows once
    // ahead when a band shows them before its rows): it cannot seek. With
    // totals, those of a walker that passed every row, it can.
    BandWalker(const ReportDesign& design, ShapeRecordset* data, const QSize& paper, const Tallies* totals = nullptr);
    BandWalker(const BandWalker&) = delete;
    BandWalker& operator=(const BandWalker&) = delete;

    // Where the page that is laid out next starts; End past the last page.
    const PageStart& position() const { return position_; }
    bool atEnd() const { return position_.step == PageStart::End; }
    // Whether the report's own bands show sums or counts before its last row.
    bool totalsFirst() const { return reportTotalsFirst_; }
    const Tallies& ownTotals() const { return report_; }

    // Stands where a page starts that an earlier walk found.
    void seek(const PageStart& start);
    // Lays out the page that starts here into page; with none, only finds
    // where the next one starts. The walker then stands there.
    void layPage(ReportPage* page);

private:
    struct RowContext;
    const ReportSection* band(PageStart::Step step) const;
    const Tallies& reportTallies() const { return totals_ ? *totals_ : report_; }
    RowContext context() const;
    int bodyBottom() const;
    void put(const ReportSection* section, const RowContext& context);
    void advance();
    void toParent(qint64 row);
    void enterParent(bool tallyReport);
    void toLines();
    void passLine();
    std::shared_ptr<ShapeRecordset> firstLine();

    const ReportDesign& design_;
    ShapeRecordset* data_;
    QSize paper_;
    const Tallies* totals_;
    const ReportSection* reportHeader_;
    const ReportSection* pageHeader_;
    const ReportSection* groupHeader_;
    const ReportSection* detail_;
    const ReportSection* groupFooter_;
    const ReportSection* pageFooter_;
    const ReportSection* reportFooter_;
    QString member_;                  // the child rows the detail repeats over
    QString passingForGroup_, passingForReport_;   // child rows tallied as they pass
    Tallies report_;                  // the report's and the pages' own bands: over every row
    Tallies group_;                   // the bands of one parent row: over it and its child rows
    bool reportTotalsFirst_ = false;
    int left_ = 0;

    PageStart position_;
    std::shared_ptr<ShapeRecordset> lines_;   // the current parent row's child rows
    ReportPage* page_ = nullptr;
    int y_ = 0;
};
