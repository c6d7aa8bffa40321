#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "reports/PaperSize.h"
#include "reports/ReportDesign.h"
#include "reports/ReportInstance.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPager.h"
#include "reports/ReportPainter.h"
#include "reports/ReportPreview.h"
#include "support/TestSupport.h"
#include <QApplication>
#include <QFontMetricsF>
#include <QtTest>
#include <deque>

namespace {
// A list report: 12 rows of 1000 twips fit on the first Letter page under
// the report and page headers, above the page footer.
const char* listDesign = "{"
" 'name': 'List_rpt', 'reportWidth': 9000,"
" 'margins': {'left': 1000, 'right': 1000, 'top': 1000, 'bottom': 1000},"
" 'sections': ["
"  {'name': 'Section4', 'kind': 'reportHeader', 'height': 500, 'controls': ["
"    {'name': 'Title', 'kind': 'label', 'caption': 'Items', 'left': 0, 'top': 0, 'width': 3000, 'height': 300}]},"
"  {'name': 'Section2', 'kind': 'pageHeader', 'height': 300, 'controls': ["
"    {'name': 'IdCaption', 'kind': 'label', 'caption': 'Item ID', 'left': 0, 'top': 0, 'width': 1500, 'height': 300},"
"    {'name': 'Draft', 'kind': 'label', 'caption': 'DRAFT', 'visible': false, 'left': 5000, 'top': 0, 'width': 1500, 'height': 300}]},"
"  {'name': 'Details', 'kind': 'detail', 'height': 1000, 'controls': ["
"    {'name': 'IdBox', 'kind': 'textBox', 'dataField': 'id', 'left': 0, 'top': 100, 'width': 1500, 'height': 300},"
"    {'name': 'PriceBox', 'kind': 'textBox', 'dataField': 'PRICE', 'format': '0.00', 'align': 'right',"
"     'left': 6000, 'top': 100, 'width': 1500, 'height': 300}]},"
"  {'name': 'Section3', 'kind': 'pageFooter', 'height': 200, 'controls': ["
"    {'name': 'Rule', 'kind': 'line', 'left': 0, 'top': 0, 'width': 9000, 'height': 0}]},"
"  {'name': 'Section5', 'kind': 'reportFooter', 'height': 400, 'controls': ["
"    {'name': 'PriceSum', 'kind': 'function', 'function': 'sum', 'dataField': 'price', 'format': '0.00',"
"     'left': 6000, 'top': 0, 'width': 1500, 'height': 300},"
"    {'name': 'RowCount', 'kind': 'function', 'function': 'count', 'left': 0, 'top': 0, 'width': 1500, 'height': 300}]}"
" ]}";

// Invoices with their lines: a group per invoice, a detail per line.
const char* groupedDesign = "{"
" 'name': 'Grouped_rpt', 'reportWidth': 14000, 'orientation': 'landscape',"
" 'margins': {'left': 500, 'right': 500, 'top': 500, 'bottom': 500},"
" 'sections': ["
"  {'name': 'Main', 'kind': 'groupHeader', 'height': 300, 'controls': ["
"    {'name': 'InvBox', 'kind': 'textBox', 'dataField': 'InvNo', 'left': 0, 'top': 0, 'width': 2000, 'height': 300}]},"
"  {'name': 'Details', 'kind': 'detail', 'height': 250, 'dataMember': 'Details', 'controls': ["
"    {'name': 'DescBox', 'kind': 'textBox', 'dataField': 'Description', 'dataMember': 'Details',"
"     'left': 500, 'top': 0, 'width': 4000, 'height': 250}]},"
"  {'name': 'Section7', 'kind': 'groupFooter', 'height': 100, 'controls': ["
"    {'name': 'LineSum', 'kind': 'function', 'function': 'sum', 'dataField': 'total', 'dataMember': 'details',"
"     'format': '0.00', 'left': 8000, 'top': 0, 'width': 1500, 'height': 100}]},"
"  {'name': 'Section5', 'kind': 'reportFooter', 'height': 300, 'controls': ["
"    {'name': 'AllLines', 'kind': 'function', 'function': 'count', 'dataMember': 'Details',"
"     'left': 0, 'top': 0, 'width': 1500, 'height': 300},"
"    {'name': 'InvoiceSum', 'kind': 'function', 'function': 'sum', 'dataField': 'Total', 'format': '0.00',"
"     'left': 8000, 'top': 0, 'width': 1500, 'height': 300}]}"
" ]}";

// Sums and counts shown before their rows: in the report header and in each group header.
const char* aheadDesign = "{"
" 'name': 'Ahead_rpt', 'margins': {'left': 500, 'right': 500, 'top': 500, 'bottom': 500},"
" 'sections': ["
"  {'name': 'Section4', 'kind': 'reportHeader', 'height': 300, 'controls': ["
"    {'name': 'AllLinesAhead', 'kind': 'function', 'function': 'count', 'dataMember': 'Details',"
"     'left': 0, 'top': 0, 'width': 1500, 'height': 300},"
"    {'name': 'InvoiceSumAhead', 'kind': 'function', 'function': 'sum', 'dataField': 'Total', 'format': '0.00',"
"     'left': 2000, 'top': 0, 'width': 1500, 'height': 300}]},"
"  {'name': 'Main', 'kind': 'groupHeader', 'height': 300, 'controls': ["
"    {'name': 'LineSumAhead', 'kind': 'function', 'function': 'sum', 'dataField': 'total', 'dataMember': 'details',"
"     'format': '0.00', 'left': 0, 'top': 0, 'width': 1500, 'height': 300}]},"
"  {'name': 'Details', 'kind': 'detail', 'height': 250, 'dataMember': 'Details', 'controls': ["
"    {'name': 'DescBox', 'kind': 'textBox', 'dataField': 'Description', 'dataMember': 'Details',"
"     'left': 500, 'top': 0, 'width': 4000, 'height': 250}]}"
" ]}";

// The designs above write JSON with single quotes, to read easily here.
ReportDesign designOf(const char* text) { return ReportDesign::fromJson(QByteArray(text).replace('\'', '"')); }

void addPart(const QString& id, const QString& price) {
    Recordset rs("parts");
    rs.addNew();
    rs.setField("ID", id);
    rs.setField("Price", price);
    rs.update();
}

void addInvoice(const QString& invNo, const QString& total, const QStringList& lines) {
    Recordset inv("invoices");
    inv.addNew();
    inv.setField("InvNo", invNo);
    inv.setField("Total", total);
    inv.update();
    Recordset lineRs("invoiced");
    for (const QString& line : lines) {
        const QStringList parts = line.split('=');
        lineRs.addNew();
        lineRs.setField("InvNo", invNo);
        lineRs.setField("Description", parts[0]);
        lineRs.setField("Total", parts[1]);
        lineRs.update();
    }
}

QStringList texts(const ReportPage& page, const QString& control) {
    QStringList found;
    for (const auto& item : page.items)
        if (item.control().name.compare(control, Qt::CaseInsensitive) == 0) found << item.text;
    return found;
}

const QString invoicesWithLines =
    "SHAPE {SELECT * FROM invoices} AS main APPEND ({SELECT * FROM invoiceD} AS Details RELATE 'invno' TO 'invno')";

// Invoices with 0 to 9 lines each, in one batch: enough for many pages,
// with page breaks inside an invoice's lines and between invoices.
void addManyInvoices(int count) {
    Transaction batch;
    Statement invoice(Database::shared(), "INSERT INTO Invoices (InvNo, Total) VALUES (?, ?)");
    Statement line(Database::shared(), "INSERT INTO InvoiceD (InvNo, Description, Total) VALUES (?, ?, ?)");
    for (int i = 0; i < count; ++i) {
        const QString invNo = QString("N%1").arg(i, 4, 10, QChar('0'));
        invoice.bindAll({invNo, qint64(i) * 10101}).run();
        invoice.reset();
        for (int l = 0; l < (i * 7) % 10; ++l) {
            line.bindAll({invNo, QString("%1/%2").arg(invNo).arg(l), qint64(l + 1) * 2500}).run();
            line.reset();
        }
    }
    batch.commit();
}

// A page as its placed items: each control's name, place and text, one to a line.
QString itemsOf(const ReportPage& page) {
    QString out;
    for (const auto& item : page.items) {
        const QRect r = item.rect();
        out += QString("%1 %2,%3 %4\n").arg(item.control().name).arg(r.left()).arg(r.top()).arg(item.text);
    }
    return out;
}
}

