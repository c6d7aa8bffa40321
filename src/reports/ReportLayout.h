#pragma once
#include "reports/ReportDesign.h"
#include <QPageSize>
#include <QSizeF>
#include <memory>
#include <vector>

class MoneySum;
class ShapeRecordset;

// One control placed on a page: the control of the design the pages were
// laid out from, where it lies in page twips (from the paper's top-left
// corner) and the text it shows. The control's own left and top are where it
// lies in its section: the place on the page is rect().
class PlacedItem {
public:
    PlacedItem(const ReportControl& control, QPoint at, QString text = QString())
        : text(std::move(text)), control_(&control), left_(at.x()), top_(at.y()) {}

    const ReportControl& control() const { return *control_; }
    QRect rect() const { return {left_, top_, control_->width, control_->height}; }

    QString text;

private:
    const ReportControl* control_;
    int left_, top_;
};

struct ReportPage {
    std::vector<PlacedItem> items;
    // The first placed control of that name, without regard to case; nullptr when none.
    const PlacedItem* find(const QString& name) const;
};

// The pages of a laid-out report and the paper they are for. They keep the
// design they were laid out from, as it was then: their items refer to its
// controls.
struct ReportPages {
    std::shared_ptr<const ReportDesign> design;
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSize paper;                      // twips, in the orientation
    std::vector<ReportPage> pages;
};

// The paper size in twips, in the orientation.
QSize paperTwips(const QPageSize& size, QPageLayout::Orientation orientation);

// Lays the design out on pages of the given paper: the report header once,
// the page header and page footer on every page, the detail once per row of
// the data (under a group header and over a group footer once per parent row
// when the design has them; a detail with a data member repeats over the
// parent row's child rows of that name), then the report footer. A band that
// does not fit on what is left of a page starts a new one, and so does one
// that breaks the page before it, unless nothing but the page header is
// above it. Invisible sections and controls are left out. Text boxes show their field of the
// current row, functions the sum or the count over their rows, both in their
// format. data may be null: the bands that need no rows are still laid out.
// A design whose report width does not fit between its margins on the paper
// is centred on it, with smaller side margins.
// The rows are read forward, once, and a second time only where a band shows
// a sum or count before its rows; data is left at its end. Every page is
// held: a report of many pages is laid out by a ReportPager instead.
ReportPages layoutReport(const ReportDesign& design, ShapeRecordset* data, const QPageSize& pageSize);

// A value as a report shows it in a format: "0.00"-like number masks, date
// masks such as "dd/MM/yyyy", or no format.
QString formatReportValue(const QVariant& value, const QString& format);
// A sum as a function shows it: in its number mask, else as a plain number.
QString formatReportSum(const MoneySum& sum, const QString& format);
