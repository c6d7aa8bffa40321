#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/ExportFixture.h"
#include "debtors/FirstLetters.h"
#include "debtors/LongestRows.h"
#include "debtors/PrintedReports.h"
#include "debtors/ReportWatch.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/Today.h"
#include "reports/ReportInstance.h"
#include "reports/ReportPainter.h"
#include "support/TestSupport.h"
#include <QtTest>

using ExportFixture::at;
using ExportFixture::money;
using PrintedReports::Report;

namespace {
const QDate From(2005, 1, 1);
const QDate To(2005, 1, 31);

const QStringList InvoiceColumns = {"InvNo", "Date", "CustNo", "CustomerName", "Phone", "Subtotal", "Vat",
                                    "Total", "Balance", "Notes"};
const QStringList LineColumns = {"InvNo", "PartID", "Qty", "Description", "Amount", "Total"};

void addInvoice(const QString& invNo, const QVariant& date, const char* total, const char* balance) {
    insertRow("Invoices", InvoiceColumns,
              {invNo, date, "C1", "Ann Lee", "0123", money(total), money("0"), money(total), money(balance), "note"});
}

void addLine(const QString& invNo, const QString& part, const char* total) {
    insertRow("InvoiceD", LineColumns, {invNo, part, 1, "Line " + part, money(total), money(total)});
}

// Invoices on both sides of January 2005 and on its first and last day;
// the lines' totals differ from their invoices', so a sum over lines shows.
void addJanuary() {
    addInvoice("I0", at(2004, 12, 31), "1000", "0");
    addInvoice("I1", at(2005, 1, 1), "10.10", "10.10");
    addInvoice("I2", at(2005, 1, 15), "20.20", "20.20");
    addInvoice("I3", at(2005, 1, 31), "0.07", "0");
    addInvoice("I4", at(2005, 2, 1), "2000", "0");
    addLine("I1", "P1", "4.00");
    addLine("I1", "P2", "5.00");
    addLine("i3", "P8", "8.00");   // another case of the number: no invoice's line
    addLine("I3", "P3", "0.07");
    addLine("I0", "P9", "1000");
    for (const auto& [id, date] : {std::pair{"C0", at(2004, 12, 31)}, {"C1", at(2005, 1, 1)}, {"C2", at(2005, 1, 31)},
                                   {"C3", at(2005, 2, 1)}})
        insertRow("Customers", {"CustID", "Date", "LastName"}, {id, date, QString("Name ") + id});
}

// The characters a text puts on paper.
QString ink(QString text) { return text.remove(' ').remove('\r').remove('\n'); }

// Where a placed text's widest line runs on the page, left to right.
std::pair<qreal, qreal> inkSpan(const ReportPage& page, const PlacedItem& item) {
    const FittedText fitted = fittedText(page, item);
    const QFontMetricsF& metrics = reportFontMetrics(item.control().font, fitted.pointSize);
    qreal widest = 0;
    for (const QString& line : fitted.lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const QRectF room = textRoom(page, item);
    const Qt::Alignment alignment = item.control().alignment;
    if (alignment & Qt::AlignRight) return {room.right() - widest, room.right()};
    if (alignment & Qt::AlignHCenter) return {room.center().x() - widest / 2, room.center().x() + widest / 2};
    return {room.left(), room.left() + widest};
}

// The first two neighbours, left to right, whose ink comes closer than a
// gap that shows (about two blanks at the reports' size); empty when none do.
QString tooClose(const ReportPage& page, const QStringList& names) {
    constexpr qreal VisibleGap = 100;   // twips
    for (qsizetype i = 1; i < names.size(); ++i) {
        const qreal gap = inkSpan(page, *page.find(names[i])).first - inkSpan(page, *page.find(names[i - 1])).second;
        if (gap < VisibleGap) return QString("%1 and %2: %3").arg(names[i - 1], names[i]).arg(gap);
    }
    return QString();
}

// The tops of a control's places on one page, in order.
QList<int> tops(const ReportPage& page, const QString& name) {
    QList<int> found;
    for (const PlacedItem& item : page.items)
        if (item.control().name.compare(name, Qt::CaseInsensitive) == 0) found << item.rect().top();
    return found;
}
}  // namespace

class TestPrintedReports : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void recordSourcesForARange_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QString>("text");
        QTest::newRow("customers summary")
            << int(Report::SummaryCustomers)
            << "SHAPE {SELECT * FROM customers where Date BETWEEN #01/01/2005# and #01/31/2005#} as details";
        QTest::newRow("customers detailed")
            << int(Report::DetailedCustomers)
            << "SHAPE {SELECT * FROM customers where Date BETWEEN #01/01/2005# and #01/31/2005#} as details";
        QTest::newRow("invoices")
            << int(Report::Invoices)
            << "SHAPE {SELECT * FROM invoices where Date BETWEEN #01/01/2005# and #01/31/2005#} as details";
        QTest::newRow("invoices with lines")
            << int(Report::InvoiceDetails)
            << "SHAPE {SELECT * FROM invoices where Date BETWEEN #01/01/2005# and #01/31/2005#} as main APPEND "
               "({SELECT * FROM invoiceD} as Details RELATE 'invno' TO 'invno')  ";
        QTest::newRow("items") << int(Report::Parts) << "SHAPE {SELECT * FROM parts} as details";
        QTest::newRow("debtors") << int(Report::Debtors)
                                 << "SHAPE {SELECT * FROM invoices where balance > 0} as details";
    }
    void recordSourcesForARange() {
        QFETCH(int, report);
        QFETCH(QString, text);
        QCOMPARE(PrintedReports::recordSource(Report(report), From, To), text);
        // The dates reach the database as bound values, never as SQL text.
        std::vector<QVariant> values;
        const QString sql = bindDateLiterals(parseShape(text).parentSql, values);
        QVERIFY(!sql.contains("2005") && !sql.contains('#'));
        const bool ranged = report <= int(Report::InvoiceDetails);
        QCOMPARE(values, ranged ? (std::vector<QVariant>{From, To}) : std::vector<QVariant>{});
    }

    // The first and the last day of the range are in it; the days around it are not.
    void eachReportShowsItsRows_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("customers summary") << int(Report::SummaryCustomers) << "CUSTID" << QStringList{"C1", "C2"}
                                           << "Customer Information" << true;
        QTest::newRow("customers detailed") << int(Report::DetailedCustomers) << "CUSTID" << QStringList{"C1", "C2"}
                                            << "Customer Information - Detailed" << true;
        QTest::newRow("invoices") << int(Report::Invoices) << "InvNo" << QStringList{"I1", "I2", "I3"}
                                  << "Invoice Summary" << true;
        QTest::newRow("invoices with lines") << int(Report::InvoiceDetails) << "InvNo"
                                             << QStringList{"I1", "I2", "I3"} << "Invoice Detailed" << true;
        QTest::newRow("items") << int(Report::Parts) << "ID" << QStringList{"P1", "P2"} << "Parts" << false;
        QTest::newRow("debtors") << int(Report::Debtors) << "InvNo" << QStringList{"I1", "I2"} << "Debtors" << true;
    }
    void eachReportShowsItsRows() {
        QFETCH(int, report);
        QFETCH(QString, field);
        QFETCH(QStringList, rows);
        QFETCH(QString, title);
        QFETCH(bool, landscape);
        addJanuary();
        insertRow("Parts", {"ID", "Desc", "Price"}, {"P1", "Pot", money("1.5")});
        insertRow("Parts", {"ID", "Desc", "Price"}, {"P2", "Hose", money("2")});
        Today::fix(QDate(2005, 3, 1));
        ReportWatch watch(QPageSize::A4);
        for (int printing = 0; printing < 2; ++printing) {
            PrintedReports::select(report, From, To, ShapeRs, nullptr);
            QCOMPARE(int(watch.shown.size()), printing + 1);
            QCOMPARE(watch.texts(field), rows);
            QCOMPARE(watch.texts("Date_lbl"), QStringList{"From 01/01/2005 To 31/01/2005"});
            QCOMPARE(watch.texts("RecordCount"), QStringList{QString::number(rows.size())});
        }
        QCOMPARE(watch.titles.back(), title);
        QCOMPARE(watch.shown.back().orientation, landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(watch.shown.back().pageSize.id(), QPageSize::A4);
        QCOMPARE(program->endings(), 0);
    }

    // A start after the end: the customer reports say so, the others show no rows.
    void anEmptyRange() {
        addJanuary();
        ReportWatch watch;
        for (Report r : {Report::SummaryCustomers, Report::DetailedCustomers}) {
            ScriptedBoxes boxes;
            boxes.expect("Nothing to Print", Box::Answer::Ok, "No records to print!");
            PrintedReports::select(int(r), To, From, ShapeRs, nullptr);
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QCOMPARE(boxes.seen().front().icon, Box::Icon::Exclamation);
        }
        QVERIFY(watch.shown.empty());
        for (Report r : {Report::Invoices, Report::InvoiceDetails}) {
            PrintedReports::select(int(r), To, From, ShapeRs, nullptr);
            QVERIFY(watch.texts("InvNo").isEmpty());
            QCOMPARE(watch.texts("RecordCount"), QStringList{"0"});
            QCOMPARE(watch.texts("Sum_total"), QStringList{"0.00"});
        }
        QCOMPARE(int(watch.shown.size()), 2);
    }

    // Each invoice once with its lines under it and a rule after them; the
    // footer's sums count each invoice once, exactly.
    void invoicesWithTheirLines() {
        addJanuary();
        ReportWatch watch;
        PrintedReports::select(int(Report::InvoiceDetails), From, To, ShapeRs, nullptr);
        QCOMPARE(watch.texts("InvNo"), (QStringList{"I1", "I2", "I3"}));
        QCOMPARE(watch.texts("Line_PartID"), (QStringList{"P1", "P2", "P3"}));
        QCOMPARE(watch.texts("Line_total"), (QStringList{"4.00", "5.00", "0.07"}));
        QCOMPARE(watch.texts("Total"), (QStringList{"10.10", "20.20", "0.07"}));
        QCOMPARE(watch.texts("Sum_total"), QStringList{"30.37"});
        QCOMPARE(watch.texts("Sum_balance"), QStringList{"30.30"});
        QCOMPARE(watch.texts("RecordCount"), QStringList{"3"});
        QCOMPARE(watch.texts("Date"), (QStringList{"01/01/2005", "01/15/2005", "01/31/2005"}));

        const ReportPage& page = watch.shown.back().pages.at(0);
        const QList<int> invoices = tops(page, "InvNo");
        const QList<int> lines = tops(page, "Line_PartID");
        const QList<int> rules = tops(page, "Line_invoice");
        QCOMPARE(rules.size(), 3);
        // I1, its two lines, its rule; I2 and its rule; I3, its line, its rule.
        QVERIFY(invoices[0] < lines[0] && lines[0] < lines[1] && lines[1] < rules[0]);
        QVERIFY(rules[0] < invoices[1] && invoices[1] < rules[1]);
        QVERIFY(rules[1] < invoices[2] && invoices[2] < lines[2] && lines[2] < rules[2]);
    }

    // However many rows, every band lies whole on one page, inside its margins.
    void bandsAreNeverSplit_data() {
        QTest::addColumn<int>("paper");
        QTest::newRow("Letter") << int(QPageSize::Letter);
        QTest::newRow("A4") << int(QPageSize::A4);
    }
    void bandsAreNeverSplit() {
        QFETCH(int, paper);
        for (int i = 0; i < 60; ++i) {
            const QString invNo = QString("N%1").arg(i, 3, 10, QChar('0'));
            addInvoice(invNo, at(2005, 1, 1 + i % 31), "1", "1");
            for (int l = 0; l < i % 4; ++l) addLine(invNo, QString::number(l), "1");
        }
        ReportWatch watch{QPageSize::PageSizeId(paper)};
        PrintedReports::select(int(Report::InvoiceDetails), From, To, ShapeRs, nullptr);
        const ReportPages& pages = watch.shown.back();
        const ReportDesign& design = ReportInstance::of("InvoiceD_rpt").design;
        QVERIFY(pages.pages.size() > 2);
        QStringList invoices;
        for (const ReportPage& page : pages.pages) {
            // A band's controls come in whole: as many of each as there are bands.
            QCOMPARE(tops(page, "InvNo").size(), tops(page, "notes").size());
            QCOMPARE(tops(page, "Line_PartID").size(), tops(page, "Line_total").size());
            QCOMPARE(tops(page, "Date_cap").size(), 1);
            for (const PlacedItem& item : page.items) {
                QVERIFY(item.rect().top() >= design.topMargin);
                QVERIFY2(item.rect().top() + item.control().height <= pages.paper.height() - design.bottomMargin,
                         qPrintable(item.control().name));
                QVERIFY(item.rect().left() + item.control().width <= pages.paper.width());
            }
            for (const PlacedItem& item : page.items)
                if (item.control().name == "InvNo") invoices << item.text;
        }
        QCOMPARE(invoices.size(), 60);
        QCOMPARE(watch.texts("Sum_total"), QStringList{"60.00"});
    }

    // Over many pages the report footer's sums and count are those of SQL
    // over the same rows, to the last ten-thousandth rounded as printed.
    void footerSumsAreTheSqlSums_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QStringList>("sums");
        const QString inJanuary = "\"Date\" BETWEEN '2005-01-01' AND '2005-01-31'";
        const QStringList invoiceSums = {"subtotal", "vat", "total", "balance"};
        QTest::newRow("invoices") << int(Report::Invoices) << inJanuary << invoiceSums;
        QTest::newRow("invoices with lines") << int(Report::InvoiceDetails) << inJanuary << invoiceSums;
        QTest::newRow("debtors") << int(Report::Debtors) << "Balance > 0"
                                 << QStringList{"total", "writtenoff", "paid", "balance", "balance1", "balance2",
                                                "balance3"};
    }
    void footerSumsAreTheSqlSums() {
        QFETCH(int, report);
        QFETCH(QString, rows);
        QFETCH(QStringList, sums);
        {
            Transaction batch;
            for (int i = 0; i < 400; ++i) {
                const QString invNo = QString("S%1").arg(i, 3, 10, QChar('0'));
                const qint64 total = 1234567 + qint64(i) * 98761;   // ten-thousandths, odd cents and below
                insertRow("Invoices", {"InvNo", "Date", "Subtotal", "Vat", "Total", "WrittenOff", "Paid", "Balance"},
                          {invNo, at(2004 + i % 3, 1, 1 + i % 31), QVariant::fromValue(Currency::fromRaw(total - 15)),
                           QVariant::fromValue(Currency::fromRaw(15)), QVariant::fromValue(Currency::fromRaw(total)),
                           QVariant::fromValue(Currency::fromRaw(i % 5 * 101)),
                           QVariant::fromValue(Currency::fromRaw(i % 2 * 5555)),
                           QVariant::fromValue(Currency::fromRaw(i % 4 == 0 ? 0 : total - i % 2 * 5555))});
                if (i % 3 == 1) addLine(invNo, "P1", "1");
            }
            batch.commit();
        }
        Today::fix(QDate(2005, 3, 1));
        ReportWatch watch;
        PrintedReports::select(report, From, To, ShapeRs, nullptr);
        QVERIFY(watch.shown.back().pages.size() > 3);
        for (const QString& column : sums) {
            Statement sum(Database::shared(), QString("SELECT sum(\"%1\") FROM Invoices WHERE %2").arg(column, rows));
            sum.step();
            const QString expected = Currency::fromRaw(sum.integer(0)).toFixed(2);
            QCOMPARE(watch.texts("Sum_" + column), QStringList{expected});
        }
        Statement count(Database::shared(), "SELECT count(*) FROM Invoices WHERE " + rows);
        count.step();
        QCOMPARE(watch.texts("RecordCount"), QStringList{QString::number(count.integer(0))});
    }

    // Amounts as large as an invoice can hold, credits too, add up whole in
    // every footer sum, with no error reported.
    void footerSumsOfTheLargestAmounts_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QStringList>("sums");
        QTest::addColumn<QStringList>("expected");
        const QString three = "2767011611056432.71", two = "1844674407370955.14", one = "922337203685477.57";
        const QStringList invoiceSums = {"subtotal", "vat", "total", "balance"};
        const QStringList invoiceTotals = {three, "-" + three, three, three};
        QTest::newRow("invoices") << int(Report::Invoices) << invoiceSums << invoiceTotals;
        QTest::newRow("invoices with lines") << int(Report::InvoiceDetails) << invoiceSums << invoiceTotals;
        QTest::newRow("debtors") << int(Report::Debtors)
                                 << QStringList{"total", "writtenoff", "paid", "balance", "balance1", "balance2",
                                                "balance3"}
                                 << QStringList{three, three, "-" + three, three, one, two, "0.00"};
    }
    void footerSumsOfTheLargestAmounts() {
        QFETCH(int, report);
        QFETCH(QStringList, sums);
        QFETCH(QStringList, expected);
        const QVariant largest = money("922337203685477.57"), smallest = money("-922337203685477.57");
        for (const auto& [invNo, date] : {std::pair{"L1", at(2005, 1, 1)}, {"L2", at(2005, 1, 1)}, {"L3", at(2005, 1, 31)}}) {
            insertRow("Invoices", {"InvNo", "Date", "Subtotal", "Vat", "Total", "WrittenOff", "Paid", "Balance"},
                      {invNo, date, largest, smallest, largest, largest, smallest, largest});
            addLine(invNo, "P1", "922337203685477.57");
        }
        Today::fix(QDate(2005, 3, 1));
        ReportWatch watch;
        ScriptedBoxes noBoxes;
        PrintedReports::select(report, From, To, ShapeRs, nullptr);
        QVERIFY2(noBoxes.allAnswered(), qPrintable(noBoxes.report()));
        QCOMPARE(program->endings(), 0);
        QCOMPARE(watch.shown.size(), size_t(1));
        for (qsizetype i = 0; i < sums.size(); ++i) QCOMPARE(watch.texts("Sum_" + sums[i]), QStringList{expected[i]});
    }

    // Stored values as long as their columns hold, with their blanks, as
    // unbroken words or as runs of the font's widest letter, print whole in
    // every report and in the letter, at a readable size; the letter's
    // greeting and reminder at its own size where they have their words.
    void theLongestValuesPrintWhole_data() {
        QTest::addColumn<int>("report");   // Count: the reminder letter
        QTest::addColumn<int>("words");
        for (int r = 0; r <= PrintedReports::Count; ++r) {
            const char* design = r < PrintedReports::Count ? PrintedReports::entry(Report(r)).design : "Letter_rpt";
            for (auto [words, name] : {std::pair{longest::Words::Spaced, "spaced"},
                                       {longest::Words::Unbroken, "unbroken"}, {longest::Words::Widest, "widest"}})
                QTest::addRow("%s %s", design, name) << r << int(words);
        }
    }
    void theLongestValuesPrintWhole() {
        QFETCH(int, report);
        QFETCH(int, words);
        longest::store(longest::rows(11, From, longest::Words(words)));
        gSettings = longest::settings(SettingsValues(), longest::Words(words));
        Today::fix(QDate(2005, 3, 1));
        ReportWatch watch;
        if (report < PrintedReports::Count) PrintedReports::select(report, From, To, ShapeRs, nullptr);
        ReportPages pages = report < PrintedReports::Count ? watch.shown.at(0) : firstLetters(2);
        longest::widen(pages);
        int texts = 0;
        for (const ReportPage& page : pages.pages)
            for (const PlacedItem& item : page.items) {
                if (item.text.isEmpty()) continue;
                const QString name = item.control().name;
                const FittedText fitted = fittedText(page, item);
                QVERIFY2(!fitted.cut && ink(fitted.lines.join("")) == ink(item.text),
                         qPrintable(name + ": " + fitted.lines.join(" / ")));
                QVERIFY2(fitted.pointSize >= SmallestPointSize, qPrintable(name));
                if ((name == "dear_txt" || name == "Main_lbl") && longest::Words(words) != longest::Words::Widest)
                    QVERIFY2(fitted.pointSize == item.control().font.pointSize && fitted.lines.size() > 1,
                             qPrintable(name));
                ++texts;
            }
        QVERIFY(texts > 20);
    }

    // An unbroken description of 200 characters prints whole on the page,
    // every character inside its box.
    void anUnbrokenDescriptionPrintsWhole() {
        addInvoice("I1", at(2005, 1, 2), "1", "1");
        const QString description = QString("TERRACOTTAPLANTER,HANDTHROWN,FROSTPROOF,GLAZED;").repeated(5).left(200);
        insertRow("InvoiceD", LineColumns, {"I1", "P1", 1, description, money("1"), money("1")});
        ReportWatch watch;
        PrintedReports::select(int(Report::InvoiceDetails), From, To, ShapeRs, nullptr);
        const ReportPage& page = watch.shown.at(0).pages.at(0);
        const PlacedItem& item = *page.find("Line_Description");
        const FittedText fitted = fittedText(page, item);
        QCOMPARE(fitted.lines.join(""), description);
        QVERIFY(fitted.pointSize >= SmallestPointSize);
        const QRectF room = textRoom(page, item);
        const QFontMetricsF& metrics = reportFontMetrics(item.control().font, fitted.pointSize);
        QVERIFY(fitted.lines.size() <= wholeLinesIn(metrics, room.height()));
        for (const QString& line : fitted.lines) QVERIFY(metrics.horizontalAdvance(line) <= room.width());
    }

    // Neighbours never run together: amounts of ten digits before the point,
    // negative too, keep a visible gap from each other, from the notes and
    // from a phone number of the widest letters, in the rows and in the
    // footers' sums; an ordinary phone number and customer name keep to one
    // line.
    void neighboursKeepAGap_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QStringList>("row");      // left to right, in the first row
        QTest::addColumn<QStringList>("sums");     // left to right, in the report footer
        QTest::addColumn<QStringList>("pairs");    // each two, left and right, in an invoice's first line
        const QStringList invoiceSums = {"Sum_subtotal", "Sum_vat", "Sum_total", "Sum_balance"};
        const QStringList invoiceRow = {"Phone", "SubTotal", "Vat", "Total", "Balance", "notes"};
        QTest::newRow("invoices") << int(Report::Invoices) << invoiceRow << invoiceSums << QStringList();
        QTest::newRow("invoices with lines")
            << int(Report::InvoiceDetails) << invoiceRow << invoiceSums
            << QStringList{"Line_Description", "amount_lbl", "Line_amount", "total_lbl"};
        QTest::newRow("debtors") << int(Report::Debtors)
                                 << QStringList{"Phone", "Total", "WrittenOff", "Paid", "Balance", "balance1",
                                                "balance2", "Balance3"}
                                 << QStringList{"Sum_total", "Sum_writtenoff", "Sum_paid", "Sum_balance",
                                                "Sum_balance1", "Sum_balance2", "Sum_balance3"}
                                 << QStringList();
    }
    void neighboursKeepAGap() {
        QFETCH(int, report);
        QFETCH(QStringList, row);
        QFETCH(QStringList, sums);
        QFETCH(QStringList, pairs);
        longest::store(longest::rows(11, From, longest::Words::Widest));
        Statement(Database::shared(), "UPDATE InvoiceD SET Amount = ?1, Total = ?1")
            .bindAll({money("-9999999999.99")})
            .run();
        // A debt stays positive, so the debtors report lists it.
        Statement(Database::shared(),
                  "UPDATE Invoices SET Subtotal = ?1, Vat = ?1, Total = ?1, WrittenOff = ?1, Paid = ?1, "
                  "Balance = ?2, Balance1 = ?1, Balance2 = ?1, Balance3 = ?1")
            .bindAll({money("-9999999999.99"), money("9999999999.99")})
            .run();
        Statement(Database::shared(), "UPDATE Invoices SET Phone = '+44 1234 567890', CustomerName = "
                                      "'Customer 299998' WHERE rowid = 2")
            .run();
        Today::fix(QDate(2005, 3, 1));
        ReportWatch watch;
        PrintedReports::select(report, From, To, ShapeRs, nullptr);
        ReportPages pages = watch.shown.at(0);
        longest::widen(pages);
        const ReportPage& first = pages.pages.front();
        QCOMPARE(tooClose(first, row), QString());
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) QCOMPARE(tooClose(first, pairs.mid(i, 2)), QString());
        QCOMPARE(pages.pages.back().find(sums.front())->text, QString("-109999999999.89"));
        QCOMPARE(tooClose(pages.pages.back(), sums), QString());
        for (const char* ordinaryText : {"+44 1234 567890", "Customer 299998"}) {
            const PlacedItem& ordinary = *std::find_if(first.items.begin(), first.items.end(),
                                                       [&](const PlacedItem& item) { return item.text == ordinaryText; });
            const FittedText fitted = fittedText(first, ordinary);
            QCOMPARE(fitted.lines, QStringList{ordinary.text});
            QCOMPARE(fitted.pointSize, ordinary.control().font.pointSize);
        }
    }

    // 45 and 59 days old: their balances are under 31 to 60 days; one with no balance is no debtor.
    void debtorsAreAgedFirst() {
        addJanuary();
        Today::fix(QDate(2005, 3, 1));
        ReportWatch watch;
        PrintedReports::select(int(Report::Debtors), From, To, ShapeRs, nullptr);
        QCOMPARE(watch.texts("InvNo"), (QStringList{"I1", "I2"}));
        QCOMPARE(watch.texts("balance1"), (QStringList{"0.00", "0.00"}));
        QCOMPARE(watch.texts("balance2"), (QStringList{"10.10", "20.20"}));
        QCOMPARE(watch.texts("Balance3"), (QStringList{"0.00", "0.00"}));
        QCOMPARE(watch.texts("Sum_balance2"), QStringList{"30.30"});
        QCOMPARE(watch.texts("Sum_balance"), QStringList{"30.30"});
    }

    void onlyLetterAndA4Print_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("prints");
        QTest::newRow("Letter") << int(QPageSize::Letter) << true;
        QTest::newRow("A4") << int(QPageSize::A4) << true;
        QTest::newRow("Legal") << int(QPageSize::Legal) << false;
        QTest::newRow("A5") << int(QPageSize::A5) << false;
        QTest::newRow("custom") << int(QPageSize::Custom) << false;
    }
    void onlyLetterAndA4Print() {
        QFETCH(int, paper);
        QFETCH(bool, prints);
        addJanuary();
        ReportWatch watch;
        setPaperSizeSource([paper] {
            return paper == QPageSize::Custom ? QPageSize(QSizeF(200, 250), QPageSize::Millimeter)
                                              : QPageSize(QPageSize::PageSizeId(paper));
        });
        ScriptedBoxes boxes;
        if (!prints)
            boxes.expect("Change Paper Size", Box::Answer::Ok,
                         "Please change the paper size on your printer to 'Letter' or 'A4'");
        Today::fix(QDate(2005, 3, 1));
        PrintedReports::select(int(Report::Debtors), From, To, ShapeRs, nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(watch.shown.size(), size_t(prints));
        // Refused before anything is done: not even the age split is written.
        Statement split(Database::shared(), "SELECT Balance2 FROM Invoices WHERE InvNo = 'I1'");
        split.step();
        QCOMPARE(split.value(0).value<Currency>(), prints ? Currency::fromText("10.10") : Currency());
    }

    // Every report, the summary of customers too, reports its errors under its own procedure.
    void errorsReachTheErrorReporter_data() {
        QTest::addColumn<int>("report");
        for (int r = 0; r < PrintedReports::Count; ++r)
            QTest::newRow(PrintedReports::entry(Report(r)).procedure) << r;
    }
    void errorsReachTheErrorReporter() {
        QFETCH(int, report);
        addJanuary();
        const PrintedReports::Entry& entry = PrintedReports::entry(Report(report));
        ReportInstance::setInitialisation(entry.design, [](ReportInstance&) {
            raiseError(ErrorNo::FileNotFound, "broken design");
        });
        ReportWatch watch;
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok, entry.procedure);
        PrintedReports::select(report, From, To, ShapeRs, nullptr);
        ReportInstance::setInitialisation(entry.design, {});
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(boxes.seen().front().text.contains("frmReports"));
        QCOMPARE(program->endings(), 1);
        QVERIFY(watch.shown.empty());
    }
};

QTEST_MAIN(TestPrintedReports)
#include "test_printed_reports.moc"
