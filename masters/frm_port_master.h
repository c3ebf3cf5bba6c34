#pragma once

#include "enter_as_tab.h"
#include "master_window.h"
#include "name_list_model.h"
#include "register.h"

#include <memory>
#include <optional>

class Connection;
class QItemSelection;

namespace Ui {
class frmPortMaster;
}

// The child window on which the user adds, renames and deletes ports.
// Deleting a port deletes the ships registered there (the store's cascade).
class frmPortMaster : public MasterWindow {
    Q_OBJECT

public:
    frmPortMaster(ChildHost& host, Connection& connection, QWidget* parent = nullptr);
    ~frmPortMaster() override;

    void RNew() override;
    void RSave() override;
    void RDelete() override;
    void registerReopened() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void portChosen(const QItemSelection& selected);
    void writePort(const QString& name);
    void deletePort();
    void clearFields();
    void showPort(const PortRecord& port);
    void applyRegisterAccess();

    std::unique_ptr<Ui::frmPortMaster> ui;
    Connection& m_connection;
    NameListModel m_ports;
    EnterAsTab m_enterAsTab;
    int mlngEditMode = 0;
    // Delete acts only on the port last chosen in the list; none after a
    // save or a delete.
    std::optional<qint64> m_chosenPortId;
    // The save the shown port was read at: a save over a later one is refused.
    RecordChange m_portChange;
    // The port as last read, to tell a shown port from one being edited.
    PortRecord m_shownPort;
};
