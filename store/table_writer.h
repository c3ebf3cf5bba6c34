#pragma once

#include "variant.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Sends an editable row set's changes to its table, one statement each,
// every value bound. Rows are found by their store-assigned key, which is
// never written. Raises ProgramError (store failure) on any error.
class TableWriter {
public:
    TableWriter(const QSqlDatabase& database, const QString& table, const QStringList& columns,
                int keyIndex);

    // Returns the key the store gave the new row.
    Variant insert(const QList<Variant>& row) const;
    // Writes the columns whose values differ.
    void update(const QList<Variant>& original, const QList<Variant>& changed) const;
    void remove(const QList<Variant>& row) const;

private:
    QString identifier(const QString& name) const;
    void requireOneRowAffected(int affected) const;

    QSqlDatabase m_database;
    QString m_table;
    QStringList m_columns;
    int m_keyIndex;
};
