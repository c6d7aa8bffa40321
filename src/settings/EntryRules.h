#pragma once
#include <QString>

class QAbstractButton;
class QWidget;

// Entry rules shared by the first-run wizard and the Options dialog.
namespace EntryRules {

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

}  // namespace EntryRules
