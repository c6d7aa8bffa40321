#pragma once
#include <QDialog>
#include <QUrl>

class BrowserToolBar;
class QPushButton;
class QTextBrowser;

// The help viewer: shows the local help page named by the hand-over value
// HelpPage, with its own history for Back and Forward.
class Help_frm : public QDialog {
    Q_OBJECT
public:
    explicit Help_frm(QWidget* owner = nullptr);

    // The address of a help page in the program folder; the blanks that fill
    // the hand-over value are not part of the file name.
    static QUrl pageAddress(const QString& page);

    BrowserToolBar* tbToolBar;
    QTextBrowser* brwWebBrowser;
    QPushButton* exit_cmd;

public slots:
    void tbToolBar_ButtonClick(const QString& key);

private:
    void Form_Load();
};
