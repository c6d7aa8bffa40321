#include "common/HandOver.h"
#include "common/Opener.h"
#include "platform/BusyCursor.h"
#include "shell/BrowserWindow.h"
#include "shell/Help_frm.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

namespace {
const QStringList HelpPages = {"help.htm", "customers.htm", "Invoice.htm", "Items.htm", "debtors.htm"};

QString shippedPage(const QString& name) {
    return QFINDTESTDATA("../../resources/help/" + name);
}

void writePage(const QString& path, const QString& title, const QString& body = QString()) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QString("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8());
}

QString shownFile(const Help_frm& w) { return QFileInfo(w.brwWebBrowser->source().toLocalFile()).fileName(); }
QString shownTitle(const Help_frm& w) { return w.brwWebBrowser->documentTitle(); }
void click(Help_frm& w, const QString& key) { w.tbToolBar->button(key)->trigger(); }
}  // namespace

class TestHelp : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void windowIsRegistered() {
        registerWindows();
        QVERIFY(Opener::has("Help_frm"));
    }

    // Each page the build ships opens by the name its Help button hands over,
    // and every link in it leads to a page that is there, spelled as stored.
    void shippedPagesOpenAndLinkToEachOther_data() {
        QTest::addColumn<QString>("page");
        for (const QString& page : HelpPages) QTest::newRow(qPrintable(page)) << page;
    }
    void shippedPagesOpenAndLinkToEachOther() {
        QFETCH(QString, page);
        for (const QString& name : HelpPages) {
            QVERIFY2(!shippedPage(name).isEmpty(), qPrintable(name + " is not shipped"));
            QVERIFY(QFile::copy(shippedPage(name), program->file(name)));
        }
        gHandOver.HelpPage = page;
        Help_frm w;
        QCOMPARE(shownFile(w), page);
        QVERIFY(w.brwWebBrowser->toPlainText().size() > 500);
        QVERIFY(!shownTitle(w).isEmpty());

        QFile f(program->file(page));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        const QRegularExpression link("href=\"([^\"]+)\"");
        int links = 0;
        for (auto m = link.globalMatch(html); m.hasNext(); ++links) {
            const QString target = m.next().captured(1);
            QVERIFY2(HelpPages.contains(target), qPrintable(page + " links to " + target));
        }
        QVERIFY(links >= 4);
    }

    void windowLooksAsDesigned() {
        writePage(program->file("help.htm"), "Contents");
        gHandOver.HelpPage = QString("help.htm");
        Help_frm w;
        QCOMPARE(w.windowTitle(), QString("Help"));
        QCOMPARE(w.exit_cmd->text(), QString("&Exit"));
        QStringList keys;
        for (QAction* a : w.tbToolBar->actions()) keys << a->objectName();
        QCOMPARE(keys, (QStringList{"Back", "Forward", "Refresh", "Home"}));
        QCOMPARE(BusyCursor::depth(), 0);
        w.show();
        w.exit_cmd->click();
        QVERIFY(!w.isVisible());
    }

    void toolbarNavigates() {
        writePage(program->file("help.htm"), "Contents");
        writePage(program->file("Invoice.htm"), "Invoices");
        gHandOver.HelpPage = QString("Invoice.htm");
        Help_frm w;
        QCOMPARE(shownTitle(w), QString("Invoices"));
        click(w, "Back");      // nothing before the first page
        QCOMPARE(shownTitle(w), QString("Invoices"));
        click(w, "Home");
        QCOMPARE(shownFile(w), QString("help.htm"));
        QCOMPARE(shownTitle(w), QString("Contents"));
        click(w, "Forward");   // nothing ahead
        QCOMPARE(shownTitle(w), QString("Contents"));
        click(w, "Back");
        QCOMPARE(shownTitle(w), QString("Invoices"));
        click(w, "Forward");
        QCOMPARE(shownTitle(w), QString("Contents"));
        writePage(program->file("help.htm"), "Contents, changed");
        click(w, "Refresh");
        QCOMPARE(shownTitle(w), QString("Contents, changed"));
        QCOMPARE(gHandOver.HelpPage.trimmed(), QString("Invoice.htm"));   // read, never changed
    }

    // The hand-over value is blank-filled to 30 characters; the file is named without the blanks.
    void pageNameFillsTheWholeValue_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("short name") << "debtors.htm";
        QTest::newRow("exactly 30 characters") << "abcdefghijklmnopqrstuvwxyz.htm";
    }
    void pageNameFillsTheWholeValue() {
        QFETCH(QString, page);
        writePage(program->file(page), "Found");
        gHandOver.HelpPage = page;
        QCOMPARE(gHandOver.HelpPage.text().size(), 30);
        Help_frm w;
        QCOMPARE(w.brwWebBrowser->source().toLocalFile(), QDir(program->folder()).filePath(page));
        QCOMPARE(shownTitle(w), QString("Found"));
    }

    // A missing page says which page is missing, wherever the road to it came from.
    void missingPageIsNamed() {
        gHandOver.HelpPage = QString("missing.htm");
        Help_frm w;
        QVERIFY2(w.brwWebBrowser->toPlainText().contains("\"missing.htm\" cannot be found"),
                 qPrintable(w.brwWebBrowser->toPlainText()));
        QVERIFY(w.brwWebBrowser->toPlainText().contains(QDir::toNativeSeparators(program->folder())));
        QCOMPARE(BusyCursor::depth(), 0);
        click(w, "Home");
        QVERIFY(w.brwWebBrowser->toPlainText().contains("\"help.htm\" cannot be found"));
        writePage(program->file("help.htm"), "Home page");
        click(w, "Refresh");
        QCOMPARE(shownTitle(w), QString("Home page"));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
