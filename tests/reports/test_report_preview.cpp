#include "platform/AppError.h"
#include "platform/BusyCursor.h"
#include "reports/PrintDialog.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPreview.h"
#include "reports/ReportPreviewDialog.h"
#include "reports/ReportPrinting.h"
#include "support/FileCalls.h"
#include "support/TestSupport.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <set>

namespace {
// A one-page letter report, its page repeated: every page has a rule and a
// caption with its own number.
const char* pageDesign = R"({
 "name": "Pages_rpt", "reportWidth": 9000,
 "margins": {"left": 1000, "right": 1000, "top": 1000, "bottom": 1000},
 "sections": [
  {"name": "Section4", "kind": "reportHeader", "height": 500, "controls": [
    {"name": "Title", "kind": "label", "caption": "Page", "left": 0, "top": 0, "width": 3000, "height": 300},
    {"name": "Rule", "kind": "line", "left": 0, "top": 400, "width": 9000, "height": 0}]}
 ]})";

ReportPages pagesOf(int count) {
    ReportPages pages = layoutReport(ReportDesign::fromJson(pageDesign), nullptr, QPageSize(QPageSize::Letter));
    const ReportPage one = pages.pages.at(0);
    pages.pages.clear();
    for (int i = 1; i <= count; ++i) {
        pages.pages.push_back(one);
        pages.pages.back().items.front().text = QString("Page %1").arg(i);
    }
    return pages;
}

// Pages in a PDF file.
int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    return int(QString::fromLatin1(file.readAll()).count(page));
}

// The pages of a report laid out beforehand, made known one at a time as
// they are counted, as those of a long report are; laying a page out counts
// the next one. Laying out the failing page raises an error.
class CountedSlowly : public ReportDocument {
public:
    explicit CountedSlowly(ReportPages pages, int failingPage = -1)
        : pages_(std::move(pages)), failing_(failingPage) {}
    std::shared_ptr<const ReportDesign> design() const override { return pages_.design; }
    QPageSize pageSize() const override { return pages_.pageSize; }
    QPageLayout::Orientation orientation() const override { return pages_.orientation; }
    QSize paper() const override { return pages_.paper; }
    int pagesKnown() const override { return known_; }
    bool counted() const override { return known_ == int(pages_.pages.size()); }
    bool countFor(int) override {
        known_ = std::min(known_ + 1, int(pages_.pages.size()));
        return counted();
    }
    const ReportPage& page(int index) override {
        if (index == failing_) raiseError(ErrorNo::FileNotFound, "The rows are gone.");
        known_ = std::max(known_, std::min(index + 2, int(pages_.pages.size())));
        return pages_.pages.at(size_t(index));
    }

private:
    ReportPages pages_;
    int failing_;
    int known_ = 1;
};

// The preview shown at a known size, with the pages it paints and whether
// each was in view when it was painted.
struct Preview {
    explicit Preview(const ReportPages& pages) : Preview(std::make_unique<LaidOutPages>(pages)) {}
    explicit Preview(std::unique_ptr<ReportDocument> shown)
        : report(std::move(shown)), dialog(*report, "Pages", &owner) {
        owner.show();
        QObject::connect(view(), &ReportPageView::pagePainted, [this](int page) {
            painted.push_back(page);
            const auto [first, last] = view()->pagesInView();
            if (page < first || page > last) paintedOutOfView.push_back(page);
        });
        dialog.resize(700, 600);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        settle();
    }
    ReportPageView* view() { return dialog.view(); }
    template <typename T> T* piece(const char* name) { return dialog.findChild<T*>(name); }
    void click(const char* name) {
        piece<QAbstractButton>(name)->click();
        settle();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view(), Qt::Key(key), modifiers);
        settle();
    }
    void settle() {
        view()->viewport()->repaint();
        QApplication::processEvents();
    }
    int shownNumber() { return piece<QSpinBox>("pageNumber")->value(); }
    std::set<int> paintedSet() const { return {painted.begin(), painted.end()}; }

    std::unique_ptr<ReportDocument> report;
    QWidget owner;
    ReportPreviewDialog dialog;
    std::vector<int> painted, paintedOutOfView;
};

struct PrintAnswer {
    bool accepted = true;
    QPrinter::PrintRange range = QPrinter::AllPages;
    int from = 0, to = 0;
    QString file = "out.pdf";   // in a folder of its own
};

