#pragma once

#include <QString>
#include <stdexcept>

// The error numbers callers may test for. They keep the numbers of the
// runtime the surveyors' earlier tools reported, so a number on a screen
// means the same thing as before.
enum class ErrorCode {
    Overflow = 6,
    DivisionByZero = 11,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    ObjectNotSet = 91,
    InvalidUseOfNull = 94,
    FileAccess = 75,
    PrinterFailure = 482,
    NoCurrentRecord = 3021,
    StoreFailure = 3146,
};

// An error raised to the caller, carrying a number and a description that a
// message box can show.
class ProgramError : public std::runtime_error {
public:
    ProgramError(ErrorCode code, const QString& description);

    ErrorCode code() const { return m_code; }
    QString description() const { return m_description; }

    static ProgramError overflow();
    static ProgramError divisionByZero();
    static ProgramError subscriptOutOfRange();
    static ProgramError typeMismatch();
    static ProgramError objectNotSet();
    static ProgramError invalidUseOfNull();
    static ProgramError noCurrentRecord();
    static ProgramError storeFailure(const QString& description);

private:
    ErrorCode m_code;
    QString m_description;
};