class TestReportEngine : public QObject {
    Q_OBJECT
private slots:
    void namesAreFoundWithoutRegardToCase() {
        ReportDesign d = designOf(listDesign);
        d.section("section2").control("idcaption").caption = "ID";
        QCOMPARE(d.section("SECTION2").control("IdCaption").caption, QString("ID"));
        QVERIFY(d.hasSection("details"));
        QVERIFY(!d.section("Details").hasControl("Missing"));
        try {
            d.section("Section2").control("Missing");
            QFAIL("a missing control must raise");
        } catch (const AppError& e) {
            QCOMPARE(e.number, ErrorNo::ItemNotFound);
        }
        QVERIFY_THROWS_EXCEPTION(AppError, d.section("Nowhere"));
    }

    void malformedDesignsAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not json") << QByteArray("{ sections: ");
        QTest::newRow("unknown control kind")
            << QByteArray("{'sections':[{'name':'S','kind':'detail','controls':[{'name':'X','kind':'chart'}]}]}");
        QTest::newRow("unknown section kind") << QByteArray("{'sections':[{'name':'S','kind':'sidebar'}]}");
        QTest::newRow("control without a name")
            << QByteArray("{'sections':[{'name':'S','kind':'detail','controls':[{'kind':'label'}]}]}");
        QTest::newRow("bad colour")
            << QByteArray("{'sections':[{'name':'S','controls':[{'name':'X','kind':'label','foreColor':'#12'}]}]}");
    }
    void malformedDesignsAreRefused() {
        QFETCH(QByteArray, json);
        QVERIFY_THROWS_EXCEPTION(AppError, designOf(json.constData()));
    }

    void layoutBreaksPagesAndBindsRows() {
        TestProgram program;
        program.createDatabase();
        for (int i = 1; i <= 15; ++i) addPart(QString("P%1").arg(i, 2, 10, QChar('0')), QString("%1.10").arg(i));
        const auto rows = openShape(Database::shared(), "SHAPE {SELECT * FROM parts ORDER BY ID} AS details");
        const ReportDesign design = designOf(listDesign);
        const ReportPages pages = layoutReport(design, rows.get(), QPageSize(QPageSize::Letter));

        QCOMPARE(pages.paper, QSize(12240, 15840));
        QCOMPARE(int(pages.pages.size()), 2);
        const ReportPage& first = pages.pages[0];
        const ReportPage& second = pages.pages[1];
        // The report header once, the page header and footer on every page.
        QCOMPARE(texts(first, "Title"), QStringList{"Items"});
        QVERIFY(texts(second, "Title").isEmpty());
        QCOMPARE(texts(first, "IdCaption").size(), 1);
        QCOMPARE(texts(second, "IdCaption").size(), 1);
        QCOMPARE(texts(first, "Rule").size(), 1);
        QCOMPARE(texts(second, "Rule").size(), 1);
        QCOMPARE(first.find("Rule")->rect().top(), 15840 - 1000 - 200);
        // Hidden controls are left out.
        QVERIFY(!first.find("Draft"));
        // Twelve rows fit under the headers; the rest go on.
        QCOMPARE(texts(first, "IdBox").size(), 12);
        QCOMPARE(texts(second, "IdBox"), (QStringList{"P13", "P14", "P15"}));
        QCOMPARE(first.find("IdBox")->rect().top(), 1000 + 500 + 300 + 100);
        QCOMPARE(first.find("IdBox")->rect().left(), 1000);
        QCOMPARE(second.find("IdBox")->rect().top(), 1000 + 300 + 100);
        QCOMPARE(texts(first, "PriceBox").first(), QString("1.10"));
        // The report footer under the last row, with the sum and the count of all rows.
        QCOMPARE(texts(second, "PriceSum"), QStringList{"121.50"});
        QCOMPARE(texts(second, "RowCount"), QStringList{"15"});
        QCOMPARE(second.find("PriceSum")->rect().top(), 1000 + 300 + 3 * 1000);
    }

