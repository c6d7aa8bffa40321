#include "reports/PrintDialog.h"
#include <QPrintDialog>
#include <QPrinter>

namespace PrintDialog {
namespace {
Handler handler;
}

bool ask(QPrinter& printer, int pageCount, QWidget* parent) {
    if (handler) return handler(printer, pageCount);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void setHandler(Handler h) { handler = std::move(h); }

}  // namespace PrintDialog
