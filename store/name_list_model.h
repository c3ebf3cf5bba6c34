#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <optional>

class Connection;

// The table a NameListModel lists: its key, its name, and the columns that
// tell apart rows sharing a name, each shown after its label.
struct NameList {
    struct Mark {
        QString column;
        QString label;
    };
    QString table;
    QString keyColumn;
    QString nameColumn;
    QList<Mark> marks;

    // Every ship, same names told apart by call sign and IMO number.
    static NameList ships();
    // Every port, same names told apart by country.
    static NameList ports();
};

// Every row of a table by name (ignoring case), then by key. A register
// holds a hundred thousand ships: the model knows their count at once and
// reads the rows in pages as a view shows them, and finds a name by where it
// sorts in the store's name index, so a list opens without reading the
// register. A server walks its index row by row to reach a position, so
// there the model first learns where every page starts, in one walk, and
// reads a page or a position from the nearest start. The edit role is the bare name (what an
// editable combo box shows), the display role marks a name several rows share, and Qt::UserRole is
// the row's key.
class NameListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Counts the rows again and forgets the rows read. Raises ProgramError
    // (store failure). On a server the list then follows what other
    // programs change in its table (refresh).
    void load(Connection& connection, const NameList& list);
    // Counts the rows again and forgets the rows read, keeping every row a
    // view holds (its current row, its selection) on its key: the view's
    // text and choice stay. A failure shows at the next read.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Names found by where they sort rather than by reading every row; other
    // searches as every model does them.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    // -1 when the row cannot be read.
    qint64 keyAt(int row) const;
    // Empty when the row cannot be read.
    QString nameAt(int row) const;
    // -1 when no row has the key.
    int rowOfKey(qint64 key) const;
    // The first row whose name starts with `prefix` (letter case aside), or
    // -1. Raises ProgramError (store failure).
    int findPrefix(const QString& prefix) const;

private:
    struct Entry {
        qint64 key;
        QString name;
        QStringList marks;
        bool shared;
    };
    // The first row of a page.
    struct PageStart {
        qint64 key;
        QString name;
        // The name as the store orders it, letter case folded by the store,
        // then byte by byte; a missing name sorts first.
        std::optional<QByteArray> sortName;
    };
    const Entry* entryAt(int row) const;
    QList<Entry> readPage(int page) const;
    QString selectedColumns() const;
    QList<Entry> entriesOf(QSqlQuery& query) const;
    const QList<PageStart>& pageStarts() const;
    // The rows that sort before `name` (and, among that name, before the key).
    int rowsBefore(const QString& name, qint64 key) const;
    int rowsBeforeCounted(const QString& name, qint64 key) const;
    std::optional<QByteArray> sortNameOf(const QString& name) const;
    // A row's place in the list's order, "(name folded, key)", and the same
    // for a name and key bound to two placeholders.
    QString sortPosition() const;
    QString givenSortPosition() const;

    Connection* m_connection = nullptr;
    NameList m_list;
    int m_count = 0;
    bool m_walksToPositions = false;
    mutable QHash<int, QList<Entry>> m_pages;
    mutable std::optional<QList<PageStart>> m_pageStarts;
    QMetaObject::Connection m_changes;
};
