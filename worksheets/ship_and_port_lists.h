#pragma once

#include "ship.h"
#include "ship_table.h"
#include "survey_document.h"

#include <QString>
#include <optional>

class BoundList;
class QComboBox;

// The ship and port lists at the head of a worksheet, and the register's
// particulars of the ship chosen in the first.
class ShipAndPortLists {
public:
    ShipAndPortLists(QComboBox& ships, QComboBox& ports);

    // Fills both lists from the register; a list that cannot be read is
    // said and stays empty.
    void load();
    // Reads both lists again after the register was reopened, keeping the
    // ship and port shown (or the text typed) without choosing them anew.
    void reload();
    BoundList& ships() { return *m_ships; }
    std::optional<int> chosenShipID() const;
    const clsShip& ship() const { return m_ship; }
    // The table the chosen ship's rows are taken from, when it has one:
    // its even-keel table, else its first.
    const std::optional<ShipTable>& table() const { return m_table; }

    // Reads the particulars of the ship just chosen and gives its LBP as
    // shown beside the list; nothing, said, when the register cannot.
    std::optional<QString> readShip(int shipID);
    // The chosen ship's LBP as shown beside the list; "" when unknown.
    QString shipLength() const;
    // Chooses the register's ship `shipID` as if picked from the list.
    // Raises ProgramError when the list does not hold it.
    void showShip(int shipID);
    // Chooses the port `name` from the list, or shows the name as written.
    void showPort(const QString& name);

    // What a survey keeps beside the ship's key, so that a register changed
    // meanwhile is noticed; none when they cannot be read.
    std::optional<ShipParticulars> particulars() const;
    // The chosen ship's name, or the list's text when it has none to read.
    QString shipName() const;
    // The chosen ship's LBP and light ship keep the ship window's rules:
    // false, said, when they do not.
    bool shipSurveyable() const;
    // Why the particulars allow no survey; "" when they do.
    QString particularsProblem() const;

private:
    void readTable(int shipID);

    BoundList* m_ships;
    BoundList* m_ports;
    clsShip m_ship;
    std::optional<ShipTable> m_table;
};
