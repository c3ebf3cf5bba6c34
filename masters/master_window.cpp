#include "master_window.h"

#include "form_center.h"

#include <QMdiSubWindow>

MasterWindow::MasterWindow(ChildHost& host, QWidget* parent) : QWidget(parent), m_host(host) {}

void MasterWindow::setToolbar(Commands enabled) {
    m_enabled = enabled;
    m_host.enabledCommandsChanged(m_enabled);
}

void MasterWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_host.setStatusMessage(QString());
    // The frame that holds the window is its parent.
    if (m_centred || !parentWidget())
        return;
    m_centred = true;
    FormCenter(*parentWidget());
    // Each activation clears the hint another window left.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        connect(frame, &QMdiSubWindow::aboutToActivate, this,
                [this] { m_host.setStatusMessage(QString()); });
}
