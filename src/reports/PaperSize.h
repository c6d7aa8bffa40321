#pragma once
#include <QLocale>
#include <QPageSize>
#include <functional>

// The paper the printed documents are laid out for: the default printer's,
// or, where there is no printer, the usual paper of the user's country.
QPageSize currentPaperSize();

// The classic paper code of a size: 1 = Letter, 9 = A4, others as the
// printer drivers number them; 0 for a size without one.
int paperSizeCode(const QPageSize& size);

// Letter in the Americas and the Philippines, A4 everywhere else.
QPageSize localeDefaultPaperSize(const QLocale& locale = QLocale::system());

// Tests put a paper size of their own in place; an empty source restores the printer's.
void setPaperSizeSource(std::function<QPageSize()> source);