    // A band that breaks the page before it: one per page, however much room
    // is left, the page header on each; none before the first.
    void bandStartsItsOwnPage() {
        TestProgram program;
        program.createDatabase();
        for (int i = 1; i <= 3; ++i) addPart(QString("P%1").arg(i), "1");
        const auto rows = openShape(Database::shared(), "SHAPE {SELECT * FROM parts ORDER BY ID} AS details");
        const ReportDesign design = designOf("{"
            " 'name': 'Letter_rpt', 'margins': {'left': 1000, 'right': 1000, 'top': 1000, 'bottom': 1000},"
            " 'sections': ["
            "  {'name': 'Header1', 'kind': 'pageHeader', 'height': 500, 'controls': ["
            "    {'name': 'Head', 'kind': 'label', 'caption': 'Head', 'left': 0, 'top': 0, 'width': 900, 'height': 300}]},"
            "  {'name': 'details', 'kind': 'detail', 'height': 400, 'pageBreakBefore': true, 'controls': ["
            "    {'name': 'IdBox', 'kind': 'textBox', 'dataField': 'ID', 'left': 0, 'top': 0, 'width': 900, 'height': 300}]}"
            " ]}");
        QVERIFY(design.section("details").pageBreakBefore);
        QVERIFY(!design.section("Header1").pageBreakBefore);
        const ReportPages pages = layoutReport(design, rows.get(), QPageSize(QPageSize::A4));
        QCOMPARE(int(pages.pages.size()), 3);
        for (int i = 0; i < 3; ++i) {
            const ReportPage& page = pages.pages[size_t(i)];
            QCOMPARE(texts(page, "Head").size(), 1);
            QCOMPARE(texts(page, "IdBox"), QStringList{QString("P%1").arg(i + 1)});
            QCOMPARE(page.find("IdBox")->rect().top(), 1000 + 500);
        }
    }

    void runtimeChangesReachTheLayout() {
        ReportDesign design = designOf(listDesign);
        design.section("Section4").height = 2000;
        design.section("Section2").control("Draft").visible = true;
        design.section("section3").visible = false;
        design.topMargin = 1300;
        const ReportPages pages = layoutReport(design, nullptr, QPageSize(QPageSize::A4));
        QCOMPARE(pages.paper, QSize(11906, 16838));
        QCOMPARE(int(pages.pages.size()), 1);
        QCOMPARE(pages.pages[0].find("IdCaption")->rect().top(), 1300 + 2000);
        QVERIFY(pages.pages[0].find("Draft"));
        QVERIFY(!pages.pages[0].find("Rule"));
        // Without data no detail is laid out, and functions count nothing.
        QVERIFY(!pages.pages[0].find("IdBox"));
        QCOMPARE(pages.pages[0].find("RowCount")->text, QString("0"));
    }

    // The pages keep the design as it was laid out: a later change of the
    // design, or its end, does not reach pages already laid out.
    void pagesKeepTheirDesign() {
        ReportPages pages;
        {
            ReportDesign design = designOf(listDesign);
            pages = layoutReport(design, nullptr, QPageSize(QPageSize::A4));
            design.section("Section4").control("Title").caption = "Changed";
            design.section("Section4").control("Title").width = 100;
        }
        const PlacedItem* title = pages.pages.at(0).find("Title");
        QVERIFY(title);
        QCOMPARE(title->control().caption, QString("Items"));
        QCOMPARE(title->rect(), QRect(1000, 1000, 3000, 300));
        const ReportPages copy = pages;
        pages = ReportPages();
        QCOMPARE(copy.pages.at(0).find("Title")->text, QString("Items"));
        const QImage image = renderReportPage(copy, 0, 96);
        QVERIFY(!image.isNull());
    }

    void invoicesWithTheirLines() {
        TestProgram program;
        program.createDatabase();
        addInvoice("INV1", "30.00", {"Pots=10.00", "Seeds=20.00"});
        addInvoice("INV2", "5.25", {});
        addInvoice("inv3", "7.00", {"Hose=7.00"});
        // A line filed under another case of a number belongs to no invoice,
        // as one of no invoice's number does.
        addInvoice("X", "0", {});
        Database::shared().exec("INSERT INTO InvoiceD (InvNo, Description, Total) VALUES ('INV3', 'Other case', 1)");
        Database::shared().exec("INSERT INTO InvoiceD (InvNo, Description, Total) VALUES ('ZZ', 'Orphan', 1)");

        QVERIFY(Open_Shape_Recordset(invoicesWithLines, ShapeRs));
        QCOMPARE(ShapeRs->recordCount(), 4);
        QCOMPARE(ShapeRs->name(), QString("main"));
        QCOMPARE(ShapeRs->childNames(), QStringList{"Details"});
        QList<int> lineCounts;
        for (ShapeRs->moveFirst(); !ShapeRs->eof(); ShapeRs->moveNext())
            lineCounts << ShapeRs->child("details")->recordCount();
        QCOMPARE(lineCounts, (QList<int>{2, 0, 1, 0}));

        const ReportDesign design = designOf(groupedDesign);
        const ReportPages pages = layoutReport(design, ShapeRs.get(), QPageSize(QPageSize::A4));
        QCOMPARE(pages.paper, QSize(16838, 11906));
        const ReportPage& page = pages.pages.at(0);
        QCOMPARE(texts(page, "InvBox"), (QStringList{"INV1", "INV2", "inv3", "X"}));
        QCOMPARE(texts(page, "DescBox"), (QStringList{"Pots", "Seeds", "Hose"}));
        QCOMPARE(texts(page, "LineSum"), (QStringList{"30.00", "0.00", "7.00", "0.00"}));
        QCOMPARE(texts(page, "AllLines"), QStringList{"3"});
        QCOMPARE(texts(page, "InvoiceSum"), QStringList{"42.25"});
        // Each line under its invoice, each group footer after its lines.
        QCOMPARE(page.find("DescBox")->rect().top(), 500 + 300);
        const auto tops = [&](const QString& name) {
            QList<int> t;
            for (const auto& item : page.items)
                if (item.control().name == name) t << item.rect().top();
            return t;
        };
        QCOMPARE(tops("InvBox"), (QList<int>{500, 500 + 300 + 500 + 100, 1400 + 400, 1800 + 300 + 250 + 100}));
    }

