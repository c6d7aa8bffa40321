#pragma once
#include <QString>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Behaviours of entry boxes that every window shares.
namespace BoxRules {

// What an entry box lets the user put in it. Each rule judges the characters
// the user adds, typed or pasted alike, against the text the box holds; what
// types no character (Tab, Esc, Enter, arrows, Backspace, Ctrl+A, Ctrl+C,
// Ctrl+X, Ctrl+Z) is never touched. A paste is taken whole or not at all:
// it is refused (with a beep) when any of its characters would be refused
// if typed, or when it does not fit the box; blanks around a pasted number
// are left out first. Text the program puts in a box is never judged, so a
// stored value longer than the limit is shown and saved whole.

// At most `limit` characters by typing or pasting.
void typingLimit(QLineEdit* box, int limit);
// Start numbers and quantities: digits only.
void digitsOnly(QLineEdit* box);
// Percentages and amounts: digits, and a "." while the box holds none.
void percentage(QLineEdit* box);
// File names without folder and extension: no ".", "/", "\" or "&".
void fileNameOnly(QLineEdit* box);

// The box selects its whole text when it gets the focus.
void selectOnFocus(QWidget* box);

// Runs the reaction after every key released in the box (typed keys only:
// text put in by other means shows at the next key release).
void afterKeyRelease(QWidget* box, std::function<void()> reaction);

// Multi-line texts are stored with CR LF line breaks; a box shows them with
// plain line breaks. The stored length counts each line break as two.
QString storedText(const QPlainTextEdit* box);
void showStoredText(QPlainTextEdit* box, const QString& stored);
int storedLength(const QString& boxText);

}  // namespace BoxRules
