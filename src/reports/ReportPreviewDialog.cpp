#include "reports/ReportPreviewDialog.h"
#include "common/ErrorReport.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "reports/PrintDialog.h"
#include "reports/ReportPainter.h"
#include "reports/ReportPrinting.h"
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr qreal TwipsPerInch = 1440;
const QColor GroundColor(128, 128, 128);
const QColor ShadowColor(72, 72, 72);
const QColor EdgeColor(40, 40, 40);
}

ReportPageView::ReportPageView(ReportDocument& report, QWidget* parent)
    : QAbstractScrollArea(parent), report_(report) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    scale_ = actualSize();
}

qreal ReportPageView::actualSize() const { return logicalDpiX() / TwipsPerInch; }

QSize ReportPageView::pagePixels() const {
    const QSize paper = report_.paper();
    return QSize(std::max(1, qRound(paper.width() * scale_)), std::max(1, qRound(paper.height() * scale_)));
}

void ReportPageView::setFit(Fit fit) {
    fit_ = fit;
    if (fit_ == Fit::None) return;
    fitToView();
}

void ReportPageView::setScale(qreal pixelsPerTwip) {
    fit_ = Fit::None;
    rescale(pixelsPerTwip);
}

void ReportPageView::fitToView() {
    const QSize paper = report_.paper();
    if (paper.isEmpty()) return;
    const QSize room = viewport()->size() - QSize(2 * Gap, 2 * Gap);
    qreal s = qreal(room.width()) / paper.width();
    if (fit_ == Fit::Page) s = std::min(s, qreal(room.height()) / paper.height());
    rescale(s);
}

void ReportPageView::rescale(qreal pixelsPerTwip) {
    pixelsPerTwip = std::clamp(pixelsPerTwip, 0.005, 1.0);   // from a thumbnail to a sixteenfold magnifier
    if (std::abs(pixelsPerTwip - scale_) < 1e-9 && !painted_.empty()) {
        layoutScrollBars();
        return;
    }
    // The page at the top stays there, as far down it as it was.
    const int page = current_;
    const qreal into = qreal(verticalScrollBar()->value() - page * pageStep()) / pageStep();
    scale_ = pixelsPerTwip;
    painted_.clear();
    layoutScrollBars();
    positioning_ = true;
    verticalScrollBar()->setValue(page * pageStep() + qRound(std::clamp<qreal>(into, 0, 1) * pageStep()));
    positioning_ = false;
    viewport()->update();
}

