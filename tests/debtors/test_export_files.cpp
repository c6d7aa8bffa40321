// The six comma-separated files: their bytes, the texts of stored values,
// empty results and files that cannot be written.
#include "ExportFixture.h"
#include "common/Functions.h"
#include "debtors/ExportFiles.h"
#include "platform/AppError.h"
#include "platform/Today.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include <QDir>
#include <QtTest>

using namespace ExportFixture;
using ExportFiles::Export;
Q_DECLARE_METATYPE(ExportFiles::Export)

namespace {
const QByteArray InvoiceHeader =
    "Date,Invno,Custno,CustomerName,Subtotal,Tax,Total,Discount,Paid,WrittenOff,Balance,Notes,DiscountPercentage,"
    "Field1,Field2,Field3,Field4,\r\n";
const QByteArray Inv1 =
    "2026-11-30,INV1,C1,Ann Lee, 100, 17.5, 117.5, 0, 0, 0, 117.5,\"Call, first\", 12.5,Sam,S-1,Ship 1,"
    "\"TR \"\"9\"\"\",";
const QByteArray Inv2 = "2026-10-01,INV2,C2,Bo Ng, 0, 0, 0, 5, 0, 0,-5,, 0,,,,,";
}  // namespace

class TestExportFiles : public DatabaseTestCase {
    Q_OBJECT

    QString path(const QString& name = "out") const { return program->file(name + ".csv"); }

private slots:
    void filesHoldTheirRecordsByteForByte_data() {
        QTest::addColumn<Export>("which");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("customers, summary")
            << Export::SummaryCustomers
            << QByteArray("Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,\r\n"
                          "01/11/2026,C1,Ann,Lee,\"1 High St, Flat 2\",,Town,Shire,AB1 2CD,\r\n"
                          "15/11/2026 14:05:00,C2,\"Bo \"\"Big\"\"\",Ng,2 Low Rd,Annexe,City,,CD3,\r\n");
        QTest::newRow("customers, detailed")
            << Export::DetailedCustomers
            << QByteArray("Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,Phone,Mobile,"
                          "Fax,Email,DelAddress1,DelAddress2,DelAddress3,DelAddress4,DelAddress5,\r\n"
                          "01/11/2026,C1,Ann,Lee,\"1 High St, Flat 2\",,Town,Shire,AB1 2CD,0123,0789,0456,"
                          "ann@lee.example,Dock 4,Quay Rd,Port,Shire,ZZ9,\r\n"
                          "15/11/2026 14:05:00,C2,\"Bo \"\"Big\"\"\",Ng,2 Low Rd,Annexe,City,,CD3,,,,,,,,,,\r\n");
        QTest::newRow("invoices") << Export::Invoices << InvoiceHeader + Inv1 + "\r\n" + Inv2 + "\r\n";
        // Three lines of INV1 in the order of the lines' invoice number
        // index; the line numbered "inv1" is not one of them.
        QTest::newRow("invoices with lines")
            << Export::InvoiceDetails
            << InvoiceHeader + Inv1 +
                   " 2,P1,Widget, 12.35, 24.69, 1,P2,\"Say \"\"hi\"\", twice\", 3.46, 3.46,-1,BIG,, 12345678.92,"
                   "-12345678.92,\r\n" +
                   Inv2 + "\r\n";
        QTest::newRow("items") << Export::Parts
                               << QByteArray("ID,ShortDesc,Desc,Price\r\n"
                                             "P1,Widget,\"A widget, blue\", 12.5\r\n"
                                             "P2,\"Gadget \"\"XL\"\"\",, 0\r\n"
                                             "P3,Refund,\"Line one\r\nline two\",-3.25\r\n");
        // Every positive balance whatever its date, aged for today; INV4,
        // dated tomorrow, keeps the split it had.
        QTest::newRow("debtors")
            << Export::Debtors
            << QByteArray("Date,invno,Custno,CustomerName,Subtotal,Vat,Total,Discount,Paid,WrittenOff,balance,"
                          "0-30 Days,31-60 Days,61+ Days,Notes,\r\n"
                          "2026-11-30,INV1,C1,Ann Lee, 100, 17.5, 117.5, 0, 0, 0, 117.5, 117.5, 0, 0,\"Call, first\",\r\n"
                          "2026-09-01,INV3,C1,Ann Lee, 50, 0, 50, 0, 0, 0, 50, 0, 0, 50,Old,\r\n"
                          "2026-12-11,INV4,C2,Bo Ng, 10, 0, 10, 0, 0, 0, 10, 7, 8, 9,,\r\n"
                          "2026-12-01 09:30:00,INV5,C1,Ann Lee, 20, 0, 20, 0, 0.5,-0.25, 19.75, 19.75, 0, 0,,\r\n");
    }
    void filesHoldTheirRecordsByteForByte() {
        QFETCH(Export, which);
        QFETCH(QByteArray, bytes);
        Today::fix(ExportFixture::Today);
        addAll();
        writeFile(path(), "an older, longer file that the export replaces\r\n" + QByteArray(5000, 'x'));
        QCOMPARE(ExportFiles::write(which, path(), From, To, ShapeRs), ExportFiles::Outcome::Written);
        QCOMPARE(contents(path()), bytes);
        QVERIFY(!ShapeRs);   // let go after the export
    }

