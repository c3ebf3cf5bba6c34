#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>

class Connection;

// Every ship by name, read in one query. Each entry keeps its ship's key, so
// that choosing the second of two same-named ships reaches that ship. In the
// list, a name several ships share carries the call sign and IMO number; the
// edit role is the bare name.
class ShipListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Reads the ships again. Raises ProgramError (store failure).
    void reload(Connection& connection);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    qint64 shipIdAt(int row) const { return m_ships.at(row).id; }
    // -1 when no ship has the key.
    int rowOfShip(qint64 shipId) const { return m_rows.value(shipId, -1); }

private:
    struct Ship {
        qint64 id;
        QString name;
        QString callSign;
        QString imoNo;
        bool shared;
    };
    QString shownName(const Ship& ship) const;

    QList<Ship> m_ships;
    QHash<qint64, int> m_rows;
};
