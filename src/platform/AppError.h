#pragma once
#include <QString>
#include <exception>

// A run-time error raised by our layers. The number follows the classic
// error numbers the error report shows; the description is its text.
struct AppError : std::exception {
    int number;
    QString description;
    AppError(int number, QString description);
    const char* what() const noexcept override;
private:
    QByteArray utf8;
};

// Error numbers our layers raise.
namespace ErrorNo {
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int InvalidUse = 5;
constexpr int FileNotFound = 53;
constexpr int PathNotFound = 76;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int NoCurrentRecord = 3021;
constexpr int ItemNotFound = 3265;
constexpr int FieldTooSmall = 3163;
constexpr int DuplicateKey = 3022;
constexpr int NullNotAllowed = 3314;
constexpr int UnrecognizedDatabase = 3343;
constexpr int DatabaseError = 3146;
constexpr int ObjectClosed = 3704;
}

// The standard text of an error number, as the error report shows it when
// the caller gave no description of its own.
QString standardErrorText(int number);

[[noreturn]] void raiseError(int number, const QString& description = QString());
