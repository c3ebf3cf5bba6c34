#include "errors.h"

ProgramError::ProgramError(ErrorCode code, const QString& description)
    : std::runtime_error(description.toStdString()), m_code(code), m_description(description) {}

ProgramError ProgramError::overflow() {
    return {ErrorCode::Overflow, QStringLiteral("Overflow")};
}

ProgramError ProgramError::divisionByZero() {
    return {ErrorCode::DivisionByZero, QStringLiteral("Division by zero")};
}

ProgramError ProgramError::subscriptOutOfRange() {
    return {ErrorCode::SubscriptOutOfRange, QStringLiteral("Subscript out of range")};
}

ProgramError ProgramError::typeMismatch() {
    return {ErrorCode::TypeMismatch, QStringLiteral("Type mismatch")};
}

ProgramError ProgramError::objectNotSet() {
    return {ErrorCode::ObjectNotSet,
            QStringLiteral("Object variable or With block variable not set")};
}

ProgramError ProgramError::invalidUseOfNull() {
    return {ErrorCode::InvalidUseOfNull, QStringLiteral("Invalid use of Null")};
}

ProgramError ProgramError::noCurrentRecord() {
    return {ErrorCode::NoCurrentRecord,
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                           "Requested operation requires a current record.")};
}

ProgramError ProgramError::storeFailure(const QString& description) {
    return {ErrorCode::StoreFailure, description};
}
