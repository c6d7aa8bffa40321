#pragma once

class QString;
class QWidget;

// File, Save: copies the live database to a file the user picks. Also run
// by the main frame's shut-down when the user asks for a backup. A copy that
// fails is reported, with the live data and any older backup unchanged.
void MnuSave_Click(QWidget* owner);

// File, Restore: puts the data of a backup named Data.mdb in place of the
// live database; the program carries on with the restored data and
// settings. The new live file is one the program makes itself with its own
// schema, holding the backup's rows and nothing else of it (no trigger, view
// or index of its own). A restore that fails is reported, with the live
// data unchanged; only when the folder cannot be synced after the restored
// file took the live file's place does the program carry on with the
// restored data, and the user is told it may not outlast a power cut.
void mnurestore_Click(QWidget* owner);

// True when the path names the live database by any spelling: its name in
// the program folder in any letter case, another form of the same path, or
// a symbolic or hard link to the file.
bool namesLiveDatabase(const QString& path);

// True when the file is a whole database of this program that the program
// can carry on with: it is read untouched (Database::openUntouched), with no
// part of its data standing beside it (Database::changesBeside); its tables
// and columns are the program's own (Database::isOurDatabase), it passes
// SQLite's own check, every stored value is of the kind its column keeps
// (valueDifference), and it holds one settings row, whose every column loads
// and which the wizard and the Options dialog would take
// (EntryRules::storedSettingsFault). Otherwise why says what is wrong, naming
// the table, the column and the value where one is wrong.
bool isRestorableDatabase(const QString& path, QString* why);
