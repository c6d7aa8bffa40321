#pragma once
#include "reports/ReportLayout.h"
#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>
#include <deque>
#include <utility>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

// The pages one under another on a grey ground. A page is painted only when
// it comes into view, at the view's scale; the last few stay at hand, so
// scrolling back and forth repaints none of them. Pages count from 0 here.
class ReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };

    // The pages must outlive the view.
    explicit ReportPageView(const ReportPages& pages, QWidget* parent = nullptr);

    int pageCount() const { return int(pages_.pages.size()); }
    // The page at the top of the view: the first whose lower half shows.
    int currentPage() const { return current_; }
    // Scrolls the page's top to the top of the view.
    void showPage(int page);

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

    static constexpr int Gap = 16;        // pixels around and between the pages
    static constexpr size_t KeptPages = 12;
    static constexpr qint64 KeptBytes = 64 << 20;   // a page at 300% is some 30 MB

    const ReportPages& pages_;
    Fit fit_ = Fit::Page;
    qreal scale_ = 0;
    int current_ = 0;
    bool positioning_ = false;            // the view scrolls to a page of its own accord
    std::deque<std::pair<int, QImage>> painted_;   // most recent first
};

// The print preview of laid-out pages, modal and owned by the window that
// shows it: page by page navigation, zoom, and printing on a printer or
// into a PDF file.
class ReportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // The pages must outlive the dialog.
    ReportPreviewDialog(const ReportPages& pages, const QString& title, QWidget* owner);

    ReportPageView* view() const { return pages_; }

private:
    void showCurrent(int page);
    void zoomChosen(int index);
    void zoomBy(int steps);
    void print();

    const ReportPages& report_;
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
