#pragma once
#include <QString>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Behaviours of entry boxes that every window shares.
namespace BoxRules {

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

// A multi-line box that holds at most `limit` characters.
void limitLength(QPlainTextEdit* box, int limit);

// Runs the reaction after every key released in the box (typed keys only:
// text put in by other means shows at the next key release).
void afterKeyRelease(QWidget* box, std::function<void()> reaction);

// Multi-line texts are stored with CR LF line breaks; a box shows them with
// plain line breaks. The stored length counts each line break as two.
QString storedText(const QPlainTextEdit* box);
void showStoredText(QPlainTextEdit* box, const QString& stored);
int storedLength(const QString& boxText);
// A multi-line box whose stored text holds at most `limit` characters, so
// nothing typed is cut or refused by the column later.
void limitStoredLength(QPlainTextEdit* box, int limit);

}  // namespace BoxRules