    void sumsShownBeforeTheirRows() {
        TestProgram program;
        program.createDatabase();
        addInvoice("INV1", "30.00", {"Pots=10.00", "Seeds=20.00"});
        addInvoice("INV2", "5.25", {});
        addInvoice("INV3", "7.00", {"Hose=7.00"});
        QVERIFY(Open_Shape_Recordset(invoicesWithLines, ShapeRs));
        const ReportPages pages = layoutReport(designOf(aheadDesign), ShapeRs.get(), QPageSize(QPageSize::A4));
        const ReportPage& page = pages.pages.at(0);
        QCOMPARE(texts(page, "AllLinesAhead"), QStringList{"3"});
        QCOMPARE(texts(page, "InvoiceSumAhead"), QStringList{"42.25"});
        QCOMPARE(texts(page, "LineSumAhead"), (QStringList{"30.00", "0.00", "7.00"}));
        QCOMPARE(texts(page, "DescBox"), (QStringList{"Pots", "Seeds", "Hose"}));
    }

    // Laid out a page at a time, in any order, a report of many pages has
    // the items of its whole layout: pages that start inside an invoice's
    // lines, the group footers' sums of lines that passed on the page
    // before, and the report's sums and counts, which a band may show
    // before its rows too.
    void pagerGivesTheWholeLayoutsPages_data() {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<bool>("countedFirst");
        QTest::newRow("groups") << groupedDesign << invoicesWithLines << false;
        QTest::newRow("sums ahead") << aheadDesign << invoicesWithLines << true;
        QTest::newRow("list") << listDesign << "SHAPE {SELECT InvNo AS id, Total AS price FROM invoices} AS details" << false;
        // The program's own designs, whose rows are several lines tall.
        QTest::newRow("Invoice Detailed") << "InvoiceD_rpt" << invoicesWithLines << false;
        QTest::newRow("Invoice Summary") << "Invoice_rpt1" << "SHAPE {SELECT * FROM invoices} AS details" << false;
    }
    void pagerGivesTheWholeLayoutsPages() {
        QFETCH(QString, design);
        QFETCH(QString, rows);
        QFETCH(bool, countedFirst);
        TestProgram program;
        program.createDatabase();
        addManyInvoices(300);
        ReportDesign d = design.startsWith('{') ? designOf(design.toUtf8().constData()) : ReportDesign::load(design);
        if (!design.startsWith('{')) d.orientation = QPageLayout::Landscape;   // as the reports print
        const QPageSize a4(QPageSize::A4);
        const ReportPages whole = layoutReport(d, openShape(Database::shared(), rows).get(), a4);
        const int count = int(whole.pages.size());
        QVERIFY2(count > 20, qPrintable(QString::number(count)));

        ReportPager pager(std::make_shared<const ReportDesign>(d), openShape(Database::shared(), rows), a4);
        QCOMPARE(pager.paper(), whole.paper);
        QCOMPARE(itemsOf(pager.page(0)), itemsOf(whole.pages[0]));
        // The first page is there before the others are counted.
        QCOMPARE(pager.counted(), countedFirst);
        if (!countedFirst) QCOMPARE(pager.pagesKnown(), 2);
        std::vector<int> order;
        for (int i = 0; i < count; ++i) order.push_back(i);
        for (int i = count - 1; i >= 0; --i) order.push_back(i);
        for (int i : {count - 1, 0, count / 2, 3, count - 2}) order.push_back(i);
        for (int i : order) QCOMPARE(itemsOf(pager.page(i)), itemsOf(whole.pages[size_t(i)]));
        QCOMPARE(pager.pageCount(), count);
        QVERIFY(pager.counted());
        QVERIFY_THROWS_EXCEPTION(AppError, pager.page(count));

        // The last page first, in a pager of its own: its sums are the report's.
        ReportPager jumped(std::make_shared<const ReportDesign>(d), openShape(Database::shared(), rows), a4);
        QCOMPARE(itemsOf(jumped.page(jumped.pageCount() - 1)), itemsOf(whole.pages.back()));
    }

