#pragma once
#include <QDate>
#include <QString>
#include <memory>

class QWidget;
class ReportInstance;
class ShapeRecordset;
struct ReportDesign;
struct ReportPages;
struct SettingsValues;

// The reminder letter: the design of one letter per row of Letters, its
// run-time texts, and its pages.

// The texts chosen in the debtors window for this printing.
struct LetterTexts {
    QString reminder;     // the body
    QString closing;      // "Yours Sincerely"
    QString signature;    // the business name
};

// The letter's instance for the run, made on its first use; the logo named
// in the settings is loaded then. A logo that is missing or does not load
// says so as for invoices, and the letters print without it.
ReportInstance& letterReport(QWidget* owner);

// The sender's block: business name, address and phone, one to a line.
QString letterSenderBlock(const SettingsValues& s);

// Puts the printing's texts, the sender and today's date into the design.
void fillLetter(ReportDesign& design, const LetterTexts& texts, const SettingsValues& s, const QDate& today);

// One letter per row of the shaping query (the Letters table), laid out
// whole on the printer's paper; rows is opened on the query for it and let
// go again, however the layout ends.
ReportPages layoutLetters(const QString& query, std::shared_ptr<ShapeRecordset>& rows, const LetterTexts& texts,
                          QWidget* owner);

// The same letters in the modal preview owned by the window, laid out a page
// at a time; rows is let go when it closes, or when the printing fails. Whether a printing of every
// letter ran to its end.
bool showLetters(const QString& query, std::shared_ptr<ShapeRecordset>& rows, const LetterTexts& texts,
                 QWidget* owner);
