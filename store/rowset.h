#pragma once

#include "variant.h"

#include <QList>
#include <QString>
#include <QStringList>

class Connection;
class TableWriter;

// A client-side row set: every selected row is read into memory when it
// opens, so the count is known at once and find and sort work in memory.
// Values are typed by the schema: key columns whole numbers, number columns
// decimals (stored as exact text), text columns text; a column without a
// value reads as null.
//
// A row set opened with open() keeps its changes in memory; one opened with
// openEditable() sends each update and delete through to its table at once;
// one opened with openDetached() has no database behind it at all (the
// scratch deductions of a draft, a ship given by its particulars).
class RowSet {
public:
    RowSet() = default;

    // Runs the statement (Jet date-list texts are translated for SQLite).
    // Values bind, in order, to "?" placeholders. Raises ProgramError (store
    // failure) on any error; the row set then stays closed.
    void open(const QString& statement, Connection& connection, const QList<Variant>& values = {});
    // As open(), and changes go through to `table`, whose rows are keyed by
    // the store-assigned whole number `keyColumn`.
    void openEditable(const QString& statement, Connection& connection, const QString& table,
                      const QString& keyColumn);
    // Opens on no rows with these columns (a table's, from tableColumns()),
    // without a connection; values are typed by the schema as they would
    // be read back. A requery empties it again.
    void openDetached(const QStringList& columns);

    bool isOpen() const { return m_open; }
    void close();

    int recordCount() const;
    QStringList columns() const { return m_columns; }

    void moveFirst();
    void moveNext();
    // True after the last row and on an empty set.
    bool atEnd() const;
    // The 0-based index of the current row (recordCount() when at end).
    int position() const { return m_current; }
    void moveTo(int position);

    // Raises the no-current-row error at end; a new row being added is the
    // current one.
    Variant field(const QString& column) const;
    void setField(const QString& column, const Variant& value);

    // Criterion "Column = 12", "Column = -1" or "Column = 'text'" (a quote
    // inside the text doubled, or not: the value runs to the last quote).
    // Searches from the first row; makes the first match current, or leaves
    // the row set at end and returns false.
    bool find(const QString& criterion);

    void addNew();
    // Saves the pending new or changed row (through to the table when
    // editable; the new key is read back). Moving, finding, sorting and
    // adding another row save a pending row first, as the earlier store did.
    void update();
    void cancelUpdate();
    bool editPending() const;
    // Deletes the current row (through to the table when editable).
    void deleteCurrent();
    // Reads the statement again.
    void requery();
    // "Column" or "Column ASC" / "Column DESC".
    void sort(const QString& order);

private:
    // Implementation members are the store's own.
    struct Row {
        QList<Variant> values;
    };
    int columnIndex(const QString& column) const;
    void requireOpen() const;
    bool isEditable() const { return !m_table.isEmpty(); }
    TableWriter writer() const;

    Connection* m_connection = nullptr;
    QString m_statement;
    QList<Variant> m_boundValues;
    QString m_table;
    QString m_keyColumn;
    bool m_open = false;
    QStringList m_columns;
    QList<Row> m_rows;
    int m_current = 0;
    int m_positionBeforeAdd = 0;
    bool m_adding = false;
    bool m_editing = false;
    Row m_pending;
};
