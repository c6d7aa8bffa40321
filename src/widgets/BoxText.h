#pragma once
#include <QString>

class QLineEdit;

// Text the program puts in an entry box: kept whole even when longer than
// what the user may type there (Qt would cut it to the box's maximum length),
// so saving the box back never shortens a stored value.
void setBoxText(QLineEdit* box, const QString& text);

// The width at which the box shows `text` whole, from its first character to
// its last, in the box's font and style.
int widthToShow(const QLineEdit* box, const QString& text);
