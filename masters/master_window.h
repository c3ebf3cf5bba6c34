#pragma once

#include "child_window.h"

#include <QWidget>

// What the port master and the ship particulars share as child windows:
// the mask they keep and send, and their first showing, centred, with the
// main window's hint cleared.
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
