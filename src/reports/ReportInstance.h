#pragma once
#include "reports/ReportDesign.h"
#include "reports/ReportLayout.h"
#include <functional>
#include <memory>

class QWidget;

// The one instance of a design that the program keeps for its whole run.
// It is made from its data file on first use, when the design's
// initialisation runs; later printings rebind the same instance to their
// rows and change its captions and settings again.
class ReportInstance {
public:
    using Initialisation = std::function<void(ReportInstance&)>;

    // The instance of the design of that name (without regard to case). An
    // error of the initialisation leaves no instance: the next use starts anew.
    static ReportInstance& of(const QString& designName);
    // What runs once, when the design's instance is made; set before first use.
    static void setInitialisation(const QString& designName, Initialisation init);
    // Drops every instance, as a new run of the program starts without them.
    static void forgetAll();

    ReportDesign design;
    // The rows the report shows; bound again for each printing.
    std::shared_ptr<ShapeRecordset> dataSource;

    ReportSection& section(const QString& name) { return design.section(name); }
    void setOrientation(QPageLayout::Orientation orientation) { design.orientation = orientation; }

    // The design laid out over its data source on that paper, every page at once.
    ReportPages layout(const QPageSize& paper) const;
    // The modal preview of the design over its data source, laid out a page
    // at a time as the pages are asked for, owned by the window and titled
    // with the design's caption. Whether a printing of every page ran to its end.
    bool show(const QPageSize& paper, QWidget* owner) const;
};
