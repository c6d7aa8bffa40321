#pragma once
#include <QString>

class QAbstractButton;
class QWidget;
struct SettingsValues;

// Entry rules shared by the first-run wizard and the Options dialog.
namespace EntryRules {

// The longest texts the numbering and tax boxes take.
constexpr int PrefixLength = 4;
constexpr int StartNumberLength = 8;
constexpr int TaxNameLength = 10;
constexpr int TaxPercentLength = 5;
constexpr int TaxNumberLength = 20;

// A start number shorter than four characters (blanks removed) is refused.
bool startNumberTooShort(const QString& startText);
inline const char* startNumberTooShortMessage() { return "Please enter a number 4 or more numbers long!"; }

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

// Why settings stored in a row could not be worked with, judged as the
// wizard and the Options dialog judge what they take: the tick boxes of tax
// and of free-form numbering hold 0 or 1; an automatically numbered kind
// (invoices, items, customers) has a prefix its box takes and a start number
// its box takes that passes Finish (4 to 8 digits, blanks around them
// aside); the tax name, percentage and number are what their boxes take;
// the invoice layout is one of the six the layout buttons write, which is
// also what Print takes. Empty when nothing is wrong.
QString storedSettingsFault(const SettingsValues& values);

}  // namespace EntryRules
