#include "shell/frmBrowser.h"
#include "common/Functions.h"
#include "common/MakerWeb.h"
#include "shell/BrowserWindow.h"
#include <QCoreApplication>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineView>
#include <unistd.h>

void prepareWebEngine() {
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

frmBrowser::frmBrowser(QWidget* owner, const QUrl& homePage)
    : QDialog(owner), home_(homePage.isEmpty() ? QUrl(MakerHomePage) : homePage) {
    setObjectName("frmBrowser");
    tbToolBar = new BrowserToolBar(this);
    brwWebBrowser = new QWebEngineView(this);
    brwWebBrowser->setObjectName("brwWebBrowser");
    timTimer = new QTimer(this);
    timTimer->setObjectName("timTimer");
    timTimer->setInterval(5);

    exit_cmd = layOutBrowserWindow(this, tbToolBar, brwWebBrowser);

    connect(tbToolBar, &BrowserToolBar::buttonClicked, this, &frmBrowser::tbToolBar_ButtonClick);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);
    connect(brwWebBrowser, &QWebEngineView::loadStarted, this, [this] {
        loading_ = true;
        expecting_.invalidate();
    });
    connect(brwWebBrowser, &QWebEngineView::loadFinished, this, [this] {
        loading_ = false;
        expecting_.invalidate();
        brwWebBrowser_DownloadComplete();
    });
    Form_Load();
}

void frmBrowser::Form_Load() {
    Wait_Cursor_On();
    resize(900, 650);
    centreOnScreen(this);
    navigateHome();
    Wait_Cursor_Off();
}

// The view reports the start of a load only a little later, so a navigation
// counts as busy at once; one that never starts a load (the engine may skip
// a history entry) stops counting after a moment.
void frmBrowser::expectLoad() { expecting_.start(); }

bool frmBrowser::busy() const {
    constexpr qint64 LoadStartWait = 1000;
    return loading_ || (expecting_.isValid() && expecting_.elapsed() < LoadStartWait);
}

void frmBrowser::navigateHome() {
    expectLoad();
    brwWebBrowser->load(home_);
}

QString frmBrowser::locationName() const {
    const QString title = brwWebBrowser->title();
    return title.isEmpty() ? brwWebBrowser->url().toString() : title;
}

// Back at the start of the history and Forward at its end load nothing.
void frmBrowser::tbToolBar_ButtonClick(const QString& key) {
    timTimer->start();
    QWebEngineHistory* history = brwWebBrowser->history();
    if (key == "Back") {
        if (history->canGoBack()) { expectLoad(); brwWebBrowser->back(); }
    } else if (key == "Forward") {
        if (history->canGoForward()) { expectLoad(); brwWebBrowser->forward(); }
    } else if (key == "Refresh") {
        expectLoad();
        brwWebBrowser->reload();
    } else if (key == "Home") {
        navigateHome();
    }
}

void frmBrowser::timTimer_Timer() {
    if (busy()) {
        setWindowTitle("Working...");
        return;
    }
    timTimer->stop();
    setWindowTitle(locationName());
}

void frmBrowser::brwWebBrowser_DownloadComplete() { setWindowTitle(locationName()); }
