#pragma once

// Brings in the older data file Invoices1.csv of the program folder: each
// line adds its customer, its invoice and one or two invoice lines. A line
// is stored whole or not at all; the first line that fails ends the import
// with an error report, and the lines before it stay stored.
void Import_Data();