    void boundValuesKeepQuotesOutOfTheQuery() {
        TestProgram program;
        program.createDatabase();
        addInvoice("O'Brien-1", "12.00", {"Pots=12.00"});
        addInvoice("Other", "1.00", {});
        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM invoices where invno = ?} ", {"O'Brien-1"}, ShapeRs));
        QCOMPARE(ShapeRs->recordCount(), 1);
        QCOMPARE(ShapeRs->field("InvNo").toString(), QString("O'Brien-1"));
    }

    void formats_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("money") << QVariant::fromValue(Currency::fromText("1234.5")) << "0.00" << "1234.50";
        QTest::newRow("money half up") << QVariant::fromValue(Currency::fromText("2.345")) << "0.00" << "2.35";
        QTest::newRow("money rounded past the largest")
            << QVariant::fromValue(Currency::fromRaw(INT64_MAX)) << "0.00" << "922337203685477.58";
        QTest::newRow("whole") << QVariant(7) << "0" << "7";
        QTest::newRow("null") << QVariant() << "0.00" << "";
        QTest::newRow("date dd/MM/yyyy") << QVariant(QDateTime(QDate(2005, 1, 31), QTime())) << "dd/MM/yyyy"
                                         << "31/01/2005";
        QTest::newRow("date MM/dd/yyyy") << QVariant(QDateTime(QDate(2005, 1, 31), QTime())) << "MM/dd/yyyy"
                                         << "01/31/2005";
        QTest::newRow("text kept") << QVariant("abc") << "0.00" << "abc";
        QTest::newRow("no format") << QVariant(QDateTime(QDate(2005, 1, 31), QTime())) << "" << "31/01/2005";
    }
    void formats() {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(formatReportValue(value, format), expected);
    }

    void wrappedLinesKeepTrailingBlanks() {
        QFont font(installedFontFamily("Arial"));
        font.setPixelSize(165);
        const QFontMetricsF m(font);
        QCOMPARE(wrapReportText("a\r\nb\nc", m, 5000), (QStringList{"a", "b", "c"}));
        QCOMPARE(wrapReportText("   12.50 ", m, 5000), QStringList{"   12.50 "});
        const QStringList wrapped = wrapReportText("one two three four", m, m.horizontalAdvance("three four") + 1);
        QCOMPARE(wrapped, (QStringList{"one two", "three four"}));
        QCOMPARE(wrapReportText("", m, 100), QStringList{""});
    }

    // A word wider than a line is broken only where no blank can end the
    // line: it starts a line of its own, and its last piece takes the words
    // after it; filling every line ends lines inside words too.
    void wordsAreBrokenOnlyWhereNoBlankEndsTheLine_data() {
        QTest::addColumn<int>("breaks");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("at blanks") << int(LineBreaks::AtBlanks) << QStringList{"ab", "abcdefghijkl", "mn op"};
        QTest::newRow("in long words") << int(LineBreaks::InLongWords)
                                       << QStringList{"ab", "abcdefgh", "ijkl mn", "op"};
        QTest::newRow("anywhere") << int(LineBreaks::Anywhere) << QStringList{"ab abcde", "fghijkl", "mn op"};
    }
    void wordsAreBrokenOnlyWhereNoBlankEndsTheLine() {
        QFETCH(int, breaks);
        QFETCH(QStringList, lines);
        QFont font(installedFontFamily("Courier New"));   // every character as wide as the next
        font.setPixelSize(200);
        const QFontMetricsF m(font);
        QCOMPARE(wrapReportText("ab abcdefghijkl mn op", m, m.horizontalAdvance("abcdefgh") + 1, LineBreaks(breaks)),
                 lines);
    }

    void textIsMadeToFitItsBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("align");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QString>("set");   // as designed, smaller, broken inside words (smaller), or cut
        QTest::addColumn<int>("lines");     // -1: any number
        const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
        QTest::newRow("a text that fits keeps its size")
            << "Invoice No" << 8.25 << true << centre << QSize(1785, 315) << "designed" << 1;
        QTest::newRow("a title wider than its box")
            << "INVOICE - INV000012345" << 18.0 << true << right << QSize(3780, 450) << "smaller" << 1;
        QTest::newRow("an item number wider than its column")
            << "MW-TER-00045" << 8.25 << true << centre << QSize(1095, 465) << "smaller" << 1;
        QTest::newRow("an address one line too tall keeps its postcode")
            << "Jane Doe\r\n4 Mill Road\r\nAshington\r\nPulborough\r\nWest Sussex\r\nRH20 3AA" << 8.25 << false
            << left << QSize(3585, 1125) << "smaller" << 6;
        QTest::newRow("an address line that wraps keeps the postcode")
            << "Bartholomew Fitzgerald-Montgomery Wetheringto\r\nFlat 12, Wetherington Mansions\r\n"
               "147 Montgomery Worthington Rd.\r\nGreat Wetherington-upon-Severn\r\n"
               "Worcestershire and Warwickshir\r\nWR14 9WW Worcester 1"
            << 8.25 << false << left << QSize(3585, 1125) << "smaller" << 6;
        QTest::newRow("a nine-character id shrinks a little rather than breaking")
            << "CUS000012" << 8.25 << false << left << QSize(700, 420) << "smaller" << 1;
        QTest::newRow("a word too wide at any size breaks, at the design size where its lines fit")
            << "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" << 8.25 << false << left << QSize(600, 3000) << "broken" << -1;
        QTest::newRow("and smaller where they do not")
            << "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" << 8.25 << false << left << QSize(600, 1500)
            << "broken smaller" << -1;
        QTest::newRow("a name whose words take a line each fills its lines instead")
            << "Bartholomew Fitzgerald-Montgomery Wetheringto" << 8.25 << true << right << QSize(2000, 280)
            << "broken smaller" << 2;
        QTest::newRow("an unbroken reminder breaks into lines at the letter's size")
            << QString("WEHAVENOTBEENABLETOREGISTERPAYMENT").repeated(7).left(250) << 9.75 << false << left
            << QSize(9240, 1695) << "broken" << 4;
        QTest::newRow("far too much text: whole lines, the last one marked")
            << QString("All work and no play makes Jack a dull boy. ").repeated(8) << 8.25 << false << left
            << QSize(2000, 300) << "cut" << 2;
        QTest::newRow("a box lower than a line still shows one marked line")
            << "Bartholomew Fitzgerald-Montgomery Wetheringto" << 8.25 << true << right << QSize(2000, 60) << "cut"
            << 1;
    }
    void textIsMadeToFitItsBox() {
        QFETCH(QString, text);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(int, align);
        QFETCH(QSize, box);
        QFETCH(QString, set);
        QFETCH(int, lines);
        ReportFont font;
        font.pointSize = size;
        font.bold = bold;
        const Qt::Alignment alignment(align);
        const FittedText fitted = fitReportText(text, font, alignment, box);
        const QFontMetricsF metrics(reportFont(font, fitted.pointSize));
        if (lines >= 0) QCOMPARE(int(fitted.lines.size()), lines);
        QVERIFY(fitted.pointSize >= SmallestPointSize && fitted.pointSize <= size);
        QVERIFY(int(fitted.lines.size()) <= std::max(1, wholeLinesIn(metrics, box.height())));
        for (const QString& line : fitted.lines)
            QVERIFY2(lineWidth(line, metrics, alignment) <= box.width(), qPrintable(line));
        QCOMPARE(fitted.cut, set == "cut");
        if (set == "designed") QCOMPARE(fitted.pointSize, size);
        if (set == "smaller") QVERIFY(fitted.pointSize < size);
        if (set == "broken") QCOMPARE(fitted.pointSize, size);
        if (set == "broken smaller") QVERIFY(fitted.pointSize < size);
        if (set == "cut") QCOMPARE(fitted.pointSize, SmallestPointSize);
        const auto ink = [](QString t) { return t.remove(' ').remove('\r').remove('\n'); };
        if (set == "cut") {
            QVERIFY(fitted.lines.last().endsWith(CutMark));
            QVERIFY(ink(text).startsWith(ink(fitted.lines.join("")).chopped(1)));
        } else {
            QCOMPARE(ink(fitted.lines.join("")), ink(text));
        }
    }

    // Painted: every character of a text too wide for its box, every line of
    // a block too tall for it, and no line cut at the bottom.
    void everyCharacterAndEveryLinePrintsWhole() {
        const char* json = "{'name': 'P', 'margins': {'left': 0, 'right': 0, 'top': 0, 'bottom': 0}, 'sections': ["
"          {'name': 'S', 'kind': 'reportHeader', 'height': 3000, 'controls': ["
"            {'name': 'Row', 'kind': 'label', 'font': {'size': 10},"
"             'left': 1440, 'top': 0, 'width': 1440, 'height': 260},"
"            {'name': 'Block', 'kind': 'label', 'font': {'size': 12},"
"             'left': 1440, 'top': 1000, 'width': 500, 'height': 1000}]}]}";
        ReportDesign design = designOf(json);
        design.section("S").control("Row").caption = QStringList(20, "I").join(' ');
        design.section("S").control("Block").caption = QStringList(5, "I").join("\r\n");
        const ReportPages pages = layoutReport(design, nullptr, QPageSize(QPageSize::A4));
        const int dpi = 288;   // 5 twips to the pixel
        const QImage image = renderReportPage(pages, 0, dpi);
        const auto px = [&](int twips) { return twips * dpi / 1440; };
        const auto inked = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
        // Runs of ink along the row through the middle of the I's.
        int bars = 0;
        const QRect row = pages.pages[0].find("Row")->rect();
        for (int y = px(row.top()); y < px(row.bottom()); ++y) {
            int runs = 0;
            for (int x = px(row.left()) - 20; x < px(row.right()) + 20; ++x)
                runs += inked(x, y) && !inked(x - 1, y);
            bars = std::max(bars, runs);
        }
        QCOMPARE(bars, 20);
        // Runs of ink down the block, all of one height.
        const QRect block = pages.pages[0].find("Block")->rect();
        QList<int> heights;
        int run = 0;
        for (int y = px(block.top()); y < px(block.bottom()) + 40; ++y) {
            bool any = false;
            for (int x = px(block.left()); x < px(block.right()); ++x) any |= inked(x, y);
            if (any) ++run;
            else if (run > 0) heights << std::exchange(run, 0);
        }
        QCOMPARE(heights.size(), 5);
        for (int h : heights) QVERIFY2(std::abs(h - heights.first()) <= 1, qPrintable(QString::number(h)));
    }

    // A text prints only in its room: its box less what it yields to the
    // texts, rules and frames that cross it.
    void textsYieldWhereTheirBoxesOverlap() {
        std::deque<ReportControl> controls;   // the design the items refer to
        const auto placed = [&](ControlKind kind, Qt::Alignment align, QRect r, const QString& text) {
            ReportControl& c = controls.emplace_back();
            c.kind = kind;
            c.alignment = align;
            c.width = r.width();
            c.height = r.height();
            return PlacedItem(c, r.topLeft(), text);
        };
        const auto label = [&](const QString& text, Qt::Alignment align, QRect r) {
            return placed(ControlKind::Label, align, r, text);
        };
        const auto rule = [&](QLine l) {
            return placed(ControlKind::Line, Qt::AlignLeft, QRect(l.x1(), l.y1(), l.dx(), l.dy()), QString());
        };
        const PlacedItem frame = placed(ControlKind::Shape, Qt::AlignLeft, QRect(0, 150, 3000, 1000), QString());
        const PlacedItem caption = label("Billing Address:", Qt::AlignLeft, QRect(100, 0, 1200, 285));
        ReportControl& opaque = controls.emplace_back(caption.control());
        opaque.opaque = true;
        const PlacedItem opaqueCaption(opaque, caption.rect().topLeft(), caption.text);

        const Qt::Alignment L = Qt::AlignLeft, C = Qt::AlignHCenter, R = Qt::AlignRight;
        struct Case { const char* what; std::vector<PlacedItem> items; QRectF room; };   // the room of the first
        const std::vector<Case> cases{
            {"a right-aligned caption keeps the overlap at its right",
             {label("Customer Name:", R, {0, 0, 1500, 250}), label("Bartholomew", R, {1350, 0, 2000, 250})},
             QRectF(0, 0, 1500, 250)},
            {"the right-aligned value beside it yields it",
             {label("Bartholomew", R, {1350, 0, 2000, 250}), label("Customer Name:", R, {0, 0, 1500, 250})},
             QRectF(1500, 0, 1850, 250)},
            {"a left-aligned text yields an overlap at its right",
             {label("Sub Total", L, {0, 0, 1500, 250}), label("Total", L, {1400, 0, 1500, 250})},
             QRectF(0, 0, 1400, 250)},
            {"two texts anchored at one overlap share it",
             {label("Name:", R, {0, 0, 1500, 250}), label("Jane", L, {1400, 0, 1500, 250})}, QRectF(0, 0, 1450, 250)},
            {"a centred text yields the same on both sides",
             {label("Invoice No", C, {0, 0, 1500, 250}), label("Date", L, {1400, 0, 1000, 250})},
             QRectF(100, 0, 1300, 250)},
            {"a text yields the strip where the one below overlaps it",
             {label("Terms", L, {0, 0, 2000, 400}), label("* = Non Taxable Items", L, {0, 370, 2000, 250})},
             QRectF(0, 0, 2000, 370)},
            {"the text below keeps it",
             {label("* = Non Taxable Items", L, {0, 370, 2000, 250}), label("Terms", L, {0, 0, 2000, 400})},
             QRectF(0, 370, 2000, 250)},
            {"an empty neighbour takes nothing",
             {label("Terms", L, {0, 0, 2000, 400}), label("", L, {0, 370, 2000, 250})}, QRectF(0, 0, 2000, 400)},
            {"a rule across a box ends it above the rule",
             {label("Tax 17.5%", L, {0, 0, 2000, 400}), rule(QLine(0, 300, 2000, 300))}, QRectF(0, 0, 2000, 292.5)},
            {"a right-aligned text keeps the side of a rule where it is aligned",
             {label("9999999.99", R, {1000, 0, 1000, 300}), rule(QLine(1015, 0, 1015, 300))},
             QRectF(1022.5, 0, 977.5, 300)},
            {"a frame's edge across a caption ends it", {caption, frame}, QRectF(100, 0, 1200, 150)},
            {"unless the caption is set on the frame with a background of its own", {opaqueCaption, frame},
             QRectF(100, 0, 1200, 285)},
        };
        for (const Case& c : cases) {
            ReportPage page;
            page.items = c.items;
            const QRectF room = textRoom(page, page.items.front());
            QVERIFY2(room == c.room, qPrintable(QString("%1: %2 %3 %4 %5").arg(c.what).arg(room.left())
                                                    .arg(room.top()).arg(room.width()).arg(room.height())));
        }
    }

    // Borders lie inside their shape's box and rules end where they are designed to.
    void bordersAndRulesStayInsideTheirBoxes() {
        const char* json = "{'name': 'P', 'margins': {'left': 0, 'right': 0, 'top': 0, 'bottom': 0}, 'sections': ["
"          {'name': 'S', 'kind': 'reportHeader', 'height': 3000, 'controls': ["
"            {'name': 'Frame', 'kind': 'shape', 'left': 1440, 'top': 1440, 'width': 1440, 'height': 720},"
"            {'name': 'Rule', 'kind': 'line', 'left': 4320, 'top': 1440, 'width': 0, 'height': 720}]}]}";
        const ReportPages pages = layoutReport(designOf(json), nullptr, QPageSize(QPageSize::A4));
        const QImage image = renderReportPage(pages, 0, 192);   // 7.5 twips to the pixel
        const auto inked = [&](int x, int y) { return qGray(image.pixel(x, y)) < 250; };
        // The frame from pixel 192 to 383 across and 192 to 287 down.
        QVERIFY(inked(192, 240) && inked(383, 240) && inked(300, 192) && inked(300, 287));
        QVERIFY(!inked(191, 240) && !inked(384, 240) && !inked(300, 191) && !inked(300, 288));
        // The rule from pixel 192 to 287 down, nothing past its ends.
        QVERIFY(inked(576, 192) || inked(575, 192));
        QVERIFY(!inked(575, 191) && !inked(576, 191) && !inked(575, 288) && !inked(576, 288));
    }

    void paintsFillsTextAndTrailingBlanks() {
        const char* json = "{'name': 'P', 'margins': {'left': 0, 'right': 0, 'top': 0, 'bottom': 0}, 'sections': ["
"          {'name': 'S', 'kind': 'reportHeader', 'height': 3000, 'controls': ["
"            {'name': 'Box', 'kind': 'shape', 'fillColor': '#0000C0', 'opaque': true, 'border': false,"
"             'left': 1440, 'top': 1440, 'width': 1440, 'height': 720},"
"            {'name': 'A', 'kind': 'label', 'caption': '8', 'align': 'right', 'font': {'size': 20},"
"             'left': 0, 'top': 0, 'width': 1440, 'height': 500},"
"            {'name': 'B', 'kind': 'label', 'caption': '8   ', 'align': 'right', 'font': {'size': 20},"
"             'left': 0, 'top': 600, 'width': 1440, 'height': 500},"
"            {'name': 'C', 'kind': 'label', 'caption': '8   \\r\\n8', 'align': 'right', 'font': {'size': 20},"
"             'trimLineEnds': true, 'left': 0, 'top': 2300, 'width': 1440, 'height': 1000}]}]}";
        const ReportPages pages = layoutReport(designOf(json), nullptr, QPageSize(QPageSize::A4));
        const QImage image = renderReportPage(pages, 0, 72);
        QCOMPARE(image.size(), QSize(595, 842));
        QCOMPARE(image.pixelColor(108, 90), QColor("#0000C0"));   // inside the filled box
        QCOMPARE(image.pixelColor(60, 90), QColor(Qt::white));    // outside it
        // The right-aligned text with trailing blanks ends further left.
        const auto rightmostInk = [&](int top, int bottom) {
            for (int x = image.width() - 1; x >= 0; --x)
                for (int y = top; y < bottom; ++y)
                    if (qGray(image.pixel(x, y)) < 128) return x;
            return -1;
        };
        const int plain = rightmostInk(0, 25);
        const int blanks = rightmostInk(30, 55);
        QVERIFY2(plain > 60 && blanks > 0 && blanks < plain - 5,
                 qPrintable(QString("%1 %2").arg(plain).arg(blanks)));
        // Unless the label takes the blanks that pad its lines for none.
        QCOMPARE(rightmostInk(115, 135), plain);
    }

    void pdfIsWritten() {
        QTemporaryDir dir;
        const ReportPages pages = layoutReport(designOf(listDesign), nullptr, QPageSize(QPageSize::Letter));
        QVERIFY(writeReportPdf(pages, dir.filePath("list.pdf")));
        QFile pdf(dir.filePath("list.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(!writeReportPdf(pages, dir.filePath("no/such/folder/list.pdf")));
    }

    // A design wider than the paper leaves beside its margins is centred on the paper.
    void wideReportsAreCentred_data() {
        QTest::addColumn<int>("reportWidth");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("left");
        QTest::newRow("fits Letter") << 10240 << int(QPageSize::Letter) << 1000;
        QTest::newRow("wider on Letter") << 11240 << int(QPageSize::Letter) << 500;
        QTest::newRow("wider than A4") << 12906 << int(QPageSize::A4) << 0;
    }
    void wideReportsAreCentred() {
        QFETCH(int, reportWidth);
        QFETCH(int, paper);
        QFETCH(int, left);
        ReportDesign design = designOf(listDesign);
        design.reportWidth = reportWidth;
        const ReportPages pages = layoutReport(design, nullptr, QPageSize(QPageSize::PageSizeId(paper)));
        QCOMPARE(pages.pages.at(0).find("Title")->rect().left(), left);
    }

    // One instance per design for the program's life: made and initialised
    // on first use, changed and rebound by later printings.
    void oneInstancePerDesign() {
        TestProgram program;
        program.createDatabase();
        addPart("P1", "2.50");
        int initialised = 0;
        ReportInstance::setInitialisation("invoice1_RPT", [&](ReportInstance& r) {
            ++initialised;
            r.section("Section4").control("companyadd").caption = "Made once";
        });
        ReportInstance& first = ReportInstance::of("Invoice1_rpt");
        QCOMPARE(initialised, 1);
        first.setOrientation(QPageLayout::Landscape);
        first.dataSource = openShape(Database::shared(), "SHAPE {SELECT * FROM parts} AS details");
        ReportInstance& again = ReportInstance::of("INVOICE1_RPT");
        QCOMPARE(&again, &first);
        QCOMPARE(initialised, 1);
        QCOMPARE(again.section("section4").control("Companyadd").caption, QString("Made once"));
        const ReportPages pages = again.layout(QPageSize(QPageSize::Letter));
        QCOMPARE(pages.orientation, QPageLayout::Landscape);
        QCOMPARE(pages.pages.at(0).find("companyadd")->text, QString("Made once"));

        // A failing initialisation leaves no instance; the next use starts anew.
        ReportInstance::forgetAll();
        ReportInstance::setInitialisation("Invoice1_rpt", [&](ReportInstance&) {
            ++initialised;
            raiseError(ErrorNo::FileNotFound, "no logo");
        });
        QCOMPARE(errorNumberOf([] { ReportInstance::of("Invoice1_rpt"); }), int(ErrorNo::FileNotFound));
        QCOMPARE(errorNumberOf([] { ReportInstance::of("Invoice1_rpt"); }), int(ErrorNo::FileNotFound));
        QCOMPARE(initialised, 3);
        ReportInstance::setInitialisation("Invoice1_rpt", {});
        QCOMPARE(ReportInstance::of("Invoice1_rpt").section("Section4").control("companyadd").caption, QString());
        QCOMPARE(errorNumberOf([] { ReportInstance::of("NoSuch_rpt"); }), int(ErrorNo::FileNotFound));
    }

    void previewIsModalAndOwned() {
        const ReportPages pages = layoutReport(designOf(listDesign), nullptr, QPageSize(QPageSize::Letter));
        QWidget owner;
        owner.show();
        QWidget* seen = nullptr;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            seen = dialog->parentWidget();
            modal = dialog->isModal();
            dialog->close();
        });
        showReportPreview(pages, "List", &owner);
        QCOMPARE(seen, &owner);
        QVERIFY(modal);
    }

    void paperSizes_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("code");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << 1;
        QTest::newRow("Canada") << QLocale(QLocale::French, QLocale::Canada) << 1;
        QTest::newRow("Mexico") << QLocale(QLocale::Spanish, QLocale::Mexico) << 1;
        QTest::newRow("United Kingdom") << QLocale(QLocale::English, QLocale::UnitedKingdom) << 9;
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << 9;
    }
    void paperSizes() {
        QFETCH(QLocale, locale);
        QFETCH(int, code);
        QCOMPARE(paperSizeCode(localeDefaultPaperSize(locale)), code);
    }

    void paperSourceCanBeReplaced() {
        QCOMPARE(paperSizeCode(QPageSize(QPageSize::Legal)), 5);
        QCOMPARE(paperSizeCode(QPageSize(QSizeF(100, 100), QPageSize::Millimeter)), 0);
        setPaperSizeSource([] { return QPageSize(QPageSize::Legal); });
        QCOMPARE(paperSizeCode(currentPaperSize()), 5);
        setPaperSizeSource({});
        QVERIFY(currentPaperSize().isValid());
    }
};

QTEST_MAIN(TestReportEngine)
#include "test_report_engine.moc"
