// The detailed invoices file (every invoice with all its lines), the
// detailed customers file and the small items file, each against the sqlite3
// command line writing the same rows with .mode csv from the same file; and
// the memory the writes take. Each file is synced, renamed into place and its
// folder synced, a cost that shows most beside the small file.
// The invoices' baseline is the invoices joined to their lines (one row per
// line); a second one gathers each invoice's lines into its row, as the file does.
#include "BenchSupport.h"
#include "common/Functions.h"
#include "debtors/ExportFiles.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
const QDate From(2000, 1, 1);
const QDate To(2030, 12, 31);

const char* InvoicesWithLines =
    "SELECT i.\"Date\", i.InvNo, i.CustNo, i.CustomerName, i.Subtotal, i.Vat, i.Total, i.Discount, i.Paid, "
    "i.WrittenOff, i.Balance, i.Notes, i.DiscountPercentage, i.SalesPerson, i.SalesNo, i.ShippedNo, i.TrackingNo, "
    "d.Qty, d.PartID, d.Description, d.Amount, d.Total FROM Invoices i LEFT JOIN InvoiceD d ON d.InvNo = i.InvNo "
    "WHERE i.\"Date\" BETWEEN '2000-01-01' AND '2030-12-31'";
// The same invoices, one row each with its lines gathered into it, as the file has them.
const char* InvoicesWithGatheredLines =
    "SELECT i.\"Date\", i.InvNo, i.CustNo, i.CustomerName, i.Subtotal, i.Vat, i.Total, i.Discount, i.Paid, "
    "i.WrittenOff, i.Balance, i.Notes, i.DiscountPercentage, i.SalesPerson, i.SalesNo, i.ShippedNo, i.TrackingNo, "
    "(SELECT group_concat(d.Qty || ',' || d.PartID || ',' || ifnull(d.Description, '') || ',' || d.Amount || ',' || "
    "d.Total, ',') FROM InvoiceD d WHERE d.InvNo = i.InvNo) FROM Invoices i "
    "WHERE i.\"Date\" BETWEEN '2000-01-01' AND '2030-12-31'";
const char* Customers =
    "SELECT \"Date\", CustID, FirstName, LastName, Address, Address2, City, address4, Postcode, Phone, Mobile, Fax, "
    "Email, DelAddress1, DelAddress2, DelAddress3, DelAddress4, DelAddress5 FROM Customers "
    "WHERE \"Date\" BETWEEN '2000-01-01' AND '2030-12-31'";
const char* Items = "SELECT ID, ShortDesc, \"Desc\", Price FROM Parts";

// The sqlite3 command line writing the query's rows as CSV into the file.
double commandLineMs(const QString& data, const QString& file, const char* query) {
    return Bench::medianMs(3, [&] {
        Bench::commandLineMs(data, QString(".mode csv\n.output %1\n%2;\n").arg(file, query));
    });
}

double exportMs(ExportFiles::Export which, const QString& file) {
    return Bench::medianMs(3, [&] { ExportFiles::write(which, file, From, To, ShapeRs); });
}

double mib(const QString& file) { return QFile(file).size() / 1048576.0; }
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString data = Bench::dataSet(Bench::dataFolder(argc, argv, "bench_export"));
    QTemporaryDir out;
    Bench::openProgramOn(data);
    const Bench::Memory before = Bench::memoryNow();
    const Bench::HeapPeak peak;
    const QString invoices = out.filePath("DetailInvoices.csv"), cli = out.filePath("cli.csv");
    const double invoicesMs = exportMs(ExportFiles::Export::InvoiceDetails, invoices);
    const double joinedMs = commandLineMs(data, cli, InvoicesWithLines);
    const double joinedMiB = mib(cli);
    const double gatheredMs = commandLineMs(data, cli, InvoicesWithGatheredLines);
    Bench::report("detailed invoices file, 300,000 invoices with 1,000,000 lines", invoicesMs, joinedMs);
    Bench::report("detailed invoices file, against one gathered row per invoice", invoicesMs, gatheredMs);
    std::printf("  file: %.1f MiB; sqlite3's: %.1f MiB joined, %.1f MiB gathered\n", mib(invoices), joinedMiB,
                mib(cli));

    const QString customers = out.filePath("DetailCustomers.csv");
    const double customersMs = exportMs(ExportFiles::Export::DetailedCustomers, customers);
    Bench::report("detailed customers file, 100,000 customers", customersMs, commandLineMs(data, cli, Customers));
    std::printf("  file: %.1f MiB; sqlite3's: %.1f MiB\n", mib(customers), mib(cli));

    const QString items = out.filePath("Items.csv");
    const double itemsMs = exportMs(ExportFiles::Export::Parts, items);
    Bench::report("items file, 10,000 items", itemsMs, commandLineMs(data, cli, Items));
    std::printf("  file: %.2f MiB; sqlite3's: %.2f MiB\n", mib(items), mib(cli));
    Bench::reportMemory("memory before the writes", before);
    Bench::reportMemory("memory after the writes", Bench::memoryNow());
    std::printf("largest heap during the writes: %.1f MiB\n", peak.peakMiB());
    Bench::closeProgram();
    return 0;
}
