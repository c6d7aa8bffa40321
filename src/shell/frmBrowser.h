#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <QUrl>

class BrowserToolBar;
class QPushButton;
class QTimer;
class QWebEngineView;

// Must run before the application object exists: the web engine's sandbox
// cannot run as root, so there it is switched off.
void prepareWebEngine();

// A small web browser on the maker's home page. While a load started from
// its toolbar is under way the caption reads "Working...", and the page's
// title once it is done.
class frmBrowser : public QDialog {
    Q_OBJECT
public:
    explicit frmBrowser(QWidget* owner = nullptr, const QUrl& homePage = QUrl());

    BrowserToolBar* tbToolBar;
    QWebEngineView* brwWebBrowser;
    QTimer* timTimer;
    QPushButton* exit_cmd;

    // True from a toolbar navigation, or a load the page started, until the
    // page has finished loading.
    bool busy() const;
    // The name of the page shown: its title, or its address when it has none.
    QString locationName() const;

public slots:
    void tbToolBar_ButtonClick(const QString& key);
    void timTimer_Timer();
    void brwWebBrowser_DownloadComplete();

private:
    void Form_Load();
    void navigateHome();

    void expectLoad();

    QUrl home_;
    bool loading_ = false;
    QElapsedTimer expecting_;   // running from a navigation until its load starts
};
