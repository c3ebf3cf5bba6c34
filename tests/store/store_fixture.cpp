#include "store_fixture.h"

#include "connection.h"
#include "create_database.h"
#include "errors.h"
#include "rowset.h"

StoreFixture::StoreFixture() {
    createDatabase(databaseFileIn(m_folder.path()));
    if (!OpenConnection(m_folder.path()))
        throw ProgramError::storeFailure(QStringLiteral("The test database did not open."));
}

StoreFixture::~StoreFixture() {
    gcnnStore.reset();
}

void StoreFixture::execute(const QString& statement, const QList<Variant>& values) {
    gcnnStore->execute(statement, values);
}

qint64 StoreFixture::lastKey(const QString& table, const QString& keyColumn) {
    RowSet rows;
    rows.open(QStringLiteral("SELECT MAX(") + keyColumn + QStringLiteral(") AS LastKey FROM ") +
                  table,
              *gcnnStore);
    return rows.field(QStringLiteral("LastKey")).toWhole();
}

Variant decimal(const char* text) {
    return Variant(Decimal::fromText(QString::fromLatin1(text)));
}

QStringList textList(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromLatin1(text));
    return list;
}