    // Texts beyond ASCII go out in UTF-8, with no byte-order mark.
    void textIsUtf8() {
        insertRow("Parts", {"ID", "ShortDesc", "Price"}, {"É1", "Crème brûlée €", money("1")});
        ExportFiles::write(Export::Parts, path(), From, To, ShapeRs);
        QCOMPARE(contents(path()), QByteArray("ID,ShortDesc,Desc,Price\r\n") + "É1,Crème brûlée €,, 1\r\n");
    }

    // Nothing found: the customer, invoice and item files are there and
    // empty, while an older debtors file stays as it was.
    void emptyResults_data() {
        QTest::addColumn<Export>("which");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("customers, summary") << Export::SummaryCustomers << true;
        QTest::newRow("customers, detailed") << Export::DetailedCustomers << true;
        QTest::newRow("invoices") << Export::Invoices << true;
        QTest::newRow("invoices with lines") << Export::InvoiceDetails << true;
        QTest::newRow("items") << Export::Parts << true;
        QTest::newRow("debtors") << Export::Debtors << false;
    }
    void emptyResults() {
        QFETCH(Export, which);
        QFETCH(bool, emptied);
        Today::fix(ExportFixture::Today);
        addCustomers();
        insertRow("Invoices", {"InvNo", "Date", "Balance"}, {"X", at(2026, 11, 1), money("0")});
        const QByteArray older = "older file\r\n";
        writeFile(path(), older);
        // A "from" after the "to" selects nothing.
        QCOMPARE(ExportFiles::write(which, path(), To, From, ShapeRs), ExportFiles::Outcome::NoRecords);
        QCOMPARE(contents(path()), emptied ? QByteArray() : older);
        QVERIFY(QFile::exists(path()));
        if (!emptied) {
            QVERIFY(QFile::remove(path()));
            ExportFiles::write(which, path(), From, To, ShapeRs);
            QVERIFY(!QFile::exists(path()));
        }
    }

    // The items and the debtors take no dates.
    void itemsAndDebtorsIgnoreTheRange() {
        Today::fix(ExportFixture::Today);
        addAll();
        for (Export which : {Export::Parts, Export::Debtors})
            QCOMPARE(ExportFiles::write(which, path(), To, From, ShapeRs), ExportFiles::Outcome::Written);
    }

    // A folder that cannot be written is an error, and nothing is written elsewhere.
    void unwritableFolderIsAnError() {
        addAll();
        const QStringList before = QDir(program->folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (Export which : {Export::SummaryCustomers, Export::Debtors})
            QCOMPARE(errorNumberOf([&] { ExportFiles::write(which, "/proc/out.csv", From, To, ShapeRs); }),
                     ErrorNo::PathFileAccess);
        QVERIFY(!QFile::exists("/proc/out.csv"));
        QCOMPARE(QDir(program->folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    // A write that breaks off half way (a full disk) is an error naming the
    // reason, never a success; the older file of that name stays byte for
    // byte and no side file is left.
    void aFailedWriteKeepsTheOlderFile_data() {
        QTest::addColumn<Export>("which");
        QTest::newRow("items") << Export::Parts;
        QTest::newRow("invoices with lines") << Export::InvoiceDetails;
        QTest::newRow("debtors") << Export::Debtors;
    }
    void aFailedWriteKeepsTheOlderFile() {
        QFETCH(Export, which);
        Today::fix(ExportFixture::Today);
        addAll();
        const QByteArray older = "an older export\r\n";
        writeFile(path(), older);
        QString why;
        {
            const FullDisk full(100);
            try {
                ExportFiles::write(which, path(), From, To, ShapeRs);
            } catch (const AppError& e) {
                QCOMPARE(e.number, ErrorNo::PathFileAccess);
                why = e.description;
            }
        }
        QCOMPARE(why, "Path/File access error: " + path() + " cannot be written (No space left on device).");
        QCOMPARE(contents(path()), older);
        QCOMPARE(QDir(program->folder()).entryList({"out*"}), QStringList{"out.csv"});
    }

    // What an export cut off by a kill left beside the file goes with the next one.
    void aSideFileLeftBehindGoesWithTheNextExport() {
        addItems();
        writeFile(path() + ".part", "half an export");
        QCOMPARE(ExportFiles::write(Export::Parts, path(), From, To, ShapeRs), ExportFiles::Outcome::Written);
        QVERIFY(contents(path()).startsWith("ID,ShortDesc,Desc,Price\r\n"));
        QCOMPARE(QDir(program->folder()).entryList({"out*"}), QStringList{"out.csv"});
    }
};

QTEST_MAIN(TestExportFiles)
#include "test_export_files.moc"
