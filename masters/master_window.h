#pragma once

#include "child_window.h"

#include <QWidget>

// What the port master and the ship particulars share as child windows:
// the commands they keep and announce, their first showing centred, and the main
// window's hint cleared whenever they show or become active.
class MasterWindow : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    Commands enabledCommands() const override { return m_enabled; }

protected:
    MasterWindow(ChildHost& host, QWidget* parent);

    void setToolbar(Commands enabled);
    ChildHost& host() const { return m_host; }
    void showEvent(QShowEvent* event) override;

private:
    ChildHost& m_host;
    Commands m_enabled;
    bool m_centred = false;
};
