#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Entry rules shared by the first-run wizard and the Options dialog.
namespace EntryRules {

// Key filters act on typed characters only and refuse silently; editing keys
// that type nothing (arrows, Delete, Home) pass, pasted text is not filtered.
// Start numbers: digits and Backspace.
void digitsOnly(QLineEdit* box);
// Tax percentage: digits, Backspace, and a "." while the text holds none.
void percentage(QLineEdit* box);
// Whether a typed character passes each filter, given the box's text.
bool startNumberKeyPasses(const QString& typed);
bool percentageKeyPasses(const QString& typed, const QString& boxText);

// The box selects its whole text when it gets the focus.
void selectOnFocus(QWidget* box);

// A multi-line box that holds at most `limit` characters of its stored text,
// where each line break is stored as CR LF and so counts twice.
void limitLength(QPlainTextEdit* box, int limit);
// The text of a multi-line box as it is stored: lines separated by CR LF.
QString storedText(const QPlainTextEdit* box);

// A start number shorter than four characters (blanks removed) is refused.
bool startNumberTooShort(const QString& startText);
inline const char* startNumberTooShortMessage() { return "Please enter a number 4 or more numbers long!"; }

// A number row whose start box is checked unless its free-form box is ticked.
struct StartNumberRow {
    QAbstractButton* freeForm;
    QLineEdit* startBox;
    QString title;   // "Invoice Number", "Item Number", "Customer Number"
};
// Tests the rows in order and stops at the first start number too short: its
// message is shown under the row's title and its box is returned, so the
// caller can show its page and put the focus there. Null when all pass.
QLineEdit* refuseShortStartNumber(const std::vector<StartNumberRow>& rows);

// Runs the action after each key released in the box (the example labels
// follow typing, not pasting).
void onKeyRelease(QWidget* box, std::function<void()> action);

// The example of the next automatic number: the prefix followed by the start
// number, as typed.
inline QString prefixExample(const QString& prefix, const QString& start) { return prefix + start; }

// The boxes of a row follow its free-form box: disabled while it is ticked.
void followFreeForm(QAbstractButton* freeForm, QWidget* prefixBox, QWidget* startBox);

// The country presets of the currency page.
enum class Country { USA, UK, Other };
struct CountryPreset {
    QString currency;
    QString taxName;
    QString taxAmount;
};
CountryPreset countryPreset(Country country);
// The country a stored currency symbol selects: "$" USA, "£" UK, else Other.
Country countryOf(const QString& currencySymbol);

}  // namespace EntryRules
