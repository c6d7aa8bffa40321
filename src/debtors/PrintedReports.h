#pragma once
#include <QDate>
#include <QPageSize>
#include <QString>
#include <memory>

class QWidget;
class ShapeRecordset;

// The six printed reports: what each reads, how its design is filled, and
// the printing itself, up to the modal preview the user prints from.
namespace PrintedReports {

// In the order of the reports window's list.
enum class Report { SummaryCustomers, DetailedCustomers, Invoices, InvoiceDetails, Parts, Debtors };
inline constexpr int Count = 6;

struct Entry {
    const char* listEntry;    // as the reports window lists it
    const char* procedure;    // the procedure an error report names
    const char* design;
};
const Entry& entry(Report report);

// The shaping query of the report's rows. The dates go in as #MM/DD/YYYY#
// literals, which the query parser binds as values: nothing typed reaches
// the SQL text.
QString recordSource(Report report, const QDate& from, const QDate& to);

// "From <from> To <to>", both as short dates: the range line of every report.
QString rangeCaption(const QDate& from, const QDate& to);

// Letter and A4 are the papers the designs are made for.
bool usablePaper(const QPageSize& paper);

// The report printed over the range on that paper: the debtors' age split
// rewritten for today first, the rows read, a customer report without rows
// refused with "No records to print!", the design bound, turned and given
// its range line, and shown as a preview owned by the window. The rows are
// read into rows; when the preview closes (or the printing ends otherwise)
// they are closed and let go, by rows and by the design. Whatever goes
// wrong reaches the error reporter under the report's procedure.
void print(Report report, const QDate& from, const QDate& to, const QPageSize& paper,
           std::shared_ptr<ShapeRecordset>& rows, QWidget* owner);

// Select: a paper other than Letter or A4 is refused with a message and
// nothing prints; otherwise the report of that list index (none when the
// index names none) on the printer's paper, its rows read into rows.
void select(int listIndex, const QDate& from, const QDate& to, std::shared_ptr<ShapeRecordset>& rows,
            QWidget* owner);

}  // namespace PrintedReports
