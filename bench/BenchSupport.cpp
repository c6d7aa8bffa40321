#include "BenchSupport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/DatabaseCreation.h"
#include "platform/ProgramFolder.h"
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace Bench {
namespace {

// The file's user version marks a data set whose making ran to its end.
constexpr int CompleteMark = 4242;

void fill(Database& db, const DataSetSize& size, unsigned seed = 42) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    static const char* first[] = {"Anna", "Ben", "Clara", "David", "Erin", "Farid", "Grace", "Hugo"};
    static const char* last[] = {"Smith", "Jones", "O'Brien", "Nguyen", "Patel", "Kowalski", "Brown"};
    Transaction tx(db);
    Statement customer(db,
        "INSERT INTO Customers (CustID, \"Date\", FirstName, LastName, Phone, Address, City, Postcode) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < size.customers; ++i) {
        customer.reset();
        customer.bindAll({QString("CUS%1").arg(100001 + i), QDate(2020, 1, 1).addDays(pick(2000)),
                          QString(first[pick(8)]), QString(last[pick(7)]) + QString::number(i),
                          QString("0%1").arg(100000000 + pick(899999999)),
                          QString("%1 High Street").arg(1 + pick(200)), QString("Town %1").arg(pick(500)),
                          QString("PC%1").arg(pick(9999))});
        customer.run();
    }
    Statement item(db, "INSERT INTO Parts (ID, ShortDesc, \"Desc\", Price, Taxable) VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < size.items; ++i) {
        item.reset();
        item.bindAll({QString("ITE%1").arg(100001 + i), QString("Item %1").arg(i),
                      QString("Long description of item %1").arg(i),
                      QVariant::fromValue(Currency::fromRaw(10000 * (1 + pick(500)))), pick(2)});
        item.run();
    }
    Statement invoice(db,
        "INSERT INTO Invoices (InvNo, \"Date\", CustNo, CustomerName, Subtotal, Vat, Total, Paid, Balance, TaxPer) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 17.5)");
    Statement line(db,
        "INSERT INTO InvoiceD (InvNo, PartID, Qty, Description, Amount, Total, Taxable) VALUES (?, ?, ?, ?, ?, ?, ?)");
    int linesLeft = size.lines;
    for (int i = 0; i < size.invoices; ++i) {
        const QString number = QString("INV%1").arg(100001 + i);
        const int invoicesLeft = size.invoices - i;
        const int count = invoicesLeft == 1 ? linesLeft
                                            : std::min(8, std::max(1, linesLeft / invoicesLeft + pick(3) - 1));
        Currency subtotal;
        for (int l = 0; l < count && linesLeft > 0; ++l, --linesLeft) {
            const int qty = 1 + pick(20);
            const Currency price = Currency::fromRaw(10000 * (1 + pick(500)));
            const Currency total = price.times(qty);
            subtotal += total;
            line.reset();
            line.bindAll({number, QString("ITE%1").arg(100001 + pick(std::max(1, size.items))), qty,
                          QString("Item %1").arg(l), QVariant::fromValue(price), QVariant::fromValue(total), 1});
            line.run();
        }
        const Currency vat = subtotal.percent(17.5).rounded(2);
        const Currency total = subtotal + vat;
        const Currency paid = i % 3 == 0 ? Currency() : total;
        invoice.reset();
        invoice.bindAll({number, QDate(2024, 1, 1).addDays(pick(1000)),
                         QString("CUS%1").arg(100001 + pick(size.customers)), QString("Customer %1").arg(i),
                         QVariant::fromValue(subtotal), QVariant::fromValue(vat), QVariant::fromValue(total),
                         QVariant::fromValue(paid), QVariant::fromValue(total - paid)});
        invoice.run();
    }
    Statement(db,
              "INSERT INTO \"System\" (BusinessName, InvPrefix, Invstart, CustPrefix, CustStart, PartPrefix, "
              "PartStart, TaxAmount, TaxEnabled, TaxName, ConfirmAll, FreeFormInv, FreeformCus, FreeformPart, "
              "Debtorstart, DefaultStart, DefaultEnd, Present, InvoiceType, Text1Name, Text2Name, Text3Name, "
              "Text4Name, Reminder1, Reminder2, Reminder3) VALUES ('Kelm Tools', 'INV', '500001', 'CUS', "
              "'200001', 'ITE', '200001', 17.5, 1, 'VAT', 1, 0, 0, 0, 0, '01/01/2024', '31/12/2026', 0, '1', "
              "'Sales Person', 'Sales No', 'Shipped No', 'Tracking No', 'First', 'Second', 'Third')")
        .run();
    tx.commit();
    db.exec(QString("PRAGMA user_version = %1").arg(CompleteMark));
}

bool complete(const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    sqlite3* db = nullptr;
    bool done = false;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        done = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &s, nullptr) == SQLITE_OK &&
               sqlite3_step(s) == SQLITE_ROW && sqlite3_column_int(s, 0) == CompleteMark;
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return done;
}
}  // namespace

