#pragma once
#include <QString>
#include <functional>

class QWidget;

// What a window hands the invoice editor before it opens it: every
// hand-over value the editor reads for that kind of opening.

// A new invoice for this customer, the names and phone as the caller shows them.
void requestNewInvoice(const QString& custId, const QString& firstName, const QString& lastName,
                       const QString& phone);

// The stored invoice of that number, opened for editing.
void requestInvoiceEdit(const QString& invNo);

// Opens the invoice editor on the stored invoice of that number, when there
// is one to open; after a save `saved` runs and the saved mark is cleared.
void editStoredInvoice(const QString& invNo, QWidget* owner, const std::function<void()>& saved);