void ReportPageView::layoutScrollBars() {
    const QSize page = pagePixels();
    const QSize view = viewport()->size();
    const int height = Gap + pageCount() * pageStep();
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, page.width() + 2 * Gap - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

bool ReportPageView::countFor(int milliseconds) {
    const int before = pageCount();
    const bool all = report_.countFor(milliseconds);
    countChanged(before);
    return all;
}

void ReportPageView::countAll() {
    if (counted()) return;
    const int before = pageCount();
    BusyCursor::on();
    report_.pageCount();
    BusyCursor::off();
    countChanged(before);
}

void ReportPageView::countChanged(int before) {
    if (pageCount() == before && !counted()) return;
    layoutScrollBars();
    viewport()->update();
    emit pageCountChanged();
}

void ReportPageView::showLastPage() {
    countAll();
    showPage(pageCount() - 1);
}

void ReportPageView::showPage(int page) {
    if (pageCount() == 0) return;
    page = std::clamp(page, 0, pageCount() - 1);
    positioning_ = true;
    verticalScrollBar()->setValue(page * pageStep());
    positioning_ = false;
    if (page != current_) {
        current_ = page;
        emit currentPageChanged(current_);
    }
}

void ReportPageView::followScroll() {
    if (positioning_ || pageCount() == 0) return;
    const QScrollBar* bar = verticalScrollBar();
    int page = 0;
    if (bar->maximum() > 0 && bar->value() == bar->maximum()) {
        page = pageCount() - 1;
    } else {
        const qreal middle = pagePixels().height() / 2.0;
        page = int(std::floor((bar->value() - Gap - middle) / pageStep())) + 1;
    }
    page = std::clamp(page, 0, pageCount() - 1);
    if (page != current_) {
        current_ = page;
        emit currentPageChanged(current_);
    }
}

std::pair<int, int> ReportPageView::pagesInView() const {
    if (pageCount() == 0) return {0, -1};
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int step = pageStep();
    const int height = pagePixels().height();
    int first = std::max(0, (top - Gap - height) / step);
    while (first < pageCount() && pageTop(first) + height <= top) ++first;
    int last = first;
    while (last + 1 < pageCount() && pageTop(last + 1) < bottom) ++last;
    return {first, std::min(last, pageCount() - 1)};
}

const QImage& ReportPageView::pageImage(int page) {
    for (auto it = painted_.begin(); it != painted_.end(); ++it)
        if (it->first == page) {
            if (it != painted_.begin()) {
                auto kept = std::move(*it);
                painted_.erase(it);
                painted_.push_front(std::move(kept));
            }
            return painted_.front().second;
        }
    const qreal ratio = devicePixelRatioF();
    const QSize size = pagePixels();
    QImage image(qRound(size.width() * ratio), qRound(size.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    guard("ReportPreview", "Paint", [&] {
        const int before = pageCount();
        const ReportPage& laidOut = report_.page(page);
        QPainter painter(&image);
        paintReportPage(painter, laidOut, scale_);
        // Laying a page out may have counted the next one.
        if (pageCount() != before) QTimer::singleShot(0, this, [this, before] { countChanged(before); });
    });
    painted_.emplace_front(page, std::move(image));
    // The pages in view were drawn last: only those before them go.
    const auto [first, last] = pagesInView();
    const size_t inView = size_t(last - first + 1);
    qint64 bytes = 0;
    for (const auto& kept : painted_) bytes += kept.second.sizeInBytes();
    while (painted_.size() > inView && (painted_.size() > KeptPages || bytes > KeptBytes)) {
        bytes -= painted_.back().second.sizeInBytes();
        painted_.pop_back();
    }
    emit pagePainted(page);
    return painted_.front().second;
}

void ReportPageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), GroundColor);
    if (pageCount() == 0) return;
    const QSize size = pagePixels();
    // The page stands in the middle of the view, or at the gap's width from
    // its left edge when it is wider.
    const int left = std::max(Gap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const auto [first, last] = pagesInView();
    for (int page = first; page <= last; ++page) {
        const QRect sheet(QPoint(left, pageTop(page) - verticalScrollBar()->value()), size);
        painter.fillRect(sheet.translated(4, 4), ShadowColor);
        painter.setPen(EdgeColor);
        painter.drawRect(sheet.adjusted(-1, -1, 0, 0));
        painter.drawImage(sheet, pageImage(page));
    }
}

void ReportPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (fit_ != Fit::None) fitToView();
    else layoutScrollBars();
}

void ReportPageView::scrollContentsBy(int, int) {
    followScroll();
    viewport()->update();
}

