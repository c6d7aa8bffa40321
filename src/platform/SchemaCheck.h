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
