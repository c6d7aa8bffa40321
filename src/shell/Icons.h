#pragma once
#include <QIcon>

// The pictures of the main frame's task buttons, drawn at run time.
namespace Icons {
enum class Task { Customers, Invoices, AddInvoice, Reports, Debtors, Items, Help, Exit };
QIcon task(Task which);
}
