#pragma once

#include "child_window.h"

#include <QWidget>

// What the port master and the ship particulars share as child windows:
// the mask they keep and send, their first showing centred, and the main
// window's hint cleared whenever they show or become active.
class MasterWindow : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    QString currentMask() const override { return mstrToolbar; }

protected:
    MasterWindow(ChildHost& host, QWidget* parent);

    void setToolbar(const QString& mask);
    ChildHost& host() const { return m_host; }
    void showEvent(QShowEvent* event) override;

private:
    ChildHost& m_host;
    QString mstrToolbar;
    bool m_centred = false;
};
