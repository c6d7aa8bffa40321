#pragma once
#include "platform/AppError.h"
#include "platform/FixedText.h"
#include <QString>
#include <optional>

class Recordset;

// The program-wide copies of the System row's columns, named as the columns.
// Every window reads these, not the table.
struct SettingsValues {
    FixedText<30> BusinessName;
    QString Address;
    FixedText<30> Phone;
    FixedText<30> Mobile;
    FixedText<30> Email;
    FixedText<30> Web;
    QString InvPrefix;
    QString CrdPrefix;
    QString CustPrefix;
    QString PartPrefix;
    QString CustStart;
    QString Invstart;
    QString CrdStart;
    QString PartStart;
    FixedText<1> Currency;
    FixedText<30> TaxName;
    FixedText<30> TaxNo;
    double TaxAmount = 0;
    int TaxEnabled = 0;
    QString DefaultStart;
    QString DefaultEnd;
    int Debtorstart = 0;
    QString Reminder1;
    QString Reminder2;
    QString Reminder3;
    int FreeFormInv = 0;
    int FreeformCus = 0;
    int FreeformPart = 0;
    int FreeFormCrd = 0;
    int includeshipping = 0;
    int includeterms = 0;
    int includestatement = 0;
    QString Statement;
    QString Terms1;
    int ConfirmExit = 0;
    int ConfirmBackup = 0;
    int ConfirmAll = 0;
    int FaxVisible = 0;
    int phoneVisible = 0;
    int emailVisible = 0;
    int webVisible = 0;
    int shippingVisible = 0;
    int mobileVisible = 0;
    int Text1Visible = 0;
    int Text2Visible = 0;
    int Text3Visible = 0;
    int Text4Visible = 0;
    FixedText<30> Text1Name;
    FixedText<30> Text2Name;
    FixedText<30> Text3Name;
    FixedText<30> Text4Name;
    int Present = 0;
    QString InvoiceType;
    QString logopath;

    bool operator==(const SettingsValues&) const = default;
};

extern SettingsValues gSettings;

// Assigns every settings value from the current row, in the column order,
// each with its conversion; a Null loads as "" or 0. A value its conversion
// cannot take raises that conversion's error as a SettingsColumnError.
void loadSettingsFromRow(const Recordset& row, SettingsValues& values);

// The error of a System column whose value the settings cannot take: the
// number and description of the conversion's own error (Type mismatch,
// Overflow), and which column and value it was.
struct SettingsColumnError : AppError {
    SettingsColumnError(const AppError& error, QString column, QString value, QString reads);
    QString column;
    QString value;   // as SQL quotes it: 'abc', 40000
    QString reads;   // what the settings read the column as
    // Said as the user reads it: the table, the column, the value and why.
    QString plainReason() const;
};

// Opens the System table and loads the first row into gSettings; false, with
// nothing changed, when the table has no row.
bool loadSettingsValues();

// Conversions shared by every reader of the System row: Null gives 0; a
// number (or numeric text) is rounded to a 16-bit whole number, a half to
// the even neighbour; Overflow outside that range.
int settingFlag(const QVariant& field);
double settingDouble(const QVariant& field);

// A stored value as the restore's refusals name it: a text between single
// quotes (as SQL quotes it, cut at 40 characters), a number as it is,
// nothing for Null or an empty text.
QString storedValueText(const QVariant& value);

// The invoice layout a stored InvoiceType names: "1".."6", as the layout
// buttons of the wizard and the settings dialogs write them, name layouts 1
// to 6; any other text names none.
constexpr int InvoiceLayouts = 6;
std::optional<int> invoiceLayoutNumber(const QString& invoiceType);
QString invoiceTypeOf(int layout);
