#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

// A comma-separated text file being written: opened for output (created, or
// emptied when it exists), lines in UTF-8 each ended by CR LF, gathered and
// written in large blocks. Every failure to open or write raises an error,
// so a file that did not reach the disk is never taken for a written one.
class CsvFile {
public:
    explicit CsvFile(const QString& path);
    ~CsvFile();
    CsvFile(const CsvFile&) = delete;
    CsvFile& operator=(const CsvFile&) = delete;

    void writeLine(const QString& line);
    // Writes what is gathered and closes the file.
    void close();

    // A value as it goes between the commas: as it is, or, when it holds a
    // comma, a double quote or a line break, between double quotes with each
    // inner double quote doubled, so it stays one column.
    static QString field(const QString& value);

private:
    void writeGathered();
    [[noreturn]] void fail() const;

    QFile file_;
    QByteArray gathered_;
};
