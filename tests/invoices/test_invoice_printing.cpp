#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"
#include "invoices/LongestValues.h"
#include "invoices/SampleValues.h"
#include "platform/Recordset.h"
#include "reports/PaperSize.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPainter.h"
#include "reports/ReportPreview.h"
#include "support/TestSupport.h"
#include <QWidget>
#include <QtTest>
#include <functional>

namespace {
const QString CrLf = "\r\n";

ReportDesign filled(int layout, const InvoiceOnScreen& screen, const SettingsValues& s,
                    const CustomerAddress& customer, bool a4 = false) {
    ReportDesign d = createInvoiceLayout(layout, QString());
    fillInvoiceLayout(d, layout, screen, s, customer, a4);
    return d;
}

// The text as the company block holds a value it keeps whole: its blanks are no-break ones.
QString whole(QString text) { return text.replace(' ', QChar::Nbsp); }

QString headerFieldSection(int layout) { return layout == 2 || layout == 4 ? "Section4" : "Section2"; }

// Captures what a print would show, and the paper it is asked for.
struct PrintWatch {
    std::vector<ReportPages> shown;
    QWidget* owner = nullptr;
    QStringList invoicesRead;   // the numbers of the rows the print read, seen while its preview is open
    explicit PrintWatch(QPageSize::PageSizeId paper = QPageSize::Letter) {
        setPaperSizeSource([paper] { return QPageSize(paper); });
        setReportPreviewHook([this](const ReportPages& pages, const QString&, QWidget* o) {
            shown.push_back(pages);
            owner = o;
            const auto rows = ShapeRs->reopen();
            for (; !rows->eof(); rows->moveNext()) invoicesRead << rows->field("InvNo").toString();
        });
    }
    ~PrintWatch() {
        setPaperSizeSource({});
        setReportPreviewHook({});
    }
    const PlacedItem* item(const QString& name) const { return shown.at(0).pages.at(0).find(name); }
};

void addCustomer(const QString& id) {
    Recordset rs("customers");
    rs.addNew();
    rs.setField("CustID", id);
    rs.setField("Address", "4 Mill Road");
    rs.setField("city", "Pulborough");
    rs.setField("DelAddress5", "RH20 4BB");
    rs.update();
}

void addInvoice(const QString& invNo) {
    Recordset rs("invoices");
    rs.addNew();
    rs.setField("InvNo", invNo);
    rs.update();
}
}

class TestInvoicePrinting : public QObject {
    Q_OBJECT
private slots:
    void everyNameThePrintSetsIsInEveryLayout_data() {
        QTest::addColumn<int>("layout");
        for (int n = 1; n <= 6; ++n) QTest::addRow("layout %d", n) << n;
    }
    void everyNameThePrintSetsIsInEveryLayout() {
        QFETCH(int, layout);
        const ReportDesign d = ReportDesign::load(QString("invoice%1_RPT").arg(layout));
        QStringList header{"Image1", "Invoice_lbl", "companyname_lbl", "Companyadd", "BillingAdd",
                           "ShippingAdd", "shippingShape", "shipping1_lbl"};
        QStringList page{"taxname_lbl", "taxable_lbl", "Notes_lbl", "statment_lbl", "Terms_lbl", "Shape1",
                         "Subtotal_lbl", "Tax_lbl", "Discount_lbl", "total11_lbl", "Total10_lbl", "Paid_lbl",
                         "wrttenoff_lbl", "balance_lbl"};
        for (int i = 0; i < 8; ++i)
            for (const char* base : {"Parts", "Qty", "Description", "Amount", "Total"})
                page << QString("%1%2_lbl").arg(base).arg(i);
        const QStringList fields{"Invoice1_lbl", "Date1_lbl", "CustNo_lbl", "CustName_lbl", "SalesPerson_lbl",
                                 "Sales_lbl", "Shipping2_lbl", "Shipping_lbl", "SalesNO1_lbl", "SalesNO_lbl",
                                 "TrackNo_lbl", "Tracking_lbl"};
        (headerFieldSection(layout) == "Section4" ? header : page) << fields;
        for (const QString& name : header) QVERIFY2(d.section("Section4").hasControl(name), qPrintable(name));
        for (const QString& name : page) QVERIFY2(d.section("Section2").hasControl(name), qPrintable(name));
        // The fill runs through without a missing name.
        ReportDesign copy = d;
        fillInvoiceLayout(copy, layout, sampleScreen(), sampleSettings(), sampleCustomer(), true);
    }

