#pragma once

#include "errors.h"
#include "variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>

// A new database with the shipped data in a temporary folder, open as the
// shared connection for the life of the fixture.
class StoreFixture {
public:
    StoreFixture();
    ~StoreFixture();
    StoreFixture(const StoreFixture&) = delete;
    StoreFixture& operator=(const StoreFixture&) = delete;

    void execute(const QString& statement, const QList<Variant>& values = {});
    // The key of the row the last INSERT on this connection made.
    qint64 lastKey(const QString& table, const QString& keyColumn);

private:
    QTemporaryDir m_folder;
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

Variant decimal(const char* text);
QStringList textList(std::initializer_list<const char*> texts);
