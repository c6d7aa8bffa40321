#include "platform/AppError.h"
#include <map>

namespace {
// The last error raised, like the run-time's own error object: its text
// answers for its number when the reporter is given no description.
int lastNumber = 0;
QString lastDescription;
}

AppError::AppError(int number_, QString description_)
    : number(number_), description(std::move(description_)), utf8(description.toUtf8()) {
    lastNumber = number;
    lastDescription = description;
}

const char* AppError::what() const noexcept { return utf8.constData(); }

namespace {
QString fixedText(int number) {
    static const std::map<int, QString> texts = {
        {ErrorNo::InvalidUse, "Invalid procedure call or argument"},
        {ErrorNo::Overflow, "Overflow"},
        {ErrorNo::TypeMismatch, "Type mismatch"},
        {ErrorNo::FileNotFound, "File not found"},
        {ErrorNo::PermissionDenied, "Permission denied"},
        {ErrorNo::PathNotFound, "Path not found"},
        {ErrorNo::PathFileAccess, "Path/File access error"},
        {ErrorNo::NoCurrentRecord,
         "Either BOF or EOF is True, or the current record has been deleted. "
         "Requested operation requires a current record."},
        {ErrorNo::DuplicateKey,
         "The changes you requested to the table were not successful because they would "
         "create duplicate values in the index, primary key, or relationship."},
        {ErrorNo::FieldTooSmall,
         "The field is too small to accept the amount of data you attempted to add."},
        {ErrorNo::ItemNotFound,
         "Item cannot be found in the collection corresponding to the requested name or ordinal."},
        {ErrorNo::NullNotAllowed, "The field cannot contain a Null value."},
        {ErrorNo::UnrecognizedDatabase, "Unrecognized database format."},
        {ErrorNo::DatabaseError, "ODBC--call failed."},
        {ErrorNo::ObjectClosed, "Operation is not allowed when the object is closed."},
    };
    auto it = texts.find(number);
    return it != texts.end() ? it->second : QString("Application-defined or object-defined error");
}
}  // namespace

QString standardErrorText(int number) {
    if (number == lastNumber && !lastDescription.isEmpty())
        return lastDescription;
    return fixedText(number);
}

void raiseError(int number, const QString& description) {
    // A new error gets its number's own text, never the words of an earlier one.
    throw AppError(number, description.isEmpty() ? fixedText(number) : description);
}
