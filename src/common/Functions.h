#pragma once
#include "platform/Currency.h"
#include "platform/MoneySum.h"
#include "platform/ShapeRecordset.h"
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// The standard module: small procedures every window uses, and the module
// values of the database.

// The two connections on data.mdb: both stand for the one shared database
// connection; it is closed when both are.
namespace Connections {
void openJet(const QString& databasePath);
void openShape();
void closeJet();
void closeShape();
bool jetOpen();
bool shapeOpen();
}

extern QString TableSource;      // the table name set just before a table is opened
extern int DatabaseReady;        // 1 = the database has its settings row
extern int ActivateCount;        // how often the main frame was activated
extern QString ShapeSql;         // the shaping query text of the caller
extern std::shared_ptr<ShapeRecordset> ShapeRs;  // the shared report record set

// Replaces rs with a read-only record set on the shaping query, standing on
// its first row; false, with no message, when the shaping connection is
// closed (rs untouched) or the query fails (rs then a new, empty set).
bool Open_Shape_Recordset(const QString& sql, std::shared_ptr<ShapeRecordset>& rs);
// The same with values bound to the query's "?" in order: user text goes
// here, never into the query text.
bool Open_Shape_Recordset(const QString& sql, const std::vector<QVariant>& values,
                          std::shared_ptr<ShapeRecordset>& rs);

// The rows one printout or export reads through the shared record set, let
// go when it ends, however it ends (shown, refused, failed): the set is
// closed, so nothing of it stays open on the database, and rs is emptied, as
// is every other holder of the same rows (a report's data source) named by
// alsoHeldBy. No later window depends on what an earlier one opened.
class ShapeRsRelease {
public:
    explicit ShapeRsRelease(std::shared_ptr<ShapeRecordset>& rs) : rs_(rs) {}
    ~ShapeRsRelease();
    ShapeRsRelease(const ShapeRsRelease&) = delete;
    ShapeRsRelease& operator=(const ShapeRsRelease&) = delete;
    void alsoHeldBy(std::shared_ptr<ShapeRecordset>& holder) { holders_.push_back(&holder); }

private:
    std::shared_ptr<ShapeRecordset>& rs_;
    std::vector<std::shared_ptr<ShapeRecordset>*> holders_;
};

QString Field_To_String(const QVariant& v);
::Currency Field_To_Currency(const QVariant& v);

// The value (a number, an amount or a MoneySum) rounded (a half away from
// zero) and right-aligned in intDigits + decimals (+1 for the point)
// characters. A text wider than that is returned whole: an amount is never
// cut into another amount.
QString Format_Number_Right(const QVariant& value, int intDigits, int decimals);
// The same for an amount, written into out (room for 32 units) without a
// QString, for lists that format hundreds of thousands; its length. The
// digits before and after the point are at most 26 together, so the text
// always fits.
int formatNumberRightInto(::Currency amount, int intDigits, int decimals, char16_t* out);
QString Format_Number_Right2(const QVariant& value, int intDigits, int decimals);

QString Zero_Pad(const QVariant& v, int n);
QString Csv_Field(const QString& line, int n);
QString Pad_Left(const QString& s, int n);

void Wait_Cursor_On();
void Wait_Cursor_Off();
bool In_Debug_Mode();
