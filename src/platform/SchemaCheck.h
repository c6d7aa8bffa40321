#pragma once
#include <QString>

struct sqlite3;

// What sets the tables of an open database file apart from the program's own
// schema description (Schema.h); empty when nothing does. Every table must be
// there, each with exactly the described columns (names matched without
// regard to case), each column declared with the type the program creates it
// with (the type tells how its values are read back: money, dates, numbers),
// comparing texts as described and refusing Null where described. Column
// order, defaults, length checks and indexes are not compared: a file that
// differs only there is read and written the same.
QString schemaDifference(sqlite3* db);

// The first stored value of an open database file that is not of the kind
// its column keeps, as the program reads and writes them: amounts are whole
// numbers (of ten-thousandths), whole-number columns 32-bit whole numbers,
// rates finite numbers, dates real dates in their stored form, and texts are
// texts no longer than their column takes; Null goes everywhere. No two rows
// may share the key of one of the program's unique indexes either. Empty when
// all is well. The message names the table, the column and the row (and the
// row's key where its table has one). Each table is read in one pass of SQL,
// and once more per unique index; its tables and columns must be the
// program's own (schemaDifference).
QString valueDifference(sqlite3* db);
