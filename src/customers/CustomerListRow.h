#pragma once
#include "customers/CustomerRecord.h"

namespace ListKit { class RowBuilder; }

// The customer list's row of one customer: the id, "Last, First", the phone
// and the address parts joined, each part followed by ",  " when it holds
// more than blanks (the postcode by nothing). No key is set.
void customerListRow(const CustomerListEntry& customer, ListKit::RowBuilder& row);

// The key of a row added for a customer just saved.
QString customerRowKey(const QString& custId);
