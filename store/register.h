#pragma once

#include "decimal.h"
#include "ship_table.h"
#include "variant.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <optional>

class Connection;

// Who last saved a port or a ship, and the version that save made. A save
// names the version it started from and is refused when another surveyor
// saved meanwhile.
struct RecordChange {
    qint64 version = 0;
    QString by;
    QString at;
};

struct PortRecord {
    qint64 id = 0;
    QString name;
    QString city;
    QString country;
    RecordChange change = {};
};

// The particulars the ship window keeps. A particular without a value is
// unset (stored as null), never 0: a 0 would print as "GRT 0".
struct ShipRecord {
    qint64 id = 0;
    QString name;
    std::optional<Decimal> lbp;
    std::optional<Decimal> loa;
    std::optional<Decimal> breadth;
    std::optional<Decimal> lightShip;
    std::optional<QString> callSign;
    std::optional<qint64> portOfRegistry;
    std::optional<Decimal> officialNo;
    std::optional<Decimal> imoNo;
    std::optional<QString> flag;
    std::optional<Decimal> grossTonnage;
    std::optional<Decimal> netTonnage;
    std::optional<Decimal> summerDraft;
    std::optional<Decimal> summerDeadweight;
    RecordChange change = {};
};

struct DeductionItem {
    int id = 0;
    QString name;
};

// The program's register of ports, ships, deductible items and tips. Every
// value is bound; every failure raises ProgramError (store failure) with the
// database's description, for the window to show.
class Register {
public:
    explicit Register(Connection& connection) : m_connection(connection) {}

    QList<PortRecord> ports() const;
    std::optional<PortRecord> port(qint64 id) const;
    // Returns the key the store gave the port.
    qint64 insertPort(const PortRecord& port) const;
    // Refused (store failure) when another window deleted the port, or
    // another surveyor saved it, after port.change.version was read; the
    // refusal says who and when. Returns the version the save made.
    qint64 updatePort(const PortRecord& port) const;
    // The ships registered at the port go with it (the store cascades).
    void deletePortAndItsShips(qint64 id) const;

    std::optional<ShipRecord> ship(qint64 id) const;
    // Same-named ships in the order they were added.
    QList<ShipRecord> shipsNamed(const QString& name) const;
    // Returns the key the store gave the ship.
    qint64 insertShip(const ShipRecord& ship) const;
    // Refused as updatePort is. The draft-mark distances are kept as they
    // are. Returns the version the save made.
    qint64 updateShip(const ShipRecord& ship) const;
    void deleteShip(qint64 id) const;

    // A ship's hydrostatic tables without their rows, in the order added.
    QList<ShipTable> shipTables(qint64 shipID) const;
    // The table with its rows by rising draft; nothing when there is none.
    std::optional<ShipTable> shipTable(qint64 id) const;
    // `count` of the table's rows from the `first` (0), by rising draft;
    // all from the first when count is -1.
    QList<TableRow> tableRows(qint64 id, int first, int count) const;
    int tableRowCount(qint64 id) const;
    // The table's rows, by rising draft, instead of those stored; one
    // change.
    void replaceTableRows(qint64 id, const QList<TableRow>& rows) const;
    // The table a survey of the ship takes its rows from: its even-keel
    // table, else its first; nothing when it has none.
    std::optional<qint64> surveyTableID(qint64 shipID) const;
    std::optional<ShipTable> surveyTable(qint64 shipID) const;
    // Stores the table and its rows as one change; returns the table's key.
    // A ship's tables go with the ship.
    qint64 insertShipTable(const ShipTable& table) const;
    void deleteShipTable(qint64 id) const;

    // In the order the worksheet's deduction grid lists them.
    QList<DeductionItem> deductionItems() const;
    QStringList tips() const;

private:
    // Tells every program on a server register that `tables` changed, so
    // that their lists follow.
    void announceChange(const QStringList& tables) const;

    Connection& m_connection;
};

// Adds ports and ships to a database being made into a register, each
// statement prepared once: a made-up register of a hundred thousand ships
// is written in seconds. Raises ProgramError (store failure).
class RegisterFiller {
public:
    explicit RegisterFiller(const QSqlDatabase& database);
    qint64 insertPort(const PortRecord& port);
    qint64 insertShip(const ShipRecord& ship);
    qint64 insertShipTable(const ShipTable& table);

private:
    QSqlQuery m_port, m_ship, m_table, m_row;
};
