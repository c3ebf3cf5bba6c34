#include "rowset.h"

#include "column_value.h"
#include "connection.h"
#include "find_criterion.h"
#include "schema.h"
#include "statement.h"
#include "store_errors.h"
#include "table_writer.h"

#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>

namespace {

// Nulls first, numbers by value, anything else as text ignoring case.
int compareValues(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (a.isNumber() && b.isNumber())
        return compare(a.toDecimal(), b.toDecimal());
    return a.toText().compare(b.toText(), Qt::CaseInsensitive);
}

} // namespace

void RowSet::open(const QString& statement, Connection& connection, const QList<Variant>& values) {
    close();
    if (!connection.isOpen())
        throw objectClosedError();
    QSqlQuery query = runStatement(connection.database(), statement, values);
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns.append(columnSpelling(record.fieldName(i)));
    QList<Row> rows;
    while (query.next()) {
        Row row;
        for (int i = 0; i < columns.size(); ++i)
            row.values.append(storedValue(columns[i], query.value(i)));
        rows.append(row);
    }
    if (query.lastError().isValid())
        throw ProgramError::storeFailure(query.lastError().text());

    m_connection = &connection;
    m_statement = statement;
    m_boundValues = values;
    m_columns = columns;
    m_rows = rows;
    m_open = true;
}

void RowSet::openEditable(const QString& statement, Connection& connection, const QString& table,
                          const QString& keyColumn) {
    open(statement, connection);
    if (!m_columns.contains(keyColumn, Qt::CaseInsensitive)) {
        close();
        throw unknownColumnError();
    }
    m_table = table;
    m_keyColumn = keyColumn;
}

void RowSet::openDetached(const QStringList& columns) {
    close();
    m_columns = columns;
    m_open = true;
}

void RowSet::close() {
    m_connection = nullptr;
    m_statement.clear();
    m_boundValues.clear();
    m_table.clear();
    m_keyColumn.clear();
    m_open = false;
    m_columns.clear();
    m_rows.clear();
    m_current = 0;
    m_adding = false;
    m_editing = false;
}

int RowSet::recordCount() const {
    requireOpen();
    return int(m_rows.size()) + (m_adding ? 1 : 0);
}

void RowSet::moveFirst() {
    moveTo(0);
}

void RowSet::moveNext() {
    requireOpen();
    update();
    if (atEnd())
        throw ProgramError::noCurrentRecord();
    ++m_current;
}

bool RowSet::atEnd() const {
    requireOpen();
    return !m_adding && m_current >= m_rows.size();
}

void RowSet::moveTo(int position) {
    requireOpen();
    update();
    if (position < 0 || position > m_rows.size())
        throw ProgramError::noCurrentRecord();
    m_current = position;
}

Variant RowSet::field(const QString& column) const {
    const int index = columnIndex(column);
    if (m_adding || m_editing)
        return m_pending.values[index];
    if (atEnd())
        throw ProgramError::noCurrentRecord();
    return m_rows[m_current].values[index];
}

void RowSet::setField(const QString& column, const Variant& value) {
    const int index = columnIndex(column);
    if (!m_adding && !m_editing) {
        if (atEnd())
            throw ProgramError::noCurrentRecord();
        m_pending = m_rows[m_current];
        m_editing = true;
    }
    m_pending.values[index] = columnValue(m_columns[index], value);
}

bool RowSet::find(const QString& criterion) {
    requireOpen();
    update();
    const FindCriterion search = FindCriterion::parse(criterion);
    const int index = columnIndex(search.column());
    m_current = 0;
    while (m_current < m_rows.size() && !search.matches(m_rows[m_current].values[index]))
        ++m_current;
    return m_current < m_rows.size();
}

void RowSet::addNew() {
    requireOpen();
    update();
    m_positionBeforeAdd = m_current;
    m_pending.values = QList<Variant>(m_columns.size(), Variant::null());
    m_adding = true;
    m_current = int(m_rows.size());
}

void RowSet::update() {
    requireOpen();
    if (m_adding) {
        if (isEditable())
            m_pending.values[columnIndex(m_keyColumn)] = writer().insert(m_pending.values);
        m_rows.append(m_pending);
        m_adding = false;
    } else if (m_editing) {
        if (isEditable())
            writer().update(m_rows[m_current].values, m_pending.values);
        m_rows[m_current] = m_pending;
        m_editing = false;
    }
}

void RowSet::cancelUpdate() {
    requireOpen();
    if (m_adding)
        m_current = m_positionBeforeAdd;
    m_adding = false;
    m_editing = false;
}

bool RowSet::editPending() const {
    return m_adding || m_editing;
}

void RowSet::deleteCurrent() {
    requireOpen();
    if (m_adding) {
        cancelUpdate();
        return;
    }
    m_editing = false;
    if (atEnd())
        throw ProgramError::noCurrentRecord();
    if (isEditable())
        writer().remove(m_rows[m_current].values);
    m_rows.removeAt(m_current);
}

void RowSet::requery() {
    requireOpen();
    if (!m_connection) {
        const QStringList columns = m_columns;
        openDetached(columns);
        return;
    }
    Connection& connection = *m_connection;
    const QString statement = m_statement;
    const QList<Variant> values = m_boundValues;
    const QString table = m_table;
    const QString keyColumn = m_keyColumn;
    open(statement, connection, values);
    m_table = table;
    m_keyColumn = keyColumn;
}

void RowSet::sort(const QString& order) {
    requireOpen();
    update();
    const QStringList words = order.simplified().split(u' ');
    const bool descending =
        words.size() == 2 && words[1].compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0;
    if (words.size() > 2 || (words.size() == 2 && !descending &&
                             words[1].compare(QStringLiteral("ASC"), Qt::CaseInsensitive) != 0))
        throw ProgramError::storeFailure(QStringLiteral("The sort order \"") + order +
                                         QStringLiteral("\" is not valid."));
    const int index = columnIndex(words[0]);
    std::stable_sort(m_rows.begin(), m_rows.end(), [index, descending](const Row& a, const Row& b) {
        const int result = compareValues(a.values[index], b.values[index]);
        return descending ? result > 0 : result < 0;
    });
    m_current = 0;
}

int RowSet::columnIndex(const QString& column) const {
    requireOpen();
    // Callers nearly always spell the name as the table does.
    const qsizetype exact = m_columns.indexOf(column);
    if (exact >= 0)
        return int(exact);
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw unknownColumnError();
}

void RowSet::requireOpen() const {
    if (!m_open)
        throw objectClosedError();
}

TableWriter RowSet::writer() const {
    return TableWriter(m_connection->database(), m_table, m_columns, columnIndex(m_keyColumn));
}
