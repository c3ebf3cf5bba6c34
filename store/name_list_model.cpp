#include "name_list_model.h"

#include "connection.h"
#include "errors.h"
#include "schema.h"
#include "sql_dialect.h"
#include "statement.h"

#include <QSqlDriver>
#include <algorithm>
#include <limits>

namespace {

const int PageSize = 256;

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether (a, aKey) sorts before (b, bKey); a missing name sorts first.
bool sortsBefore(const std::optional<QByteArray>& a, qint64 aKey,
                 const std::optional<QByteArray>& b, qint64 bKey) {
    if (a.has_value() != b.has_value())
        return !a.has_value();
    if (a && *a != *b)
        return *a < *b;
    return aKey < bKey;
}

} // namespace

NameList NameList::ships() {
    return {QStringLiteral("Ship"),
            QStringLiteral("ShipID"),
            QStringLiteral("ShipName"),
            {{QStringLiteral("CallSign"), QString()},
             {QStringLiteral("IMONo"), QStringLiteral("IMO ")}}};
}

NameList NameList::ports() {
    return {QStringLiteral("Port"),
            QStringLiteral("PortID"),
            QStringLiteral("PortName"),
            {{QStringLiteral("Country"), QString()}}};
}

void NameListModel::load(Connection& connection, const NameList& list) {
    // Without the name index every page would sort the whole table. A
    // database made before the index existed gets it here; one that cannot
    // take it (read-only) is still read, only slower.
    for (const QString& statement : createIndexStatements(connection.dialect())) {
        try {
            connection.execute(statement);
        } catch (const ProgramError&) {
        }
    }
    QSqlQuery count =
        runStatement(connection.database(), QStringLiteral("SELECT COUNT(*) FROM ") + list.table);
    const int rows = count.next() ? count.value(0).toInt() : 0;
    disconnect(m_changes);
    if (!connection.dialect().changeChannel.isEmpty())
        m_changes = connect(
            connection.database().driver(), &QSqlDriver::notification, this,
            [this](const QString& channel, QSqlDriver::NotificationSource, const QVariant& table) {
                if (channel == m_connection->dialect().changeChannel &&
                    table.toString() == m_list.table)
                    refresh();
            });
    beginResetModel();
    m_connection = &connection;
    m_list = list;
    m_count = rows;
    // A server walks its index to reach a position.
    m_walksToPositions = connection.dialect().isServer;
    m_pages.clear();
    m_pageStarts.reset();
    endResetModel();
    // Walked while the list opens, not when the user first types a name.
    if (m_walksToPositions)
        pageStarts();
}

