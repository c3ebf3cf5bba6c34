#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>

class Connection;

// Every port by name, for the port master's list and the port-of-registry
// choice: a model read in one query, so that a register of thousands of
// ports shows at once.
class PortListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Reads the ports again. Raises ProgramError (store failure).
    void reload(Connection& connection);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    qint64 portIdAt(int row) const { return m_ports.at(row).id; }
    // -1 when no port has the key.
    int rowOfPort(qint64 portId) const { return m_rows.value(portId, -1); }

private:
    struct Port {
        qint64 id;
        QString name;
    };
    QList<Port> m_ports;
    QHash<qint64, int> m_rows;
};
