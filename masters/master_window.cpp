#include "master_window.h"

#include "errors.h"
#include "form_center.h"
#include "register_access.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>

namespace {

constexpr Commands ChangingCommands = Command::New | Command::Save | Command::Delete;

} // namespace

QString readOnlyRegisterNotice() {
    return QStringLiteral("The register is read-only for you: ports and ships can be chosen and "
                          "printed but not changed.");
}

MasterWindow::MasterWindow(ChildHost& host, QWidget* parent) : QWidget(parent), m_host(host) {}

void MasterWindow::setToolbar(Commands enabled) {
    m_wanted = enabled;
    m_enabled = m_readOnly ? enabled & ~ChangingCommands : enabled;
    m_host.enabledCommandsChanged(m_enabled);
}

void MasterWindow::askRegisterAccess(Connection& connection) {
    try {
        m_readOnly = !registerMayChange(connection);
    } catch (const ProgramError&) {
        m_readOnly = false;
    }
    if (!m_readOnlyNotice) {
        m_readOnlyNotice = new QLabel(readOnlyRegisterNotice(), this);
        m_readOnlyNotice->setObjectName(QStringLiteral("lblRegisterReadOnly"));
        m_readOnlyNotice->setWordWrap(true);
        m_readOnlyNotice->setFrameShape(QFrame::StyledPanel);
        m_readOnlyNotice->setMargin(4);
        m_readOnlyNotice->setStyleSheet(QStringLiteral("background: #fff4ce; color: black;"));
        if (auto* layout = qobject_cast<QBoxLayout*>(this->layout()))
            layout->insertWidget(0, m_readOnlyNotice);
    }
    m_readOnlyNotice->setVisible(m_readOnly);
    setToolbar(m_wanted);
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
