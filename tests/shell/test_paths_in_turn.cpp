// Every printout, export, the letters, a backup and a restore, each after
// every other, in one run on one connection: none may depend on what an
// earlier one left open, and each gives its own right result every time.
#include "common/HandOver.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/FrmExport.h"
#include "debtors/PrintedReports.h"
#include "debtors/frmDebtor.h"
#include "debtors/frmReports.h"
#include "invoices/frmAddInv.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/Today.h"
#include "reports/PaperSize.h"
#include "reports/ReportInstance.h"
#include "reports/ReportPreview.h"
#include "shell/Backup.h"
#include "support/TableFixture.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <set>
#include <sqlite3.h>

namespace {
const QDate FixedToday(2026, 12, 10);
const QDate From(2026, 9, 1);

QVariant money(const QString& text) { return QVariant::fromValue(Currency::fromText(text)); }
QVariant day(const QDate& date) { return QDateTime(date, QTime(0, 0)); }

const QStringList Customers = {"C1", "C2", "C3", "C4"};
const QStringList Items = {"P1", "P2", "P3", "P4"};
// Twelve invoices of three lines each: enough for the detailed invoice
// report to run over several pages, so a preview closed on its first page
// leaves rows unread. Every third one is paid.
QString invoiceNo(int i) { return QString("INV%1").arg(i + 1, 4, 10, QChar('0')); }
bool unpaid(int i) { return i % 3 != 2; }
QStringList invoiceNos(bool unpaidOnly) {
    QStringList numbers;
    for (int i = 0; i < 12; ++i)
        if (!unpaidOnly || unpaid(i)) numbers << invoiceNo(i);
    return numbers;
}

void writeCompany() {
    insertRow("System",
              {"BusinessName", "Address", "Phone", "Web", "TaxAmount", "TaxEnabled", "TaxName", "Text3Name",
               "Text4Name", "InvPrefix", "Invstart", "CustPrefix", "CustStart", "PartPrefix", "PartStart",
               "InvoiceType", "Currency", "Reminder1", "Reminder2", "Reminder3", "DefaultStart", "DefaultEnd",
               "Present", "ConfirmAll", "Debtorstart"},
              {"Kelm Garden Supplies", "1 Mill Lane", "01234 567", "backed up", 17.5, 1, "VAT", "", "", "INV",
               "0013", "C", "0005", "P", "0005", "1", "$", "Please pay.", "Please pay now.", "Last reminder.",
               "09/01/2026", "12/10/2026", 1, 1, "0"});
    for (int c = 0; c < Customers.size(); ++c)
        insertRow("Customers", {"CustID", "Date", "FirstName", "LastName", "Address", "City", "Postcode"},
                  {Customers[c], day(From.addDays(c)), QString("First%1").arg(c), QString("Last%1").arg(c),
                   QString("%1 High St").arg(c + 1), "Town", "AB1"});
    for (int p = 0; p < Items.size(); ++p)
        insertRow("Parts", {"ID", "ShortDesc", "Desc", "Price", "Taxable"},
                  {Items[p], QString("Item %1").arg(p), QString("The item %1").arg(p), money("2.50"), 1});
    for (int i = 0; i < 12; ++i) {
        const QVariant total = money("30"), paid = unpaid(i) ? money("10") : total;
        insertRow("Invoices",
                  {"InvNo", "CustNo", "CustomerName", "Date", "Subtotal", "Vat", "Total", "Paid", "WrittenOff",
                   "Balance", "TaxPer", "DiscountPercentage"},
                  {invoiceNo(i), Customers[i % 4], QString("First%1 Last%1").arg(i % 4), day(FixedToday.addDays(-7 * i)),
                   total, money("0"), total, paid, money("0"),
                   QVariant::fromValue(total.value<Currency>() - paid.value<Currency>()), 0.0, 0.0});
        for (int l = 0; l < 3; ++l)
            insertRow("InvoiceD", {"InvNo", "PartID", "Qty", "Description", "Amount", "Total", "Taxable"},
                      {invoiceNo(i), Items[l], 4, QString("Line %1").arg(l), money("2.50"), money("10"), 1});
    }
    QVERIFY(loadSettingsValues());
    DatabaseReady = 1;
}

QVariant value(const QString& sql) {
    Statement s(Database::shared(), sql);
    return s.step() ? s.value(0) : QVariant();
}

QStringList fileLines(const QString& path) {
    QStringList lines = QString::fromUtf8(fileBytes(path)).split("\r\n");
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

// What a path left open when it ended: statements of the connection standing
// on a row, the shared record set, a report design's data source.
QString leftOpen() {
    QStringList open;
    int standing = 0;
    sqlite3* db = Database::shared().handle();
    for (sqlite3_stmt* s = sqlite3_next_stmt(db, nullptr); s; s = sqlite3_next_stmt(db, s))
        if (sqlite3_stmt_busy(s)) ++standing;
    if (standing > 0) open << QString("%1 statements standing on a row").arg(standing);
    if (ShapeRs) open << "the shared record set";
    for (int r = 0; r < PrintedReports::Count; ++r) {
        const char* design = PrintedReports::entry(PrintedReports::Report(r)).design;
        if (ReportInstance::of(design).dataSource) open << QString(design) + "'s data source";
    }
    return open.isEmpty() ? QString() : "it left open " + open.join(", ");
}

// The walk over the complete directed graph of n paths that takes every
// edge once (an Euler circuit): every path follows every other exactly once.
std::vector<int> everyPairOnce(int n) {
    std::vector<std::vector<int>> unused(static_cast<size_t>(n));
    for (int a = 0; a < n; ++a)
        for (int b = n - 1; b >= 0; --b)
            if (a != b) unused[size_t(a)].push_back(b);
    std::vector<int> stack{0}, walk;
    while (!stack.empty()) {
        auto& next = unused[size_t(stack.back())];
        if (next.empty()) {
            walk.push_back(stack.back());
            stack.pop_back();
        } else {
            stack.push_back(next.back());
            next.pop_back();
        }
    }
    std::reverse(walk.begin(), walk.end());
    return walk;
}
}  // namespace

class TestPathsInTurn : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    QTemporaryDir elsewhere;
    struct Preview {
        QString title;
        ReportPages pages;
    };
    std::vector<Preview> previews;

