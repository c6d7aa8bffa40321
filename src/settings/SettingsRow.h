#pragma once
#include <QDate>
#include <QString>
#include <QVariant>

class QAbstractButton;
class Recordset;

// How the settings windows read and write the single row of System.
namespace SettingsRow {

// Opens the System table on the shared connection.
void open(Recordset& systemRs);
// Moves to the settings row; false when the table has none.
bool moveToRow(Recordset& systemRs);
// Makes the settings row current for writing, adding it when there is none.
void startWriting(Recordset& systemRs);

// A yes/no column is ticked when it holds 1 (the number or the text);
// Null and anything else is unticked.
bool ticked(const QVariant& field);
void tickFrom(QAbstractButton* box, const QVariant& field);
// 1 ticked, 0 not.
int boxValue(const QAbstractButton* box);

// The layout buttons' rule: "" and "1" select layout 1, "2".."6" their own;
// 0 for any other text (no layout selected).
int layoutOf(const QString& invoiceType);

}  // namespace SettingsRow
