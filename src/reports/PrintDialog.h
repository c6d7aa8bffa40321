#pragma once
#include <functional>

class QPrinter;
class QWidget;

// The one seam for the print dialog: where to print (a printer or a PDF
// file) and which pages. Tests install a handler that answers from a script.
namespace PrintDialog {

// Asks on the printer as set up beforehand, offering the pages 1..pageCount;
// the answer is left on the printer. False when the user cancelled.
bool ask(QPrinter& printer, int pageCount, QWidget* parent);

using Handler = std::function<bool(QPrinter& printer, int pageCount)>;
void setHandler(Handler handler);

}  // namespace PrintDialog