// Prints from the preview with the print dialog answered; the pages in the PDF, or -1 for none.
int printFromPreview(Preview& preview, const PrintAnswer& answer) {
    QTemporaryDir dir;
    const QString path = dir.filePath(answer.file);
    int offered = 0;
    PrintDialog::setHandler([&](QPrinter& printer, int pageCount) {
        offered = pageCount;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPrintRange(answer.range);
        if (answer.range == QPrinter::PageRange) printer.setFromTo(answer.from, answer.to);
        return answer.accepted;
    });
    preview.click("print");
    PrintDialog::setHandler({});
    if (offered != preview.view()->pageCount()) return -2;
    return QFile::exists(path) ? pdfPages(path) : -1;
}
}  // namespace

class TestReportPreview : public QObject {
    Q_OBJECT
private slots:
    // At first the first page shows whole, and only what is in view is painted.
    void opensOnTheFirstPage() {
        const ReportPages pages = pagesOf(40);
        Preview p(pages);
        QCOMPARE(p.dialog.windowTitle(), QString("Pages"));
        QCOMPARE(p.dialog.parentWidget(), &p.owner);
        QCOMPARE(p.piece<QLabel>("pageCount")->text(), QString("of 40"));
        QCOMPARE(p.shownNumber(), 1);
        QCOMPARE(p.piece<QComboBox>("zoom")->currentText(), QString("Fit page"));
        QCOMPARE(p.piece<QPushButton>("print")->text(), QString("Print..."));
        QCOMPARE(p.piece<QPushButton>("close")->text(), QString("Close"));
        QVERIFY(!p.piece<QToolButton>("firstPage")->isEnabled());
        QVERIFY(!p.piece<QToolButton>("previousPage")->isEnabled());
        QVERIFY(p.piece<QToolButton>("nextPage")->isEnabled());
        // The whole page fits in the view.
        const QSize paper = pages.paper;
        const QSize room = p.view()->viewport()->size();
        QVERIFY(paper.width() * p.view()->scale() <= room.width());
        QVERIFY(paper.height() * p.view()->scale() <= room.height());
        QVERIFY(p.paintedSet().count(0));
        QVERIFY2(p.paintedSet().size() <= 2, qPrintable(QString::number(p.painted.size())));
        QVERIFY(p.paintedOutOfView.empty());
    }

