#include "common/MakerWeb.h"
#include "common/Opener.h"
#include "shell/BrowserWindow.h"
#include "shell/WindowRegistry.h"
#include "shell/frmBrowser.h"
#include "support/TestSupport.h"
#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineView>
#include <QtTest>

// The web engine reads its settings when the application object is made.
static const bool webEngineReady = (prepareWebEngine(), true);

namespace {
constexpr int LoadWait = 20000;

void writePage(const QString& path, const QString& title, const QString& body = QString()) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QString("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8());
}

// Every caption the window shows, in order.
struct Captions {
    QStringList seen;
    explicit Captions(QWidget& w) {
        QObject::connect(&w, &QWidget::windowTitleChanged, &w, [this](const QString& t) { seen << t; });
    }
};
}  // namespace

class TestBrowser : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

    QUrl page(const QString& name) const { return QUrl::fromLocalFile(program->file(name)); }

    // A window on a local home page that links to a second page, loaded.
    std::unique_ptr<frmBrowser> openOnHome() {
        writePage(program->file("home.htm"), "Home Page", "<a href='next.htm' style='display:block;height:400px'>next</a>");
        writePage(program->file("next.htm"), "Next Page");
        auto w = std::make_unique<frmBrowser>(nullptr, page("home.htm"));
        w->show();
        return w;
    }

    // A toolbar click that loads a page: "Working..." from the first tick,
    // then the page's title once it is loaded, and the timer stops.
    static void clickAndLoad(frmBrowser& w, const QString& key, const QString& title) {
        w.tbToolBar->button(key)->trigger();
        QVERIFY(w.timTimer->isActive());
        w.timTimer_Timer();   // the first tick, before the page is back
        QCOMPARE(w.windowTitle(), QString("Working..."));
        QTRY_VERIFY_WITH_TIMEOUT(!w.timTimer->isActive(), LoadWait);
        QCOMPARE(w.windowTitle(), title);
    }

    // The window open on its home page, loaded.
    static void waitForHome(frmBrowser& w) {
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QString("Home Page"), LoadWait);
    }

    // A user's click on the link, which fills the whole page.
    static void followLink(frmBrowser& w) {
        QWidget* surface = w.brwWebBrowser->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(40, 40));
    }

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void windowIsRegistered() {
        QVERIFY(webEngineReady);
        registerWindows();
        QVERIFY(Opener::has("frmBrowser"));
    }

    void opensOnTheMakersHomePage() {
        frmBrowser w;
        QCOMPARE(w.windowTitle(), QString());      // no caption of its own
        QTRY_COMPARE_WITH_TIMEOUT(w.brwWebBrowser->url(), QUrl(MakerHomePage), LoadWait);
        QCOMPARE(w.timTimer->interval(), 5);
        QVERIFY(!w.timTimer->isActive());
        QStringList keys;
        for (QAction* a : w.tbToolBar->actions()) keys << a->objectName();
        QCOMPARE(keys, (QStringList{"Back", "Forward", "Refresh", "Home"}));
        QCOMPARE(w.exit_cmd->text(), QString("&Exit"));
    }

    // The first load was not started from the toolbar: the caption follows
    // when it completes, without "Working...".
    void loadingShowsThePageTitle() {
        auto w = openOnHome();
        Captions captions(*w);
        waitForHome(*w);
        QVERIFY(!captions.seen.contains("Working..."));
    }

    void homeReadsWorkingUntilLoaded() {
        auto w = openOnHome();
        waitForHome(*w);
        clickAndLoad(*w, "Home", "Home Page");
    }

    void refreshReadsWorkingUntilLoaded() {
        auto w = openOnHome();
        waitForHome(*w);
        writePage(program->file("home.htm"), "Home Page, changed");
        clickAndLoad(*w, "Refresh", "Home Page, changed");
    }

    void backWithNothingEarlierStopsAtTheNextTick() {
        auto w = openOnHome();
        waitForHome(*w);
        w->setWindowTitle("stale");
        Captions captions(*w);
        w->tbToolBar->button("Back")->trigger();
        QVERIFY(w->timTimer->isActive());
        w->timTimer_Timer();
        QVERIFY(!w->timTimer->isActive());
        QCOMPARE(w->windowTitle(), QString("Home Page"));
        QVERIFY(!captions.seen.contains("Working..."));
        QCOMPARE(w->brwWebBrowser->url(), page("home.htm"));
    }

    // A link in the page does not start the timer: no "Working...", and the
    // caption changes when its page completes. Back and Forward then move
    // through the history, each reading "Working..." first.
    void linksAndHistory() {
        auto w = openOnHome();
        waitForHome(*w);
        Captions captions(*w);
        followLink(*w);
        QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Next Page"), LoadWait);
        QVERIFY(!w->timTimer->isActive());
        QVERIFY(!captions.seen.contains("Working..."));

        clickAndLoad(*w, "Back", "Home Page");
        clickAndLoad(*w, "Forward", "Next Page");
    }

    // A page that moved on by script leaves a history entry the engine skips:
    // Back then loads nothing, and the caption must not stay "Working...".
    void backThatLoadsNothingEndsWorking() {
        auto w = openOnHome();
        waitForHome(*w);
        w->brwWebBrowser->page()->runJavaScript("location.href = 'next.htm';");
        QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Next Page"), LoadWait);
        QVERIFY(w->brwWebBrowser->history()->canGoBack());
        w->tbToolBar->button("Back")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!w->timTimer->isActive(), 5000);
        QCOMPARE(w->windowTitle(), w->locationName());
    }

    void exitCloses() {
        auto w = openOnHome();
        w->exit_cmd->click();
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(TestBrowser)
#include "test_browser.moc"
