#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>

class Connection;

// Every ship by name (ignoring case), then by key. A register holds a
// hundred thousand ships: the model knows their count at once and reads the
// rows in pages as a view shows them, so a list opens without reading the
// register. Each entry keeps its ship's key, so that choosing the second of
// two same-named ships reaches that ship. In the list, a name several ships
// share carries the call sign and IMO number; the edit role is the bare name.
class ShipListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Counts the ships again and forgets the rows read. Raises ProgramError
    // (store failure).
    void reload(Connection& connection);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Names found by where they sort rather than by reading every row; other
    // searches as every model does them.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    // -1 when the row cannot be read.
    qint64 shipIdAt(int row) const;
    // -1 when no ship has the key.
    int rowOfShip(qint64 shipId) const;

private:
    struct Ship {
        qint64 id;
        QString name;
        QString callSign;
        QString imoNo;
        bool shared;
    };
    const Ship* shipAt(int row) const;
    QList<Ship> readPage(int page) const;
    // The rows that sort before `name` (and, among that name, before the key).
    int rowsBefore(const QString& name, qint64 shipId) const;

    Connection* m_connection = nullptr;
    int m_count = 0;
    mutable QHash<int, QList<Ship>> m_pages;
};
