#include "master_windows.h"

#include "connection.h"
#include "frm_mdi.h"
#include "frm_open.h"
#include "frm_port_master.h"
#include "frm_ship_particulars.h"
#include "frm_ship_tables.h"

void registerMasterWindows(WindowRegistry& registry) {
    registry.registerWorkingWindow(WorkingWindow::PortMaster,
                                   [](frmMDI& frame) -> std::unique_ptr<QWidget> {
                                       return std::make_unique<frmPortMaster>(frame, *gcnnStore);
                                   });
    registry.registerWorkingWindow(
        WorkingWindow::ShipParticulars, [](frmMDI& frame) -> std::unique_ptr<QWidget> {
            auto window = std::make_unique<frmShipParticulars>(frame, *gcnnStore);
            QObject::connect(window.get(), &frmShipParticulars::tablesWanted, &frame,
                             [&frame](qint64 shipId) {
                                 if (auto* tables = qobject_cast<frmShipTables*>(
                                         frame.openWorkingChild(WorkingWindow::HydrostaticTables)))
                                     tables->showShip(shipId);
                             });
            return window;
        });
    registry.registerWorkingWindow(WorkingWindow::HydrostaticTables,
                                   [](frmMDI& frame) -> std::unique_ptr<QWidget> {
                                       return std::make_unique<frmShipTables>(frame, *gcnnStore);
                                   });
    registry.registerOpenDialog(
        [](frmMDI& frame) -> std::unique_ptr<QDialog> { return std::make_unique<frmOpen>(frame); });
}
