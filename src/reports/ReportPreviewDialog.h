#pragma once
#include "reports/ReportPager.h"
#include "reports/ReportPrinting.h"
#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>
#include <deque>
#include <utility>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;

// The pages one under another on a grey ground. A page is laid out and
// painted only when it comes into view, at the view's scale; the last few
// stay at hand, so scrolling back and forth repaints none of them. The view
// grows as the report's pages are counted. Pages count from 0 here.
class ReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };

    // The report must outlive the view.
    explicit ReportPageView(ReportDocument& report, QWidget* parent = nullptr);

    // The pages known so far, and whether they are all.
    int pageCount() const { return report_.pagesKnown(); }
    bool counted() const { return report_.counted(); }
    // Counts on for a slice of that many milliseconds; true once all are known.
    bool countFor(int milliseconds);
    // Counts every page, under the busy cursor.
    void countAll();
    // The page at the top of the view: the first whose lower half shows.
    int currentPage() const { return current_; }
    // Scrolls the page's top to the top of the view.
    void showPage(int page);
    // The last page, once all are counted.
    void showLastPage();

    // A zoom that follows the view's size, or a fixed one in screen pixels a twip.
    void setFit(Fit fit);
    void setScale(qreal pixelsPerTwip);
    Fit fit() const { return fit_; }
    qreal scale() const { return scale_; }
    // The scale at which the page shows at its size on paper.
    qreal actualSize() const;

    // The first and last page any part of which is in view.
    std::pair<int, int> pagesInView() const;

signals:
    void currentPageChanged(int page);
    void pageCountChanged();
    void pagePainted(int page);
    // Ctrl with the wheel: zoom in (positive) or out.
    void zoomStepped(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize pagePixels() const;
    int pageStep() const { return pagePixels().height() + Gap; }   // from one page's top to the next one's
    int pageTop(int page) const { return Gap + page * pageStep(); }
    void rescale(qreal pixelsPerTwip);
    void fitToView();
    void layoutScrollBars();
    void followScroll();
    const QImage& pageImage(int page);
    void countChanged(int before);

    static constexpr int Gap = 16;        // pixels around and between the pages
    static constexpr size_t KeptPages = 12;
    static constexpr qint64 KeptBytes = 64 << 20;   // a page at 300% is some 30 MB

    ReportDocument& report_;
    Fit fit_ = Fit::Page;
    qreal scale_ = 0;
    int current_ = 0;
    bool positioning_ = false;            // the view scrolls to a page of its own accord
    std::deque<std::pair<int, QImage>> painted_;   // most recent first
};

// The print preview of a report, modal and owned by the window that shows
// it: page by page navigation, zoom, and printing on a printer or into a PDF
// file. It shows the first page as soon as it is laid out, and counts the
// others in slices between the window's events, "of N+" until all are known.
class ReportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // The report must outlive the dialog.
    ReportPreviewDialog(ReportDocument& report, const QString& title, QWidget* owner);

    ReportPageView* view() const { return pages_; }
    // Whether a printing of every page ran to its end.
    bool printedInFull() const { return printedInFull_; }

private:
    void countSlice();
    void showCount();
    void showCurrent(int page);
    void zoomChosen(int index);
    void zoomBy(int steps);
    void print();
    void sayHowPrintingEnded(const ReportPrinting::Run& run, const QPrinter& printer);

    ReportDocument& report_;
    bool printedInFull_ = false;
    QTimer* counting_;
    ReportPageView* pages_;
    QToolButton* firstPage_;
    QToolButton* previousPage_;
    QSpinBox* pageNumber_;
    QLabel* pageCount_;
    QToolButton* nextPage_;
    QToolButton* lastPage_;
    QComboBox* zoom_;
    QPushButton* print_;
    QPushButton* close_;
};
