#pragma once
#include "platform/WholeFile.h"
#include <QByteArray>
#include <QString>

// A comma-separated text file being written: lines in UTF-8 each ended by
// CR LF, gathered and written in large blocks. It is written whole or not at
// all (WholeFile): the file of that name, if any, is replaced only by
// close(), and a failure leaves it as it was. Every failure to open or write
// raises an error naming the system's reason, so a file that did not reach
// the disk is never taken for a written one.
class CsvFile {
public:
    explicit CsvFile(const QString& path);
    CsvFile(const CsvFile&) = delete;
    CsvFile& operator=(const CsvFile&) = delete;

    void writeLine(const QString& line);
    // Writes what is gathered and puts the whole file in place.
    void close();

    // A value as it goes between the commas: as it is, or, when it holds a
    // comma, a double quote or a line break, between double quotes with each
    // inner double quote doubled, so it stays one column.
    static QString field(const QString& value);

private:
    void writeGathered();
    [[noreturn]] void fail(const QString& reason) const;

    QString path_;
    WholeFile file_;
    QByteArray gathered_;
};
