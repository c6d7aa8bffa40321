#include "shell/Help_frm.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "platform/ProgramFolder.h"
#include "shell/BrowserWindow.h"
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>

namespace {
const QString HomePage = "help.htm";

// A help page whose file is missing says so, instead of an empty page.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        const QVariant found = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || !found.isNull()) return found;
        const QFileInfo page(name.toLocalFile());
        return QString("<h3>Help page not found</h3><p>The help page \"%1\" cannot be found in the folder %2.</p>")
            .arg(page.fileName().toHtmlEscaped(), QDir::toNativeSeparators(page.absolutePath()).toHtmlEscaped());
    }
};
}  // namespace

Help_frm::Help_frm(QWidget* owner) : QDialog(owner) {
    setObjectName("Help_frm");
    setWindowTitle("Help");
    tbToolBar = new BrowserToolBar(this);
    brwWebBrowser = new HelpBrowser(this);
    brwWebBrowser->setObjectName("brwWebBrowser");

    exit_cmd = layOutBrowserWindow(this, tbToolBar, brwWebBrowser);

    connect(tbToolBar, &BrowserToolBar::buttonClicked, this, &Help_frm::tbToolBar_ButtonClick);
    Form_Load();
}

QUrl Help_frm::pageAddress(const QString& page) {
    return QUrl::fromLocalFile(ProgramFolder::file(FixedText<30>::trimBlanks(page)));
}

void Help_frm::Form_Load() {
    Wait_Cursor_On();
    brwWebBrowser->setSource(pageAddress(gHandOver.HelpPage.text()));
    resize(760, 560);
    centreOnScreen(this);
    Wait_Cursor_Off();
}

// Back at the start of the history and Forward at its end do nothing.
void Help_frm::tbToolBar_ButtonClick(const QString& key) {
    if (key == "Back") brwWebBrowser->backward();
    else if (key == "Forward") brwWebBrowser->forward();
    else if (key == "Refresh") brwWebBrowser->reload();
    else if (key == "Home") brwWebBrowser->setSource(pageAddress(HomePage));
}