    QString restoreSource() const { return QDir(elsewhere.path()).filePath("kept/Data.mdb"); }
    QString backupTarget() const { return QDir(elsewhere.path()).filePath("Copy.mdb"); }

    // The texts of every placed control of that name on the only preview shown.
    QString shownTexts(const QString& title, const QString& control, QStringList* texts) const {
        if (previews.size() != 1) return QString("%1 previews shown").arg(previews.size());
        if (previews[0].title != title) return "preview titled " + previews[0].title;
        for (const ReportPage& page : previews[0].pages.pages)
            for (const PlacedItem& item : page.items)
                if (item.control().name.compare(control, Qt::CaseInsensitive) == 0) *texts << item.text;
        return QString();
    }
    QString showsRows(const QString& title, const QString& control, const QStringList& expected) const {
        QStringList texts;
        if (const QString wrong = shownTexts(title, control, &texts); !wrong.isEmpty()) return wrong;
        return texts == expected ? QString() : control + " shows " + texts.join(' ');
    }

    // Each path: what it did wrong, "" when nothing.
    QString report(int index) {
        static const char* titles[] = {"Customer Information", "Customer Information - Detailed",
                                       "Invoice Summary",      "Invoice Detailed",
                                       "Parts",                "Debtors"};
        static const char* keys[] = {"CUSTID", "CUSTID", "InvNo", "InvNo", "ID", "InvNo"};
        const QStringList expected[] = {Customers, Customers, invoiceNos(false), invoiceNos(false), Items,
                                        invoiceNos(true)};
        {
            frmReports window;
            window.show();
            window.DTPicker1->setDate(From);
            window.DTPicker2->setDate(FixedToday);
            window.list1->setCurrentRow(index);
            window.Select_cmd->click();
            window.exit_cmd->click();
        }
        const QString wrong = showsRows(titles[index], keys[index], expected[index]);
        if (!wrong.isEmpty() || index != 3) return wrong;
        QStringList lines;   // every invoice's own three lines under it
        for (int i = 0; i < 12; ++i) lines << Items.mid(0, 3);
        return showsRows(titles[index], "Line_PartID", lines);
    }

