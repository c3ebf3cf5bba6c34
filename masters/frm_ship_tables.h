#pragma once

#include "master_window.h"
#include "name_list_model.h"
#include "ship_table.h"
#include "ship_table_model.h"

#include <memory>
#include <optional>

class Connection;

namespace Ui {
class frmShipTables;
}

// The child window on which the user sees a ship's hydrostatic tables,
// imports one through its preview and audit, exports one as CSV and
// deletes one.
class frmShipTables : public MasterWindow {
    Q_OBJECT

public:
    frmShipTables(ChildHost& host, Connection& connection, QWidget* parent = nullptr);
    ~frmShipTables() override;

    // Lists the tables of the ship with this key.
    void showShip(qint64 shipId);

    void RDelete() override;
    void registerReopened() override;

private:
    std::optional<qint64> shownShip() const;
    void shipChosen(int row);
    void listTables();
    void tableChosen();
    // The declaration of the table chosen, without its rows.
    std::optional<ShipTable> chosenTable() const;
    // A figure typed into the rows, audited and stored; the rows stored.
    std::optional<QList<TableRow>> editFigure(qint64 tableId, int row, TableColumn column,
                                              const QString& text);
    void importFile();
    void importPasted();
    void preview(const QString& text);
    void exportChosen();
    void deleteChosen();

    std::unique_ptr<Ui::frmShipTables> ui;
    Connection& m_connection;
    NameListModel m_ships;
    ShipTableModel m_rows;
    // The tables listed, in the order of the list's rows, without their
    // rows.
    QList<ShipTable> m_tables;
};