    void sectionsMatchTheDesigns_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QList<int>>("heights");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QList<int>>("report");   // width, left, right, top, bottom
        QTest::newRow("1") << 1 << QList<int>{4335, 9690, 0, 0, 45} << QList<int>{11, 112, 0, 0, 0}
                           << QList<int>{9750, 950, 800, 800, 500};
        QTest::newRow("2") << 2 << QList<int>{4935, 9120, 0, 0, 45} << QList<int>{27, 88, 0, 0, 0}
                           << QList<int>{9900, 950, 500, 1000, 500};
        QTest::newRow("3") << 3 << QList<int>{4275, 9825, 0, 0, 45} << QList<int>{11, 90, 0, 0, 0}
                           << QList<int>{9780, 950, 500, 800, 500};
        QTest::newRow("4") << 4 << QList<int>{4540, 9600, 0, 0, 45} << QList<int>{27, 86, 0, 0, 0}
                           << QList<int>{9855, 950, 500, 1000, 500};
        QTest::newRow("5") << 5 << QList<int>{4275, 9735, 0, 0, 45} << QList<int>{11, 112, 0, 0, 0}
                           << QList<int>{9750, 950, 500, 800, 500};
        QTest::newRow("6") << 6 << QList<int>{4320, 9840, 0, 0, 45} << QList<int>{11, 90, 0, 0, 0}
                           << QList<int>{9690, 950, 800, 800, 500};
    }
    void sectionsMatchTheDesigns() {
        QFETCH(int, layout);
        QFETCH(QList<int>, heights);
        QFETCH(QList<int>, counts);
        QFETCH(QList<int>, report);
        const ReportDesign d = ReportDesign::load(QString("Invoice%1_rpt").arg(layout));
        const QStringList names{"Section4", "Section2", "Section1", "Section3", "Section5"};
        const QList<SectionKind> kinds{SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::Detail,
                                       SectionKind::PageFooter, SectionKind::ReportFooter};
        QCOMPARE(int(d.sections.size()), 5);
        for (int i = 0; i < 5; ++i) {
            const ReportSection& s = d.sections[size_t(i)];
            QCOMPARE(s.name, names[i]);
            QVERIFY(s.kind == kinds[i]);
            QCOMPARE(s.height, heights[i]);
            QCOMPARE(int(s.controls.size()), counts[i]);
        }
        QCOMPARE((QList<int>{d.reportWidth, d.leftMargin, d.rightMargin, d.topMargin, d.bottomMargin}), report);
    }

    void eachLayoutFitsItsPage_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("a4");
        for (int n = 1; n <= 6; ++n) {
            QTest::addRow("layout %d Letter", n) << n << false;
            QTest::addRow("layout %d A4", n) << n << true;
        }
    }
    void eachLayoutFitsItsPage() {
        QFETCH(int, layout);
        QFETCH(bool, a4);
        const ReportDesign d = filled(layout, sampleScreen(), sampleSettings(), sampleCustomer(), a4);
        const ReportPages pages =
            layoutReport(d, nullptr, QPageSize(a4 ? QPageSize::A4 : QPageSize::Letter));
        QCOMPARE(int(pages.pages.size()), 1);
        QCOMPARE(pages.paper, a4 ? QSize(11906, 16838) : QSize(12240, 15840));
        QCOMPARE(d.rightMargin == 1000 && d.topMargin == 1300 && d.section("Section4").height == 4500, a4);
        const QRect printable(d.leftMargin, d.topMargin, pages.paper.width() - d.leftMargin - d.rightMargin,
                              pages.paper.height() - d.topMargin - d.bottomMargin);
        QVERIFY(d.leftMargin + d.reportWidth <= printable.right() + 1);
        for (const PlacedItem& item : pages.pages[0].items) {
            const QRect r = item.rect();
            QVERIFY2(r.left() >= d.leftMargin && r.left() + r.width() <= d.leftMargin + d.reportWidth &&
                         r.top() >= printable.top() && r.top() + r.height() <= printable.bottom() + 1,
                     qPrintable(item.control().name));
        }
        // The page header follows the report header's height.
        const int s4 = d.section("Section4").height;
        QCOMPARE(pages.pages[0].find("Terms_lbl")->rect().top(),
                 d.topMargin + s4 + d.section("Section2").control("Terms_lbl").top);
    }

    // With the longest values the editors accept, with their blanks, as
    // unbroken words or as runs of the font's widest letter, every text
    // prints whole, at a readable size, and none over another.
    void theLongestValuesPrintWhole_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("a4");
        QTest::addColumn<int>("words");
        for (int n = 1; n <= 6; ++n)
            for (bool a4 : {false, true})
                for (const auto& [words, what] : {std::pair{longest::Words::Spaced, "spaced"},
                                                  std::pair{longest::Words::Unbroken, "unbroken"},
                                                  std::pair{longest::Words::Widest, "widest letter"}})
                    QTest::addRow("layout %d %s %s", n, a4 ? "A4" : "Letter", what) << n << a4 << int(words);
    }
    void theLongestValuesPrintWhole() {
        QFETCH(int, layout);
        QFETCH(bool, a4);
        QFETCH(int, words);
        const auto w = longest::Words(words);
        const ReportDesign d = filled(layout, longest::invoice(sampleScreen(), w),
                                      longest::settings(sampleSettings(), w), longest::customer(w), a4);
        ReportPages pages = layoutReport(d, nullptr, QPageSize(a4 ? QPageSize::A4 : QPageSize::Letter));
        longest::widen(pages);
        QCOMPARE(int(pages.pages.size()), 1);
        const ReportPage& page = pages.pages[0];
        std::vector<std::pair<QString, QRectF>> rooms;
        for (const PlacedItem& item : page.items) {
            if (item.control().kind != ControlKind::Label || item.text.isEmpty()) continue;
            const QString& name = item.control().name;
            const FittedText fitted = fittedText(page, item);
            QVERIFY2(!fitted.cut, qPrintable(name + ": " + fitted.lines.join(" / ")));
            QVERIFY2(fitted.pointSize >= SmallestPointSize, qPrintable(name));
            rooms.emplace_back(name, textRoom(page, item));
        }
        for (size_t i = 0; i < rooms.size(); ++i)
            for (size_t j = i + 1; j < rooms.size(); ++j)
                QVERIFY2(!rooms[i].second.intersects(rooms[j].second),
                         qPrintable(rooms[i].first + " and " + rooms[j].first));
        // The faults once seen: the whole invoice number in the title, the postcode in both address boxes.
        const auto printed = [&page](const char* control, QString sample) {
            const PlacedItem& item = *page.find(control);
            return std::pair{fittedText(page, item).lines,
                             sample.replace(longest::WidestMark, longest::widestCharacter(item.control().font))};
        };
        const auto [title, invoiceNo] = printed("Invoice_lbl", longest::key(w, "INV000012345"));
        QCOMPARE(title, QStringList{"INVOICE - " + invoiceNo});
        const CustomerAddress customer = longest::customer(w);
        const auto [billing, postcode] = printed("BillingAdd", customer.Postcode);
        QCOMPARE(billing.last(), postcode);
        const auto [delivery, lastLine] = printed("ShippingAdd", customer.DelAddress[4]);
        QCOMPARE(delivery.last(), lastLine);
    }

    // A phone and a mobile number of ordinary length that do not fit on one
    // line of the company block print each on a line of their own, whole.
    void companyBlockBreaksBetweenValues() {
        for (int layout = 1; layout <= 6; ++layout) {
            const ReportDesign d = filled(layout, sampleScreen(), sampleSettings(), sampleCustomer());
            const ReportPages pages = layoutReport(d, nullptr, QPageSize(QPageSize::Letter));
            const ReportPage& page = pages.pages.at(0);
            QStringList lines = fittedText(page, *page.find("Companyadd")).lines;
            lines.replaceInStrings(QString(QChar::Nbsp), " ");
            const QString phone = "Phone: 01903 555 123", mobile = "Mobile: 07700 900 456";
            const QString both = phone + "  " + mobile;
            QVERIFY2(lines.contains(both) || (lines.contains(phone) && lines.contains(mobile)),
                     qPrintable(QString("layout %1: %2").arg(layout).arg(lines.join(" / "))));
        }
    }

    void fill() {
        struct Case {
            const char* what;
            int layout;
            std::function<void(SettingsValues&, InvoiceOnScreen&, CustomerAddress&)> change;
            const char* section;
            const char* control;
            QString caption;        // the expected caption
            bool visible;
        };
        const auto none = [](SettingsValues&, InvoiceOnScreen&, CustomerAddress&) {};
        const QString padded = "Kelm Garden Supplies          ";
        const std::vector<Case> cases{
            {"a zero total prints empty", 1, none, "Section2", "Total3_lbl", "", true},
            {"a taxed line prints as shown", 1, none, "Section2", "Total0_lbl", "     25.00", true},
            {"an untaxed line is starred when tax is on", 1,
             [](SettingsValues&, InvoiceOnScreen& i, CustomerAddress&) { i.tax[0] = 0; }, "Section2", "Total0_lbl",
             "     25.00*", true},
            {"no star with tax off", 3,
             [](SettingsValues& s, InvoiceOnScreen& i, CustomerAddress&) { s.TaxEnabled = 0; i.tax[0] = 0; },
             "Section2", "Total0_lbl", "     25.00", true},
            {"the non-taxable note hides with tax off", 3,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.TaxEnabled = 0; }, "Section2",
             "taxable_lbl", "* = Non Taxable Items", false},
            {"the non-taxable note shows with tax on", 3, none, "Section2", "taxable_lbl", "* = Non Taxable Items",
             true},
            {"an amount gets one blank", 1, none, "Section2", "Amount0_lbl", "     12.50 ", true},
            {"an empty row's amount is one blank", 5, none, "Section2", "Amount7_lbl", " ", true},
            {"amounts carry the currency, trimmed", 1, none, "Section2", "Subtotal_lbl", "$25.00", true},
            {"a blank currency leaves one blank", 2,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.Currency = QString(); }, "Section2",
             "balance_lbl", " 30.00", true},
            {"the tax caption comes from the editor", 4, none, "Section2", "taxname_lbl", "VAT 20%", true},
            {"the title", 6, none, "Section4", "Invoice_lbl", "INVOICE - INV1", true},
            {"layout 1 trims the business name", 1, none, "Section4", "companyname_lbl", "Kelm Garden Supplies",
             true},
            {"other layouts print it as stored", 5, none, "Section4", "companyname_lbl", padded, true},
            {"layout 1 company block, phone empty, mobile set", 1,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) {
                 s.Phone = QString();
                 s.Email = QString();
                 s.Web = QString();
             },
             "Section4", "Companyadd",
             "12 Orchard Lane\r\nLittle Hampton\r\n" + whole("Mobile: 07700 900 456") + "\r\nVAT No: GB 123", true},
            {"layout 2 company block, phone empty, mobile set", 2,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) {
                 s.Phone = QString();
                 s.TaxEnabled = 0;
             },
             "Section4", "Companyadd",
             "12 Orchard Lane\r\nLittle Hampton\r\n  " + whole("Mobile: 07700 900 456") +
                 "\r\nEmail: accounts@kelm.example\r\nWeb: www.kelm.example\r\n",
             true},
            {"layout 4 trims the tax name and number", 4,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) {
                 s.Mobile = QString();
                 s.Email = QString();
                 s.Web = QString();
             },
             "Section4", "Companyadd",
             "12 Orchard Lane\r\nLittle Hampton\r\n" + whole("Phone: 01903 555 123") + "\r\nVAT No: GB 123",
             true},
            {"billing block", 1, none, "Section4", "BillingAdd",
             "Jane Doe\r\n4 Mill Road\r\nAshington\r\nPulborough\r\nRH20 3AA", true},
            {"a customer with no address", 1,
             [](SettingsValues&, InvoiceOnScreen&, CustomerAddress& a) { a = CustomerAddress(); }, "Section4",
             "BillingAdd", "Jane Doe\r\n", true},
            {"delivery block", 3, none, "Section4", "ShippingAdd", "Jane Doe\r\nUnit 7\r\nRH20 4BB", true},
            {"shipping off hides the delivery box but fills it", 2,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.includeshipping = 0; }, "Section4",
             "ShippingAdd", "Jane Doe\r\nUnit 7\r\nRH20 4BB", false},
            {"shipping off hides the frame", 2,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.includeshipping = 0; }, "Section4",
             "shippingShape", "", false},
            {"shipping off hides the caption", 2,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.includeshipping = 0; }, "Section4",
             "shipping1_lbl", " Delivery Address:", false},
            {"the statement", 1, none, "Section2", "statment_lbl", "Thank you", true},
            {"no statement prints empty", 1,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.includestatement = 0; }, "Section2",
             "statment_lbl", "", true},
            {"the terms", 6, none, "Section2", "Terms_lbl", "30 days", true},
            {"terms off hide the box", 6,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.includeterms = 0; }, "Section2",
             "Terms_lbl", "", false},
            {"terms off hide the frame", 6,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.includeterms = 0; }, "Section2",
             "Shape1", "", false},
            {"notes ticked", 1,
             [](SettingsValues&, InvoiceOnScreen& i, CustomerAddress&) { i.Notes_chk = 1; }, "Section2",
             "Notes_lbl", "Notes:\r\nSide gate", true},
            {"notes not ticked", 1, none, "Section2", "Notes_lbl", "", true},
            {"the date", 3, none, "Section2", "Date1_lbl", "14/03/2026", true},
            {"the customer number", 2, none, "Section4", "CustNo_lbl", "C1", true},
            {"a header caption in the page header", 1, none, "Section2", "Sales_lbl", "Sales Person", true},
            {"a header caption in the report header gets a colon", 2, none, "Section4", "Sales_lbl",
             "Sales Person:", true},
            {"layout 4 too", 4, none, "Section4", "Tracking_lbl", "Tracking No:", true},
            {"a header value", 4, none, "Section4", "SalesNO1_lbl", "Courier", true},
            {"field 2 hidden: its value", 5,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.Text2Visible = 0; }, "Section2",
             "Shipping2_lbl", "SO-7", false},
            {"field 2 hidden: its caption", 5,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.Text2Visible = 0; }, "Section2",
             "Shipping_lbl", "Sales Order", false},
            {"field 2 hidden: field 1 still shows", 5,
             [](SettingsValues& s, InvoiceOnScreen&, CustomerAddress&) { s.Text2Visible = 0; }, "Section2",
             "Sales_lbl", "Sales Person", true},
        };
        for (const Case& c : cases) {
            SettingsValues s = sampleSettings();
            InvoiceOnScreen screen = sampleScreen();
            CustomerAddress customer = sampleCustomer();
            c.change(s, screen, customer);
            const ReportDesign d = filled(c.layout, screen, s, customer);
            const ReportControl& control = d.section(c.section).control(c.control);
            if (control.kind == ControlKind::Label) QVERIFY2(control.caption == c.caption, c.what);
            QVERIFY2(control.visible == c.visible, c.what);
        }
    }

    void aFilledShapeIsPaintedInItsColour() {
        const ReportDesign d = filled(2, sampleScreen(), sampleSettings(), sampleCustomer());
        const ReportPages pages = layoutReport(d, nullptr, QPageSize(QPageSize::Letter));
        const QImage image = renderReportPage(pages, 0, 96);
        const QRect band = pages.pages[0].find("Shape2")->rect();   // the blue heading band of the lines
        const auto pixel = [&](int x, int y) { return image.pixelColor(x * 96 / 1440, y * 96 / 1440); };
        QCOMPARE(pixel(band.center().x(), band.center().y()), QColor("#0000C0"));
        QCOMPARE(pixel(band.center().x(), band.top() - 100), QColor(Qt::white));
        // The heading's caption is white on it.
        const QRect caption = pages.pages[0].find("Label9")->rect();
        bool white = false;
        for (int x = caption.left(); x < caption.right(); x += 5)
            for (int y = caption.top(); y < caption.bottom(); y += 5) white |= qGray(pixel(x, y).rgb()) > 200;
        QVERIFY(white);
    }

    void printShowsThePreviewOwnedByTheEditor() {
        TestProgram program;
        program.createDatabase();
        addCustomer("C'1");
        addInvoice("O'Neil-7");
        gSettings = sampleSettings();
        gSettings.InvoiceType = "3";
        InvoiceOnScreen screen = sampleScreen();
        screen.Inv_lbl = "O'Neil-7";
        screen.Cust_lbl = "c'1";
        ScriptedBoxes boxes;
        PrintWatch watch;
        QWidget editor;
        Print_Invoice(screen, &editor);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 0);
        QCOMPARE(int(watch.shown.size()), 1);
        QCOMPARE(watch.owner, &editor);
        QCOMPARE(watch.shown[0].paper, QSize(12240, 15840));
        QCOMPARE(watch.item("Invoice_lbl")->text, QString("INVOICE - O'Neil-7"));
        QCOMPARE(watch.item("BillingAdd")->text, QString("Jane Doe\r\n4 Mill Road\r\nPulborough\r\n"));
        QCOMPARE(watch.item("ShippingAdd")->text, QString("Jane Doe\r\nRH20 4BB"));
        // The number was bound, so the quote found its invoice; its rows are let go with the preview.
        QCOMPARE(watch.invoicesRead, QStringList{"O'Neil-7"});
        QVERIFY(!ShapeRs);
    }

    void anUnsavedInvoiceOfAnUnknownCustomerStillPrints() {
        TestProgram program;
        program.createDatabase();
        gSettings = sampleSettings();
        ScriptedBoxes boxes;
        PrintWatch watch(QPageSize::A4);
        Print_Invoice(sampleScreen(), nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(int(watch.shown.size()), 1);
        QCOMPARE(watch.item("BillingAdd")->text, QString("Jane Doe\r\n"));
        QCOMPARE(watch.shown[0].paper, QSize(11906, 16838));
        QCOMPARE(watch.item("Shape7")->rect().top(), 1300 + 4500 + 330);
        QVERIFY(watch.invoicesRead.isEmpty());
    }

    void logos_data() {
        QTest::addColumn<QString>("file");          // "" = no logo set
        QTest::addColumn<QByteArray>("content");    // "png" = a real picture
        QTest::addColumn<QString>("message");       // the box expected, "" = none
        QTest::addColumn<bool>("pictured");
        QTest::addColumn<bool>("pathKept");
        QTest::newRow("no logo") << "" << QByteArray() << "" << false << true;
        QTest::newRow("a picture") << "logo.png" << QByteArray("png") << "" << true << true;
        QTest::newRow("missing") << "gone.bmp" << QByteArray() << "Logo cannot be found" << false << false;
        QTest::newRow("not a picture") << "bad.jpg" << QByteArray("not a picture") << "cannot be loaded" << false
                                       << true;
    }
    void logos() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(bool, pictured);
        QFETCH(bool, pathKept);
        TestProgram program;
        program.createDatabase();
        gSettings = sampleSettings();
        if (!file.isEmpty()) gSettings.logopath = program.file(file);
        if (content == "png") {
            QImage logo(40, 30, QImage::Format_RGB32);
            logo.fill(Qt::red);
            QVERIFY(logo.save(gSettings.logopath));
        } else if (!content.isEmpty()) {
            QFile f(gSettings.logopath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QString path = gSettings.logopath;
        ScriptedBoxes boxes;
        if (!message.isEmpty()) boxes.expect("Logo!", Box::Answer::Ok, message);
        PrintWatch watch;
        Print_Invoice(sampleScreen(), nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(int(watch.shown.size()), 1);
        QCOMPARE(!watch.item("Image1")->control().picture.isNull(), pictured);
        QCOMPARE(gSettings.logopath, pathKept ? path : QString());
        QCOMPARE(program.endings(), 0);
    }

    void onlyLetterAndA4Print() {
        TestProgram program;
        program.createDatabase();
        gSettings = sampleSettings();
        ScriptedBoxes boxes;
        boxes.expect("Change Paper Size", Box::Answer::Ok, "Please change the paper size on your printer to 'Letter' or 'A4'");
        PrintWatch watch(QPageSize::Legal);
        Print_Invoice(sampleScreen(), nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(watch.shown.empty());
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Exclamation);
    }

    void anUnknownLayoutPrintsNothing_data() {
        QTest::addColumn<QString>("type");
        QTest::newRow("7") << "7";
        QTest::newRow("empty") << "";
        QTest::newRow("blank after") << "1 ";
    }
    void anUnknownLayoutPrintsNothing() {
        QFETCH(QString, type);
        TestProgram program;
        program.createDatabase();
        gSettings = sampleSettings();
        gSettings.InvoiceType = type;
        ScriptedBoxes boxes;
        PrintWatch watch;
        Print_Invoice(sampleScreen(), nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(watch.shown.empty());
    }

    void aDatabaseErrorIsReported() {
        TestProgram program;
        program.createDatabase();
        program.closeDatabase();
        gSettings = sampleSettings();
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok, "Print_Invoice");
        PrintWatch watch;
        Print_Invoice(sampleScreen(), nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 1);
        QVERIFY(watch.shown.empty());
    }
};

QTEST_MAIN(TestInvoicePrinting)
#include "test_invoice_printing.moc"