    // The buttons, the page box and the keys go from page to page; each
    // page is painted when it comes into view, and none other.
    void navigationPaintsOnlyThePagesInView() {
        const ReportPages pages = pagesOf(40);
        Preview p(pages);
        struct Step { const char* what; std::function<void()> act; int number; };
        const std::vector<Step> steps{
            {"next", [&] { p.click("nextPage"); }, 2},
            {"last", [&] { p.click("lastPage"); }, 40},
            {"previous", [&] { p.click("previousPage"); }, 39},
            {"first", [&] { p.click("firstPage"); }, 1},
            {"page box", [&] {
                 QLineEdit* edit = p.piece<QSpinBox>("pageNumber")->findChild<QLineEdit*>();
                 edit->selectAll();
                 QTest::keyClicks(edit, "17");
                 QTest::keyClick(edit, Qt::Key_Return);
                 p.settle();
             }, 17},
            {"page down", [&] { p.key(Qt::Key_PageDown); }, 18},
            {"page up", [&] { p.key(Qt::Key_PageUp); }, 17},
            {"end", [&] { p.key(Qt::Key_End); }, 40},
            {"home", [&] { p.key(Qt::Key_Home); }, 1},
        };
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(p.view()->currentPage() == step.number - 1, step.what);
            QVERIFY2(p.shownNumber() == step.number, step.what);
            QVERIFY2(p.paintedSet().count(step.number - 1), step.what);
        }
        QVERIFY(p.dialog.isVisible());
        QVERIFY(p.paintedOutOfView.empty());
        // A page painted a while ago is at hand when it comes back into view.
        QCOMPARE(std::count(p.painted.begin(), p.painted.end(), 0), 1);
        // Pages passed over by a jump are never painted.
        QVERIFY(!p.paintedSet().count(10));
        QVERIFY(!p.paintedSet().count(30));
        QVERIFY(!p.piece<QToolButton>("firstPage")->isEnabled());
        p.click("lastPage");
        QVERIFY(!p.piece<QToolButton>("nextPage")->isEnabled());
        QVERIFY(!p.piece<QToolButton>("lastPage")->isEnabled());
    }

    // The wheel scrolls; with Ctrl it zooms. The page at the top stays there when the zoom changes.
    void wheelAndZoom() {
        const ReportPages pages = pagesOf(40);
        Preview p(pages);
        QComboBox* zoom = p.piece<QComboBox>("zoom");
        const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
            QWheelEvent event(QPointF(50, 50), p.view()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(p.view()->viewport(), &event);
            p.settle();
        };
        for (int i = 0; i < 12; ++i) wheel(-120, Qt::NoModifier);
        QVERIFY(p.view()->verticalScrollBar()->value() > 0);
        QVERIFY(p.view()->currentPage() > 0);

        p.click("firstPage");
        p.click("nextPage");
        p.click("nextPage");
        zoom->setCurrentIndex(zoom->findText("200%"));
        p.settle();
        QCOMPARE(p.view()->scale(), p.view()->actualSize() * 2);
        QCOMPARE(p.view()->currentPage(), 2);
        QCOMPARE(p.shownNumber(), 3);
        zoom->setCurrentIndex(zoom->findText("Fit width"));
        p.settle();
        QCOMPARE(qRound(pages.paper.width() * p.view()->scale()), p.view()->viewport()->width() - 32);
        QCOMPARE(p.view()->currentPage(), 2);
        // Ctrl and the wheel step through the percents, from a fit to the one past it.
        zoom->setCurrentIndex(zoom->findText("100%"));
        wheel(120, Qt::ControlModifier);
        QCOMPARE(zoom->currentText(), QString("125%"));
        wheel(-120, Qt::ControlModifier);
        wheel(-120, Qt::ControlModifier);
        QCOMPARE(zoom->currentText(), QString("75%"));
        QVERIFY(p.paintedOutOfView.empty());
    }

    void escapeAndCloseClose() {
        const ReportPages pages = pagesOf(3);
        {
            Preview p(pages);
            p.key(Qt::Key_Escape);
            QVERIFY(!p.dialog.isVisible());
        }
        {
            Preview p(pages);
            p.click("close");
            QVERIFY(!p.dialog.isVisible());
        }
    }

    // Print paints the pages chosen in the print dialog into its printer, here a PDF file.
    void printsThePagesChosen() {
        const ReportPages pages = pagesOf(7);
        Preview p(pages);
        p.click("nextPage");
        p.click("nextPage");
        struct Case { const char* what; PrintAnswer answer; int pages; };
        const std::vector<Case> cases{
            {"all", {}, 7},
            {"a range", {true, QPrinter::PageRange, 2, 4}, 3},
            {"a range past the end", {true, QPrinter::PageRange, 6, 99}, 2},
            {"the current page", {true, QPrinter::CurrentPage}, 1},
            {"cancelled", {false}, -1},
        };
        for (const Case& c : cases) {
            const int printed = printFromPreview(p, c.answer);
            QVERIFY2(printed == c.pages, qPrintable(QString("%1: %2").arg(c.what).arg(printed)));
            QVERIFY2(!BusyCursor::showing(), c.what);
        }
        // A file that cannot be written is said so, and the preview stays.
        ScriptedBoxes boxes;
        boxes.expect("Pages", Box::Answer::Ok, "could not be printed");
        QCOMPARE(printFromPreview(p, {true, QPrinter::AllPages, 0, 0, "no such folder/out.pdf"}), -1);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(p.dialog.isVisible());
    }

    // The preview counts the pages a slice at a time while it waits, "of N+"
    // until all are known; the last page is there at once, counted first.
    void countsPagesWhileShown() {
        {
            Preview p(std::make_unique<CountedSlowly>(pagesOf(200)));
            QVERIFY(p.piece<QLabel>("pageCount")->text().endsWith('+'));
            QVERIFY(p.piece<QToolButton>("lastPage")->isEnabled());
            QTRY_COMPARE(p.piece<QLabel>("pageCount")->text(), QString("of 200"));
            QCOMPARE(p.piece<QSpinBox>("pageNumber")->maximum(), 200);
        }
        Preview p(std::make_unique<CountedSlowly>(pagesOf(200)));
        p.click("nextPage");
        p.click("nextPage");
        QCOMPARE(p.shownNumber(), 3);
        p.click("lastPage");
        QCOMPARE(p.shownNumber(), 200);
        QCOMPARE(p.piece<QLabel>("pageCount")->text(), QString("of 200"));
        QVERIFY(!p.piece<QToolButton>("nextPage")->isEnabled());
        QVERIFY(p.paintedSet().count(199));
        QVERIFY(p.paintedOutOfView.empty());
    }

    // More than a few pages show their progress page by page; Cancel stops
    // before the next page, and the file begun is removed, which is said.
    // Only a printing of every page to its end prints the report in full.
    void progressAndCancel() {
        struct Case {
            const char* what;
            PrintAnswer answer;
            int cancelAt;
            int pdfPages;
            std::vector<int> progress;   // the pages it was shown for
            bool inFull;
            const char* box;
        };
        const std::vector<Case> cases{
            {"all", {}, 0, 7, {1, 2, 3, 4, 5, 6, 7}, true, nullptr},
            {"every page as a range", {true, QPrinter::PageRange, 1, 7}, 0, 7, {1, 2, 3, 4, 5, 6, 7}, true, nullptr},
            {"a few pages", {true, QPrinter::PageRange, 2, 4}, 0, 3, {}, false, nullptr},
            {"the current page", {true, QPrinter::CurrentPage}, 0, 1, {}, false, nullptr},
            {"cancelled", {}, 3, -1, {1, 2, 3}, false, "Printing was cancelled. The unfinished file"},
        };
        const ReportPages pages = pagesOf(7);
        for (const Case& c : cases) {
            Preview p(pages);
            std::vector<int> progress;
            int pagesSaid = 7;
            ReportPrinting::setProgressHandler([&](int page, int pages) {
                progress.push_back(page);
                pagesSaid = pages;
                return page != c.cancelAt;
            });
            ScriptedBoxes boxes;
            if (c.box) boxes.expect("Pages", Box::Answer::Ok, c.box);
            const int printed = printFromPreview(p, c.answer);
            ReportPrinting::setProgressHandler({});
            QVERIFY2(printed == c.pdfPages, qPrintable(QString("%1: %2").arg(c.what).arg(printed)));
            QVERIFY2(progress == c.progress, c.what);
            QVERIFY2(pagesSaid == 7, c.what);
            QVERIFY2(p.dialog.printedInFull() == c.inFull, c.what);
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QVERIFY2(p.dialog.isVisible(), c.what);
        }
    }

    // A cancelled PDF leaves an older file of its name as it was, and no
    // unfinished file beside it; a whole one takes the name.
    void aPdfTakesItsNameOnlyWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath("out.pdf");
        const ReportPages pages = pagesOf(7);
        Preview p(pages);
        PrintDialog::setHandler([&](QPrinter& printer, int) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        for (const int cancelAt : {3, 0}) {
            writeFileBytes(path, "older");
            ReportPrinting::setProgressHandler([&](int page, int) { return page != cancelAt; });
            ScriptedBoxes boxes;
            if (cancelAt) boxes.expect("Pages", Box::Answer::Ok, "nothing was written to " + path);
            p.click("print");
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
            if (cancelAt) QCOMPARE(fileBytes(path), QByteArray("older"));
            else QCOMPARE(pdfPages(path), 7);
        }
        ReportPrinting::setProgressHandler({});
        PrintDialog::setHandler({});
    }

    // A whole PDF has its folder synced once it has its name; when that sync
    // fails, the printing fails with the system's reason, and the file,
    // whole, is not said to be removed.
    void aPdfIsSyncedWithItsFolder() {
        QTemporaryDir dir;
        const QString path = dir.filePath("out.pdf");
        const ReportPages pages = pagesOf(2);
        Preview p(pages);
        PrintDialog::setHandler([&](QPrinter& printer, int) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        for (const bool syncFails : {false, true}) {
            FileCalls calls;
            QStringList synced;
            calls.watchFolderSync([&](const QString& folder) {
                synced << QFileInfo(folder).canonicalFilePath() + ": " + QString::number(pdfPages(path));
            });
            if (syncFails) calls.failFolderSync(EIO);
            ScriptedBoxes boxes;
            if (syncFails)
                boxes.expect("Pages", Box::Answer::Ok,
                             "The report could not be printed on " + path +
                                 " (the file is written, but its folder could not be synced to disk "
                                 "(Input/output error)).");
            p.click("print");
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QCOMPARE(synced, QStringList{QFileInfo(dir.path()).canonicalFilePath() + ": 2"});
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
        }
        PrintDialog::setHandler({});
    }

    // An error while printing into a file leaves no file behind; it goes to the error reporter.
    void anErrorWhilePrintingLeavesNoFile() {
        TestProgram program;
        Preview p(std::make_unique<CountedSlowly>(pagesOf(7), 4));
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok, "Print_Click");
        QCOMPARE(printFromPreview(p, {}), -1);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 1);
        QVERIFY(!p.dialog.printedInFull());
    }

    // The program's preview is this dialog, modal and owned by the window.
    void showReportPreviewOpensTheDialog() {
        const ReportPages pages = pagesOf(2);
        QWidget owner;
        owner.show();
        QString title;
        int count = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ReportPreviewDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            count = dialog->view()->pageCount();
            dialog->close();
        });
        showReportPreview(pages, "Invoice Detailed", &owner);
        QCOMPARE(title, QString("Invoice Detailed"));
        QCOMPARE(count, 2);
    }
};

QTEST_MAIN(TestReportPreview)
#include "test_report_preview.moc"