void NameListModel::refresh() {
    if (!m_connection)
        return;
    const QModelIndexList held = persistentIndexList();
    QList<qint64> keys;
    for (const QModelIndex& index : held)
        keys.append(keyAt(index.row()));
    int rows = 0;
    try {
        QSqlQuery count = runStatement(m_connection->database(),
                                       QStringLiteral("SELECT COUNT(*) FROM ") + m_list.table);
        rows = count.next() ? count.value(0).toInt() : 0;
    } catch (const ProgramError&) {
        return;
    }
    // Rows added are added at the end and rows gone go from the end, around
    // a change of layout that moves every held row to where its key now is.
    if (rows > m_count) {
        beginInsertRows({}, m_count, rows - 1);
        m_count = rows;
        endInsertRows();
    }
    emit layoutAboutToBeChanged();
    m_pages.clear();
    m_pageStarts.reset();
    QModelIndexList moved;
    for (qint64 key : keys) {
        int row = -1;
        try {
            row = key < 0 ? -1 : rowOfKey(key);
        } catch (const ProgramError&) {
        }
        moved.append(row < 0 ? QModelIndex() : index(row));
    }
    changePersistentIndexList(held, moved);
    emit layoutChanged();
    if (rows < m_count) {
        beginRemoveRows({}, rows, m_count - 1);
        m_count = rows;
        m_pages.clear();
        endRemoveRows();
    }
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QString NameListModel::selectedColumns() const {
    QString columns = m_list.keyColumn + QStringLiteral(", ") + m_list.nameColumn;
    for (const NameList::Mark& mark : m_list.marks)
        columns += QStringLiteral(", ") + mark.column;
    return columns;
}

QList<NameListModel::Entry> NameListModel::entriesOf(QSqlQuery& query) const {
    QList<Entry> rows;
    while (query.next()) {
        Entry entry{query.value(0).toLongLong(), query.value(1).toString(), {}, false};
        for (int mark = 0; mark < m_list.marks.size(); ++mark) {
            const QString text = query.value(2 + mark).toString();
            if (!text.isEmpty())
                entry.marks.append(m_list.marks.at(mark).label + text);
        }
        rows.append(entry);
    }
    return rows;
}

QList<NameListModel::Entry> NameListModel::readPage(int page) const {
    const SqlDialect& dialect = m_connection->dialect();
    const QString select =
        QStringLiteral("SELECT ") + selectedColumns() + QStringLiteral(" FROM ") + m_list.table;
    const QString ascending = QStringLiteral(" ORDER BY ") +
                              dialect.caselessAscending(m_list.nameColumn) + QStringLiteral(", ") +
                              m_list.keyColumn;
    const int first = page * PageSize;
    const PageStart* start = nullptr;
    if (m_walksToPositions && page > 0 && page < pageStarts().size() &&
        pageStarts().at(page).sortName)
        start = &pageStarts().at(page);
    // One row either side tells whether the first and last names are shared.
    QList<Entry> rows;
    bool rowBeforeRead = false;
    if (start) {
        const QString position = sortPosition();
        const QString given = givenSortPosition();
        QSqlQuery before = runStatement(
            m_connection->database(),
            select + QStringLiteral(" WHERE ") + position + QStringLiteral(" < ") + given +
                QStringLiteral(" ORDER BY ") + dialect.caselessDescending(m_list.nameColumn) +
                QStringLiteral(", ") + m_list.keyColumn + QStringLiteral(" DESC LIMIT 1"),
            {start->name, start->key});
        rows = entriesOf(before);
        rowBeforeRead = !rows.isEmpty();
        QSqlQuery onward =
            runStatement(m_connection->database(),
                         select + QStringLiteral(" WHERE ") + position + QStringLiteral(" >= ") +
                             given + ascending + QStringLiteral(" LIMIT ?"),
                         {start->name, start->key, PageSize + 1});
        rows += entriesOf(onward);
    } else {
        const int from = std::max(0, first - 1);
        rowBeforeRead = from < first;
        QSqlQuery query = runStatement(m_connection->database(),
                                       select + ascending + QStringLiteral(" LIMIT ? OFFSET ?"),
                                       {PageSize + 1 + (first - from), from});
        rows = entriesOf(query);
    }
    for (int i = 1; i < rows.size(); ++i) {
        if (sameName(rows[i].name, rows[i - 1].name))
            rows[i].shared = rows[i - 1].shared = true;
    }
    if (rowBeforeRead && !rows.isEmpty())
        rows.removeFirst();
    if (rows.size() > PageSize)
        rows.removeLast();
    return rows;
}

const QList<NameListModel::PageStart>& NameListModel::pageStarts() const {
    if (m_pageStarts)
        return *m_pageStarts;
    const QString key = m_list.keyColumn;
    const QString name = m_list.nameColumn;
    // The position of every row is known only by walking the index once.
    QSqlQuery query = runStatement(
        m_connection->database(),
        QStringLiteral("SELECT %1, %2, %3 FROM (SELECT %1, %2, row_number() OVER (ORDER BY "
                       "%4, %1) AS position FROM %5) AS listed WHERE ")
                .arg(key, name, m_connection->dialect().caseless(name),
                     m_connection->dialect().caselessAscending(name), m_list.table) +
            QStringLiteral("position % ") + QString::number(PageSize) +
            QStringLiteral(" = 1 ORDER BY position"));
    QList<PageStart> starts;
    while (query.next()) {
        const QVariant sortName = query.value(2);
        starts.append({query.value(0).toLongLong(), query.value(1).toString(),
                       sortName.isNull()
                           ? std::nullopt
                           : std::optional<QByteArray>(sortName.toString().toUtf8())});
    }
    m_pageStarts = starts;
    return *m_pageStarts;
}

const NameListModel::Entry* NameListModel::entryAt(int row) const {
    if (!m_connection || row < 0 || row >= m_count)
        return nullptr;
    const int page = row / PageSize;
    auto found = m_pages.constFind(page);
    if (found == m_pages.constEnd()) {
        try {
            found = m_pages.insert(page, readPage(page));
        } catch (const ProgramError&) {
            // A view asking for a row it cannot have shows it empty.
            return nullptr;
        }
    }
    const int offset = row % PageSize;
    return offset < found->size() ? &found->at(offset) : nullptr;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Entry* entry = entryAt(index.row());
    if (!entry)
        return {};
    if (role == Qt::UserRole)
        return entry->key;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (role == Qt::EditRole || !entry->shared || m_list.marks.isEmpty())
        return entry->name;
    const QString marks = entry->marks.isEmpty()
                              ? QStringLiteral("no. ") + QString::number(entry->key)
                              : entry->marks.join(QStringLiteral(", "));
    return entry->name + QStringLiteral("  (") + marks + QLatin1Char(')');
}

qint64 NameListModel::keyAt(int row) const {
    const Entry* entry = entryAt(row);
    return entry ? entry->key : -1;
}

QString NameListModel::nameAt(int row) const {
    const Entry* entry = entryAt(row);
    return entry ? entry->name : QString();
}

int NameListModel::rowsBefore(const QString& name, qint64 key) const {
    if (!m_walksToPositions)
        return rowsBeforeCounted(name, key);
    const QList<PageStart>& starts = pageStarts();
    const std::optional<QByteArray> wanted = sortNameOf(name);
    const auto after = std::upper_bound(
        starts.begin(), starts.end(), key, [&wanted](qint64 wantedKey, const PageStart& start) {
            return sortsBefore(wanted, wantedKey, start.sortName, start.key);
        });
    if (after == starts.begin())
        return 0;
    const PageStart& start = *(after - 1);
    if (!start.sortName)
        return rowsBeforeCounted(name, key);
    // Only the rows from the page's start are counted, a short range of the index.
    const QString position = sortPosition();
    const QString given = givenSortPosition();
    QSqlQuery within =
        runStatement(m_connection->database(),
                     QStringLiteral("SELECT COUNT(*) FROM ") + m_list.table +
                         QStringLiteral(" WHERE ") + position + QStringLiteral(" >= ") + given +
                         QStringLiteral(" AND ") + position + QStringLiteral(" < ") + given,
                     {start.name, start.key, name, key});
    const int page = int(after - starts.begin()) - 1;
    return page * PageSize + (within.next() ? within.value(0).toInt() : 0);
}

QString NameListModel::sortPosition() const {
    return QStringLiteral("(") + m_connection->dialect().caseless(m_list.nameColumn) +
           QStringLiteral(", ") + m_list.keyColumn + QLatin1Char(')');
}

QString NameListModel::givenSortPosition() const {
    return QStringLiteral("(") +
           m_connection->dialect().caseless(QStringLiteral("CAST(? AS TEXT)")) +
           QStringLiteral(", ?)");
}

std::optional<QByteArray> NameListModel::sortNameOf(const QString& name) const {
    if (name.isNull())
        return std::nullopt;
    // Only the server knows how its locale folds letter case.
    QSqlQuery folded =
        runStatement(m_connection->database(),
                     QStringLiteral("SELECT ") +
                         m_connection->dialect().caseless(QStringLiteral("CAST(? AS TEXT)")),
                     {name});
    return folded.next() ? folded.value(0).toString().toUtf8() : name.toUtf8();
}

int NameListModel::rowsBeforeCounted(const QString& name, qint64 key) const {
    // Three counts, each a range of the name index: one condition joined by
    // OR would read the whole table. A missing name sorts first.
    const SqlDialect& dialect = m_connection->dialect();
    if (name.isNull()) {
        QSqlQuery query = runStatement(m_connection->database(),
                                       QStringLiteral("SELECT COUNT(*) FROM ") + m_list.table +
                                           QStringLiteral(" WHERE ") + m_list.nameColumn +
                                           QStringLiteral(" IS NULL AND ") + m_list.keyColumn +
                                           QStringLiteral(" < ?"),
                                       {key});
        return query.next() ? query.value(0).toInt() : 0;
    }
    const QString count =
        QStringLiteral("(SELECT COUNT(*) FROM ") + m_list.table + QStringLiteral(" WHERE ");
    const QString stored = dialect.caseless(m_list.nameColumn);
    const QString wanted = dialect.caseless(QStringLiteral("CAST(? AS TEXT)"));
    QSqlQuery query = runStatement(
        m_connection->database(),
        QStringLiteral("SELECT ") + count + m_list.nameColumn + QStringLiteral(" IS NULL) + ") +
            count + stored + QStringLiteral(" < ") + wanted + QStringLiteral(") + ") + count +
            stored + QStringLiteral(" = ") + wanted + QStringLiteral(" AND ") + m_list.keyColumn +
            QStringLiteral(" < ?)"),
        {name, name, key});
    return query.next() ? query.value(0).toInt() : 0;
}

int NameListModel::rowOfKey(qint64 key) const {
    if (!m_connection)
        return -1;
    QSqlQuery found = runStatement(
        m_connection->database(),
        QStringLiteral("SELECT ") + m_list.nameColumn + QStringLiteral(" FROM ") + m_list.table +
            QStringLiteral(" WHERE ") + m_list.keyColumn + QStringLiteral(" = ?"),
        {key});
    if (!found.next())
        return -1;
    // A ship without a name sorts first, not with the blank names.
    const QVariant name = found.value(0);
    const int row = rowsBefore(name.isNull() ? QString() : name.toString(), key);
    return keyAt(row) == key ? row : -1;
}

int NameListModel::findPrefix(const QString& prefix) const {
    if (!m_connection)
        return -1;
    const int row = rowsBefore(prefix, std::numeric_limits<qint64>::min());
    return nameAt(row).startsWith(prefix, Qt::CaseInsensitive) && row < m_count ? row : -1;
}

QModelIndexList NameListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                     int hits, Qt::MatchFlags flags) const {
    const Qt::MatchFlags how = flags & Qt::MatchTypeMask;
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || hits != 1 || !m_connection ||
        (how != Qt::MatchExactly && how != Qt::MatchFixedString && how != Qt::MatchStartsWith))
        return QAbstractListModel::match(start, role, value, hits, flags);
    const QString wanted = value.toString();
    const Qt::CaseSensitivity caseSensitivity =
        flags.testFlag(Qt::MatchCaseSensitive) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto fits = [&](const Entry& entry, Qt::CaseSensitivity sensitivity) {
        return how == Qt::MatchStartsWith ? entry.name.startsWith(wanted, sensitivity)
                                          : entry.name.compare(wanted, sensitivity) == 0;
    };
    // Every name that can fit sorts together, from where the wanted text would go.
    int first = 0;
    try {
        first = rowsBefore(wanted, std::numeric_limits<qint64>::min());
    } catch (const ProgramError&) {
        return {};
    }
    const int from = std::max(first, start.row());
    for (int row : {from, first}) {
        for (const Entry* entry = entryAt(row); entry && fits(*entry, Qt::CaseInsensitive);
             entry = entryAt(++row)) {
            if (fits(*entry, caseSensitivity))
                return {index(row)};
        }
        if (!flags.testFlag(Qt::MatchWrap) || from == first)
            break;
    }
    return {};
}
