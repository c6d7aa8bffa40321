#pragma once
#include <QIcon>
#include <QPixmap>

// Every picture of the windows, drawn at run time: the main frame's task
// buttons and the Options dialog's tabs and pages. (A list header's sort
// arrow is the list kit's own.)
namespace Icons {
enum class Task { Customers, Invoices, AddInvoice, Reports, Debtors, Items, Help, Exit };
QIcon task(Task which);

// The Options dialog's tab pictures, and the two on its Customize page
// (Person for the customer screen, Screen for the invoice screen).
enum class Option { Company, Currency, Prefixes, Defaults, Invoice, Layout, Reminders, Customize, Person, Screen };
// Drawn on a 16-pixel grid, scaled to size.
QPixmap option(Option which, int size);
}
