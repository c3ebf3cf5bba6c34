#include "frm_port_master.h"

#include "master_messages.h"
#include "message_service.h"
#include "register.h"
#include "ui_frm_port_master.h"

#include <QKeyEvent>

namespace {

constexpr Commands NewEntryCommands = commandsOf("011001011");
constexpr Commands PortShownCommands = commandsOf("111001111");

QString fieldHint() {
    return QStringLiteral("Type the new Port name and press Enter to save it");
}

MessageAnswer ask(const QString& text, MessageButtons buttons, MessageAnswer defaultAnswer) {
    return messageService().show(
        {MessageIcon::Question, applicationTitle(), text, buttons, defaultAnswer});
}

} // namespace

frmPortMaster::frmPortMaster(ChildHost& host, Connection& connection, QWidget* parent)
    : MasterWindow(host, parent), ui(std::make_unique<Ui::frmPortMaster>()),
      m_connection(connection) {
    ui->setupUi(this);
    for (QWidget* field : {ui->txtPortName, ui->txtCity, ui->txtCountry}) {
        field->installEventFilter(&m_enterAsTab);
        field->installEventFilter(this);
    }
    ui->dlstPortMaster->installEventFilter(this);
    runReporting(MasterFailure::Internal, 10014,
                 [this] { m_ports.load(m_connection, NameList::ports()); });
    ui->dlstPortMaster->setModel(&m_ports);
    connect(ui->dlstPortMaster->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmPortMaster::portChosen);
    mlngEditMode = 0;
    setToolbar(NewEntryCommands);
    applyRegisterAccess();
}

frmPortMaster::~frmPortMaster() = default;

void frmPortMaster::applyRegisterAccess() {
    askRegisterAccess(m_connection);
    for (QLineEdit* field : {ui->txtPortName, ui->txtCity, ui->txtCountry})
        field->setReadOnly(registerReadOnly());
    // Its hint is about adding and deleting, which the notice says cannot be done.
    ui->lblStatus->setVisible(!registerReadOnly());
}

void frmPortMaster::registerReopened() {
    applyRegisterAccess();
    const std::optional<qint64> chosen = m_chosenPortId;
    const bool edited = ui->txtPortName->text() != m_shownPort.name ||
                        ui->txtCity->text() != m_shownPort.city ||
                        ui->txtCountry->text() != m_shownPort.country;
    runReporting(MasterFailure::Internal, 10014, [this, chosen, edited] {
        m_ports.load(m_connection, NameList::ports());
        if (!chosen || edited)
            return;
        // A port shown and not edited is read again, as another surveyor may
        // have changed it meanwhile.
        if (const std::optional<PortRecord> port = Register(m_connection).port(*chosen))
            showPort(*port);
    });
}

bool frmPortMaster::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->dlstPortMaster) {
        if (event->type() == QEvent::FocusIn && !registerReadOnly())
            host().setStatusMessage(
                QStringLiteral("You can press the Delete key to delete this record"));
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            RDelete();
            return true;
        }
        return false;
    }
    if (registerReadOnly())
        return false;
    if (event->type() == QEvent::FocusIn ||
        (watched == ui->txtCity && event->type() == QEvent::KeyPress))
        host().setStatusMessage(fieldHint());
    return false;
}

void frmPortMaster::portChosen(const QItemSelection& selected) {
    if (selected.indexes().isEmpty())
        return;
    const qint64 portId = m_ports.keyAt(selected.indexes().constFirst().row());
    runReporting(MasterFailure::Internal, 10014, [this, portId] {
        const std::optional<PortRecord> port = Register(m_connection).port(portId);
        if (!port)
            return;
        showPort(*port);
    });
}

void frmPortMaster::showPort(const PortRecord& port) {
    m_chosenPortId = port.id;
    m_portChange = port.change;
    m_shownPort = port;
    mlngEditMode = 1;
    setToolbar(PortShownCommands);
    ui->txtPortName->setText(port.name);
    ui->txtCity->setText(port.city);
    ui->txtCountry->setText(port.country);
}

void frmPortMaster::clearFields() {
    m_shownPort = {};
    ui->txtPortName->clear();
    ui->txtCity->clear();
    ui->txtCountry->clear();
}

void frmPortMaster::RNew() {
    if (registerReadOnly())
        return;
    mlngEditMode = 0;
    setToolbar(NewEntryCommands);
    clearFields();
    ui->txtPortName->setFocus();
}

void frmPortMaster::writePort(const QString& name) {
    const Register store(m_connection);
    PortRecord port{0, name, ui->txtCity->text().trimmed(), ui->txtCountry->text().trimmed()};
    if (mlngEditMode == 0) {
        store.insertPort(port);
    } else {
        port.id = *m_chosenPortId;
        port.change = m_portChange;
        m_portChange.version = store.updatePort(port);
    }
}

void frmPortMaster::RSave() {
    if (registerReadOnly())
        return;
    const QString name = ui->txtPortName->text().trimmed();
    if (name.isEmpty()) {
        showWarning(QStringLiteral("Please enter port name"));
    } else {
        const bool adding = mlngEditMode == 0;
        const MessageAnswer answer =
            ask(adding ? QStringLiteral("Are you sure you want to add a new record ?")
                       : QStringLiteral("Are you sure to update the current record ?"),
                MessageButtons::YesNoCancel, MessageAnswer::Yes);
        if (answer == MessageAnswer::No)
            return;
        // A failed write keeps what the user typed, to correct and save again.
        if (answer == MessageAnswer::Yes &&
            !runReporting(MasterFailure::Saving, 10016, [this, &name, adding] {
                writePort(name);
                m_chosenPortId.reset();
                setToolbar(NewEntryCommands);
                m_ports.load(m_connection, NameList::ports());
                clearFields();
                showWarning(adding ? QStringLiteral("One record has been added successfully.")
                                   : QStringLiteral("One record has been updated successfully."));
            }))
            return;
    }
    mlngEditMode = 0;
    ui->txtPortName->setFocus();
}

void frmPortMaster::deletePort() {
    Register(m_connection).deletePortAndItsShips(*m_chosenPortId);
    m_chosenPortId.reset();
    m_ports.load(m_connection, NameList::ports());
    clearFields();
    showWarning(QStringLiteral("One record has been deleted successfully."));
}

void frmPortMaster::RDelete() {
    if (!m_chosenPortId || registerReadOnly())
        return;
    if (ask(twoPartText(QStringLiteral("Deletion of this port will also delete all the ships "
                                       "corresponding to it."),
                        QStringLiteral("Are you sure to delete the selected port ?")),
            MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return;
    if (!runReporting(MasterFailure::Deleting, 10017, [this] { deletePort(); }))
        return;
    mlngEditMode = 0;
    setToolbar(NewEntryCommands);
}
