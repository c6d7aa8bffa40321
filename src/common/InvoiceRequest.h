#pragma once
#include <QString>

// What a window hands the invoice editor before it opens it: every
// hand-over value the editor reads for that kind of opening.

// A new invoice for this customer, the names and phone as the caller shows them.
void requestNewInvoice(const QString& custId, const QString& firstName, const QString& lastName,
                       const QString& phone);

// The stored invoice of that number, opened for editing.
void requestInvoiceEdit(const QString& invNo);
