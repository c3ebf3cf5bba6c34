#include "store_errors.h"

ProgramError objectClosedError() {
    return ProgramError::storeFailure(
        QStringLiteral("Operation is not allowed when the object is closed."));
}

ProgramError unknownColumnError() {
    return ProgramError::storeFailure(QStringLiteral(
        "Item cannot be found in the collection corresponding to the requested name or ordinal."));
}