    QString invoicePrint() {
        gHandOver.InvEditMode = 1;
        gHandOver.InvToEdit = invoiceNo(2);
        {
            frmAddInv editor;
            editor.show();
            editor.toolbarButton(8)->trigger();
            editor.exit_cmd->click();
        }
        return showsRows("INVOICE - " + invoiceNo(2), "Parts1_lbl", {"P2"});
    }

    QString exportFile(int index, ScriptedBoxes& boxes) {
        static const char* headers[] = {
            "Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,",
            "Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,Phone,Mobile,Fax,Email,"
            "DelAddress1,DelAddress2,DelAddress3,DelAddress4,DelAddress5,",
            "Date,Invno,Custno,CustomerName,Subtotal,Tax,Total,Discount,Paid,WrittenOff,Balance,Notes,"
            "DiscountPercentage,Field1,Field2,Field3,Field4,",
            "Date,Invno,Custno,CustomerName,Subtotal,Tax,Total,Discount,Paid,WrittenOff,Balance,Notes,"
            "DiscountPercentage,Field1,Field2,Field3,Field4,",
            "ID,ShortDesc,Desc,Price",
            "Date,invno,Custno,CustomerName,Subtotal,Vat,Total,Discount,Paid,WrittenOff,balance,0-30 Days,"
            "31-60 Days,61+ Days,Notes,"};
        const QStringList keys[] = {Customers, Customers, invoiceNos(false), invoiceNos(false), Items,
                                    invoiceNos(true)};
        const int keyField = index == 4 ? 0 : 1;
        // Each invoice's three lines follow it on its line, five fields each.
        const qsizetype commas = QString(headers[index]).count(',') + (index == 3 ? 15 : 0);
        QString path;
        {
            FrmExport window;
            window.show();
            window.list1->setCurrentRow(index);
            window.Path_txt->setText(elsewhere.path());
            path = QDir(elsewhere.path()).filePath(window.Filename_txt->text() + ".csv");
            if (QFile::exists(path)) boxes.expect("Overwrite?", Box::Answer::Yes);
            boxes.expect("Successful", Box::Answer::Ok, "Export successfully completed.");
            window.Export_cmd->click();
            window.exit_cmd->click();
        }
        const QStringList lines = fileLines(path);
        if (lines.value(0) != headers[index]) return "the file begins " + lines.value(0);
        QStringList written;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (lines[i].count(',') != commas) return "the line " + lines[i];
            written << lines[i].section(',', keyField, keyField);
        }
        return written == keys[index] ? QString() : "the file holds " + written.join(' ');
    }

    // Two unpaid invoices ticked: two letters, looked at and not printed.
    QString letters() {
        const QStringList chosen = {invoiceNo(1), invoiceNo(4)};
        int written = 0;
        {
            frmDebtor window;
            window.show();
            const ListKit::Model& rows = *window.debtors();
            for (int r = 0; r < rows.rowCount(); ++r)
                if (chosen.contains(rows.text(r, frmDebtor::InvNo))) window.debtors()->setChecked(r, true);
            window.toolbarButton(3)->trigger();
            window.Reminder1->setPlainText("Please pay.");
            window.OK_cmd->click();
            written = window.LetterCount;
            window.Command1->click();
        }
        if (written != 2) return QString("%1 letters written").arg(written);
        if (const QString wrong = showsRows("Reminder", "invno_txt", chosen); !wrong.isEmpty()) return wrong;
        return int(previews[0].pages.pages.size()) == 2 ? QString() : "the letters take another number of pages";
    }

    QString backup(ScriptedBoxes& boxes, ScriptedFileDialogs& dialogs) {
        dialogs.answer(backupTarget());
        if (QFile::exists(backupTarget())) boxes.expect("Overwite File", Box::Answer::Yes);
        boxes.expect("Successful", Box::Answer::Ok, "Save was Successful");
        MnuSave_Click(nullptr);
        return fileBytes(backupTarget()) == fileBytes(program->file("data.mdb")) ? QString()
                                                                                 : "the copy differs from the data";
    }

    // The live settings changed first, so the restored ones show.
    QString restore(ScriptedBoxes& boxes, ScriptedFileDialogs& dialogs) {
        Database::shared().exec("UPDATE System SET Web = 'changed since'");
        dialogs.answer(restoreSource());
        boxes.expect("Confirm", Box::Answer::Yes).expect("Successful", Box::Answer::Ok, "Restore has been Successful");
        mnurestore_Click(nullptr);
        if (value("SELECT Web FROM System").toString() != "backed up") return "the data is not the backup's";
        return gSettings.Web.trimmed() == "backed up" ? QString() : "the settings are not the backup's";
    }

    QString run(int path) {
        ScriptedBoxes boxes;
        ScriptedFileDialogs dialogs;
        previews.clear();
        const int endings = program->endings();
        QString wrong;
        if (path < 6) wrong = report(path);
        else if (path == 6) wrong = invoicePrint();
        else if (path < 13) wrong = exportFile(path - 7, boxes);
        else if (path == 13) wrong = letters();
        else if (path == 14) wrong = backup(boxes, dialogs);
        else wrong = restore(boxes, dialogs);
        if (program->endings() != endings) wrong = "an error ended the program; " + wrong;
        wrong += " " + leftOpen();
        if (!boxes.allAnswered()) wrong += " " + boxes.report();
        if (!dialogs.allAnswered()) wrong += " " + dialogs.report();
        return wrong.trimmed();
    }

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        program->createDatabase();
        writeCompany();
        QVERIFY(QDir(elsewhere.path()).mkpath("kept"));
        QFile::remove(restoreSource());
        QVERIFY(QFile::copy(program->file("data.mdb"), restoreSource()));
        Today::fix(FixedToday);
        setPaperSizeSource([] { return QPageSize(QPageSize::Letter); });
        setReportPreviewHook([this](const ReportPages& pages, const QString& title, QWidget*) {
            previews.push_back({title, pages});
        });
    }
    void cleanup() {
        setReportPreviewHook({});
        setPaperSizeSource({});
        program.reset();
    }

    // The six reports, an invoice, the six exports, the letters, a backup and
    // a restore: each one after each other one.
    void everyPathAfterEveryOther() {
        const QStringList names = {"Customers - Summary report", "Customers - Detailed report",
                                   "Invoices - Summary report", "Invoices and Invoice Details report",
                                   "Items report", "Debtors report", "invoice print",
                                   "Customers - Summary export", "Customers - Detailed export",
                                   "Invoices - Summary export", "Invoices and Invoice Details export",
                                   "Items export", "Debtors export", "letters", "backup", "restore"};
        const std::vector<int> walk = everyPairOnce(int(names.size()));
        std::set<std::pair<int, int>> pairs;
        for (size_t i = 1; i < walk.size(); ++i) pairs.insert({walk[i - 1], walk[i]});
        QCOMPARE(int(pairs.size()), int(names.size() * (names.size() - 1)));

        QStringList failures;
        for (size_t i = 0; i < walk.size(); ++i) {
            const QString wrong = run(walk[i]);
            if (wrong.isEmpty()) continue;
            failures << (i == 0 ? QString() : "after the " + names[walk[i - 1]] + ", ") + "the " +
                            names[walk[i]] + ": " + wrong;
        }
        QVERIFY2(failures.isEmpty(), qPrintable(QString("%1 of %2 steps failed:\n").arg(failures.size()).arg(walk.size()) +
                                                failures.mid(0, 12).join('\n')));
    }
};

QTEST_MAIN(TestPathsInTurn)
#include "test_paths_in_turn.moc"