void ReportPageView::keyPressEvent(QKeyEvent* event) {
    // Where a whole page shows at once, a page key turns the page.
    const bool pageFits = pageStep() <= viewport()->height();
    switch (event->key()) {
    case Qt::Key_Home: showPage(0); return;
    case Qt::Key_End: showLastPage(); return;
    case Qt::Key_PageDown:
        if (pageFits) {
            if (current_ + 1 >= pageCount()) countFor(0);
            showPage(current_ + 1);
            return;
        }
        break;
    case Qt::Key_PageUp:
        if (pageFits) {
            // Back to the top of the page first, when it has been scrolled into.
            showPage(verticalScrollBar()->value() > current_ * pageStep() ? current_ : current_ - 1);
            return;
        }
        break;
    default: break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ReportPageView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        if (const int delta = event->angleDelta().y(); delta != 0) emit zoomStepped(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

namespace {
// The zoom box's choices after the two fits: percents of the size on paper.
const int Percents[] = {25, 50, 75, 100, 125, 150, 200, 300};
constexpr int FitWidthIndex = 0, FitPageIndex = 1, FirstPercentIndex = 2;

QToolButton* pageButton(const QString& name, const QString& text, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

QPushButton* pushButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter in the page box goes to the page, never to a button.
    button->setAutoDefault(false);
    return button;
}
}  // namespace

ReportPreviewDialog::ReportPreviewDialog(ReportDocument& report, const QString& title, QWidget* owner)
    : QDialog(owner), report_(report) {
    setWindowTitle(title);
    setObjectName("ReportPreview");
    setSizeGripEnabled(true);

    pages_ = new ReportPageView(report, this);
    pages_->setObjectName("pages");
    firstPage_ = pageButton("firstPage", "|<", "First page", this);
    previousPage_ = pageButton("previousPage", "<", "Previous page", this);
    nextPage_ = pageButton("nextPage", ">", "Next page", this);
    lastPage_ = pageButton("lastPage", ">|", "Last page", this);
    pageNumber_ = new QSpinBox(this);
    pageNumber_->setObjectName("pageNumber");
    pageNumber_->setKeyboardTracking(false);
    pageNumber_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    pageNumber_->setAlignment(Qt::AlignRight);
    pageNumber_->setMinimumWidth(pageNumber_->fontMetrics().horizontalAdvance("0000000") + 24);
    pageCount_ = new QLabel(this);
    pageCount_->setObjectName("pageCount");
    pageCount_->setMinimumWidth(pageCount_->fontMetrics().horizontalAdvance("of 0000000+"));
    zoom_ = new QComboBox(this);
    zoom_->setObjectName("zoom");
    zoom_->addItem("Fit width");
    zoom_->addItem("Fit page");
    for (int percent : Percents) zoom_->addItem(QString("%1%").arg(percent));
    print_ = pushButton("print", "Print...", this);
    close_ = pushButton("close", "Close", this);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(4);
    bar->addWidget(firstPage_);
    bar->addWidget(previousPage_);
    bar->addWidget(new QLabel("Page", this));
    bar->addWidget(pageNumber_);
    bar->addWidget(pageCount_);
    bar->addWidget(nextPage_);
    bar->addWidget(lastPage_);
    bar->addSpacing(16);
    bar->addWidget(zoom_);
    bar->addStretch();
    bar->addWidget(print_);
    bar->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(pages_, 1);

    connect(firstPage_, &QToolButton::clicked, this, [this] { pages_->showPage(0); });
    connect(previousPage_, &QToolButton::clicked, this, [this] { pages_->showPage(pages_->currentPage() - 1); });
    connect(nextPage_, &QToolButton::clicked, this, [this] {
        if (pages_->currentPage() + 1 >= pages_->pageCount()) pages_->countFor(0);
        pages_->showPage(pages_->currentPage() + 1);
    });
    connect(lastPage_, &QToolButton::clicked, pages_, &ReportPageView::showLastPage);
    connect(pageNumber_, &QSpinBox::valueChanged, this, [this](int n) { pages_->showPage(n - 1); });
    connect(pages_, &ReportPageView::currentPageChanged, this, &ReportPreviewDialog::showCurrent);
    connect(pages_, &ReportPageView::pageCountChanged, this, &ReportPreviewDialog::showCount);
    connect(pages_, &ReportPageView::zoomStepped, this, &ReportPreviewDialog::zoomBy);
    connect(zoom_, &QComboBox::currentIndexChanged, this, &ReportPreviewDialog::zoomChosen);
    connect(new QShortcut(QKeySequence::ZoomIn, this), &QShortcut::activated, this, [this] { zoomBy(1); });
    connect(new QShortcut(QKeySequence::ZoomOut, this), &QShortcut::activated, this, [this] { zoomBy(-1); });
    connect(print_, &QPushButton::clicked, this, &ReportPreviewDialog::print);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    // The pages are counted a slice at a time while the window waits for the user.
    counting_ = new QTimer(this);
    counting_->setInterval(0);
    connect(counting_, &QTimer::timeout, this, &ReportPreviewDialog::countSlice);
    if (!report_.counted()) counting_->start();

    zoom_->setCurrentIndex(FitPageIndex);
    zoomChosen(FitPageIndex);
    showCount();
    // Most of the screen: a page shows large enough to read.
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(1000, room.width() * 9 / 10), room.height() * 9 / 10);
    pages_->setFocus();
}

void ReportPreviewDialog::countSlice() {
    // A slice short enough that the window answers at once; a count that
    // failed has been reported and goes no further.
    bool counting = false;
    guard("ReportPreview", "Count_Pages", [&] { counting = !pages_->countFor(20); });
    if (!counting) counting_->stop();
}

void ReportPreviewDialog::showCount() {
    const int count = pages_->pageCount();
    pageCount_->setText(QString("of %1%2").arg(count).arg(pages_->counted() ? "" : "+"));
    {
        const QSignalBlocker quiet(pageNumber_);
        pageNumber_->setRange(1, std::max(1, count));
    }
    if (pages_->counted()) counting_->stop();
    showCurrent(pages_->currentPage());
}

void ReportPreviewDialog::showCurrent(int page) {
    {
        const QSignalBlocker quiet(pageNumber_);
        pageNumber_->setValue(page + 1);
    }
    const bool more = page + 1 < pages_->pageCount() || !pages_->counted();
    firstPage_->setEnabled(page > 0);
    previousPage_->setEnabled(page > 0);
    nextPage_->setEnabled(more);
    lastPage_->setEnabled(more);
}

void ReportPreviewDialog::zoomChosen(int index) {
    if (index == FitWidthIndex) pages_->setFit(ReportPageView::Fit::Width);
    else if (index == FitPageIndex) pages_->setFit(ReportPageView::Fit::Page);
    else if (index >= FirstPercentIndex) pages_->setScale(pages_->actualSize() * Percents[index - FirstPercentIndex] / 100.0);
}

// From a fit, a step goes to the next percent past the fit's scale.
void ReportPreviewDialog::zoomBy(int steps) {
    int index = zoom_->currentIndex();
    if (index < FirstPercentIndex) {
        const qreal percent = pages_->scale() / pages_->actualSize() * 100;
        index = FirstPercentIndex - 1;
        while (index + 1 < zoom_->count() && Percents[index + 1 - FirstPercentIndex] <= percent) ++index;
        if (steps < 0 && index >= FirstPercentIndex && Percents[index - FirstPercentIndex] < percent) ++index;
        if (index < FirstPercentIndex && steps < 0) return;
    }
    zoom_->setCurrentIndex(std::clamp(index + steps, int(FirstPercentIndex), zoom_->count() - 1));
}

void ReportPreviewDialog::print() {
    guard("ReportPreview", "Print_Click", [this] {
        pages_->countAll();
        const int count = pages_->pageCount();
        if (count == 0) return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(windowTitle());
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(report_.pageSize(), report_.orientation(), QMarginsF(0, 0, 0, 0)));
        if (!PrintDialog::ask(printer, count, this)) return;
        if (printer.printRange() == QPrinter::CurrentPage) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(pages_->currentPage() + 1, pages_->currentPage() + 1);
        }
        const ReportPrinting::Run run = ReportPrinting::print(report_, printer, this);
        if (run.outcome == ReportPrinting::Run::Printed && run.first == 0 && run.last == count - 1)
            printedInFull_ = true;
        sayHowPrintingEnded(run, printer);
    });
}

void ReportPreviewDialog::sayHowPrintingEnded(const ReportPrinting::Run& run, const QPrinter& printer) {
    const QString file = QDir::toNativeSeparators(printer.outputFileName());
    const QString removed =
        run.fileRemoved ? QString(" The unfinished file was removed, and nothing was written to %1.").arg(file)
                        : QString();
    if (run.outcome == ReportPrinting::Run::Failed) {
        const QString where = file.isEmpty() ? printer.printerName() : file;
        const QString reason = run.reason.isEmpty() ? QString() : " (" + run.reason + ")";
        Box::ask(QString("The report could not be printed on %1%2.").arg(where, reason) + removed, windowTitle(),
                 Box::Buttons::Ok, Box::Icon::Exclamation, this);
    } else if (run.outcome == ReportPrinting::Run::Cancelled && run.fileRemoved) {
        Box::ask("Printing was cancelled." + removed, windowTitle(), Box::Buttons::Ok, Box::Icon::Information, this);
    }
}
