#pragma once

#include "child_window.h"

#include <QWidget>

class Connection;
class QLabel;

// What the master windows share as child windows: the commands they keep
// and announce, their first showing centred, the main window's hint cleared
// whenever they show or become active, and a register that may not be
// changed said above their fields.
class MasterWindow : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    Commands enabledCommands() const override { return m_enabled; }
    // Whether the commands that change the register are withheld.
    bool registerReadOnly() const { return m_readOnly; }

protected:
    MasterWindow(ChildHost& host, QWidget* parent);

    // New, Save and Delete are withheld from a register that may not be
    // changed.
    void setToolbar(Commands enabled);
    // Asks the register whether it may be changed and shows or hides the
    // read-only notice; call after the window's layout is set up. A
    // register that cannot be asked counts as changeable: a save then says
    // why it failed.
    void askRegisterAccess(Connection& connection);
    ChildHost& host() const { return m_host; }
    void showEvent(QShowEvent* event) override;

private:
    ChildHost& m_host;
    // What the window would enable on a register it may change.
    Commands m_wanted;
    Commands m_enabled;
    bool m_readOnly = false;
    QLabel* m_readOnlyNotice = nullptr;
    bool m_centred = false;
};

// The notice a master window shows on a register that may not be changed.
QString readOnlyRegisterNotice();
