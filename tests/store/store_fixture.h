#pragma once

#include "connection.h"
#include "create_database.h"
#include "errors.h"
#include "variant.h"

#include <QTemporaryDir>

// A new database with the shipped data in a temporary folder, open as the
// shared connection for the life of the fixture.
struct StoreFixture {
    QTemporaryDir folder;
    StoreFixture() {
        createDatabase(databaseFileIn(folder.path()));
        if (!OpenConnection(folder.path()))
            throw ProgramError::storeFailure(QStringLiteral("The test database did not open."));
    }
    ~StoreFixture() { gcnnStore.reset(); }
};

// The number of an error raised by `action`, or 0 when it raises none.
template <typename Action> int errorOf(Action action) {
    try {
        action();
    } catch (const ProgramError& error) {
        return int(error.code());
    }
    return 0;
}

inline Variant decimal(const char* text) {
    return Variant(Decimal::fromText(QString::fromLatin1(text)));
}