QString dataFolder(int argc, char** argv, const char* program) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n  The data set is made in the folder on the first run "
                             "and reused after.\n", program);
        std::exit(2);
    }
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    return QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
}

QString dataSet(const QString& folder, const QString& name, const DataSetSize& size) {
    const QString path = QDir(folder).filePath(name);
    if (complete(path)) return path;
    QFile::remove(path);
    std::printf("making %s: %d customers, %d invoices, %d lines, %d items ...\n", qPrintable(name), size.customers,
                size.invoices, size.lines, size.items);
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    Database db;
    StepRunner runner;
    for (const auto& step : creationSteps(db, path)) runner.run(step);
    fill(db, size);
    db.close();
    std::printf("made in %.1f s\n", double(timer.elapsed()) / 1000);
    return path;
}

QString scratchCopy(const QString& databasePath) {
    static QTemporaryDir folder;
    const QString copy = folder.filePath(QFileInfo(databasePath).fileName());
    QFile::remove(copy);
    if (!QFile::copy(databasePath, copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(databasePath));
        std::exit(1);
    }
    return copy;
}

void openProgramOn(const QString& databasePath) {
    ProgramFolder::setPath(QFileInfo(databasePath).absolutePath());
    Connections::openJet(databasePath);
    Connections::openShape();
    loadSettingsValues();
}

void closeProgram() {
    Connections::closeShape();
    Connections::closeJet();
}

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

sqlite3* bareConnection(const QString& databasePath) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(databasePath).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(databasePath));
        std::exit(1);
    }
    sqlite3_busy_timeout(db, 2000);
    return db;
}

double bareLoopMs(sqlite3* db, const char* sql, long long* rows) {
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "bare query failed: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    long long n = 0;
    long long touched = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++n;
        for (int i = 0; i < sqlite3_column_count(s); ++i)
            touched += sqlite3_column_type(s, i) == SQLITE_TEXT ? sqlite3_column_bytes(s, i)
                                                                 : sqlite3_column_int64(s, i);
    }
    sqlite3_finalize(s);
    if (rows) *rows += n;
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (touched == -1) std::printf(" ");   // keeps the reads from being optimised away
    return ms;
}

double commandLineMs(const QString& databasePath, const QString& script) {
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    cli.start("sqlite3", {"-batch", databasePath});
    if (!cli.waitForStarted()) return -1;
    cli.write(script.toUtf8());
    cli.closeWriteChannel();
    cli.waitForFinished(-1);
    return double(t.nsecsElapsed()) / 1e6;
}

namespace {
// A "<Key>: <n> kB" line's figure, in KiB.
long long kib(const QByteArray& line) { return line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toLongLong(); }

long long anonymousKiB() {
    QFile rollup("/proc/self/smaps_rollup");
    if (!rollup.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : rollup.readAll().split('\n'))
        if (line.startsWith("Anonymous:")) return kib(line);
    return 0;
}

// The resident pages of the mappings of our database files (*.mdb).
long long mappedDataKiB() {
    QFile smaps("/proc/self/smaps");
    if (!smaps.open(QIODevice::ReadOnly)) return 0;
    long long total = 0;
    bool dataFile = false;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        if (line.isEmpty()) continue;
        // A mapping starts with its address range; its figures follow as "Key: n kB".
        const QByteArray first = line.left(line.indexOf(' '));
        if (first.contains('-') && !first.endsWith(':'))
            dataFile = line.trimmed().endsWith(".mdb");
        else if (dataFile && line.startsWith("Rss:"))
            total += kib(line);
    }
    return total;
}
}  // namespace

Memory memoryNow() { return {double(anonymousKiB()) / 1024, double(mappedDataKiB()) / 1024}; }

HeapPeak::HeapPeak() {
    peakKiB_ = anonymousKiB();
    sampler_ = std::thread([this] {
        while (!stop_) {
            const long long now = anonymousKiB();
            if (now > peakKiB_) peakKiB_ = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

HeapPeak::~HeapPeak() {
    stop_ = true;
    sampler_.join();
}

void reportMemory(const QString& figure, const Memory& memory) {
    std::printf("%s: heap %.1f MiB, mapped database pages %.1f MiB\n", qPrintable(figure), memory.heapMiB,
                memory.mappedDataMiB);
    std::fflush(stdout);
}

void report(const QString& figure, double ms, double baselineMs) {
    if (baselineMs > 0)
        std::printf("%s: %.3f ms  (bare: %.3f ms, ratio %.2f)\n", qPrintable(figure), ms, baselineMs,
                    ms / baselineMs);
    else
        std::printf("%s: %.3f ms\n", qPrintable(figure), ms);
    std::fflush(stdout);
}

}  // namespace Bench
