#include "frm_ship_particulars.h"

#include "master_messages.h"
#include "message_service.h"
#include "particular_rules.h"
#include "register.h"
#include "ui_frm_ship_particulars.h"
#include "variant.h"

#include <QCloseEvent>
#include <QHash>
#include <QListView>

namespace {

constexpr Commands NewEntryCommands = commandsOf("011001011");
constexpr Commands OpenedOnShipCommands = commandsOf("111001111");
constexpr Commands ShipShownCommands = commandsOf("110000101");
const int SaveSucceeded = 1;
const int SaveFailed = 10088;

QString updateQuestion() {
    return QStringLiteral("Are you sure to update the current record ?");
}

MessageAnswer ask(const QString& text, MessageButtons buttons) {
    return messageService().show(
        {MessageIcon::Question, applicationTitle(), text, buttons, MessageAnswer::Yes});
}

// A text field shows the column its name carries after the "txt" prefix.
QString columnOf(const QLineEdit& field) {
    return field.objectName().mid(3);
}

QString NullToText(const std::optional<Decimal>& value) {
    return value ? value->toString() : QString();
}

QString NullToText(const std::optional<QString>& value) {
    return value.value_or(QString());
}

// The text each "txt" field shows, by the column its name carries.
QHash<QString, QString> particularTexts(const ShipRecord& ship) {
    return {{QStringLiteral("LBP"), NullToText(ship.lbp)},
            {QStringLiteral("LOA"), NullToText(ship.loa)},
            {QStringLiteral("Breadth"), NullToText(ship.breadth)},
            {QStringLiteral("LightShip"), NullToText(ship.lightShip)},
            {QStringLiteral("CallSign"), NullToText(ship.callSign)},
            {QStringLiteral("OfficialNo"), NullToText(ship.officialNo)},
            {QStringLiteral("IMONo"), NullToText(ship.imoNo)},
            {QStringLiteral("Flag"), NullToText(ship.flag)},
            {QStringLiteral("GrossTonnage"), NullToText(ship.grossTonnage)},
            {QStringLiteral("NetTonnage"), NullToText(ship.netTonnage)},
            {QStringLiteral("SummerDraft"), NullToText(ship.summerDraft)},
            {QStringLiteral("SummerDeadweight"), NullToText(ship.summerDeadweight)}};
}

// The particulars a ship cannot do without are written as typed (they
// passed their checks).
Decimal mandatoryValue(const QLineEdit& field) {
    return Decimal::fromText(field.text().trimmed());
}

// A particular not given stays unknown: a 0 would print as "GRT 0" and
// break its own rule at the next save.
std::optional<Decimal> optionalValue(const QLineEdit& field) {
    const QString text = field.text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return NormalizeValue(Variant(text), -1, 0).toDecimal();
}

} // namespace

frmShipParticulars::frmShipParticulars(ChildHost& host, Connection& connection, QWidget* parent)
    : MasterWindow(host, parent), ui(std::make_unique<Ui::frmShipParticulars>()),
      m_connection(connection) {
    ui->setupUi(this);
    // A list of a hundred thousand ships needs rows of one height to open
    // at once.
    if (auto* list = qobject_cast<QListView*>(ui->cmbShipName->view()))
        list->setUniformItemSizes(true);
    if (auto* list = qobject_cast<QListView*>(ui->dcbPortOfRegistry->view()))
        list->setUniformItemSizes(true);
    // Wide enough for a shared name with its call sign and IMO number.
    ui->cmbShipName->view()->setMinimumWidth(ui->cmbShipName->fontMetrics().averageCharWidth() *
                                             52);
    // Typing a new ship's name must not complete it into an existing one.
    ui->cmbShipName->setCompleter(nullptr);
    ui->cmbShipName->setModel(&m_ships);
    ui->dcbPortOfRegistry->setModel(&m_ports);

    // On a register that may not be changed, typing a name only looks a ship up.
    const auto changed = [this] { mblnChanged = !registerReadOnly(); };
    connect(ui->cmbShipName->lineEdit(), &QLineEdit::textEdited, this, changed);
    connect(ui->dcbPortOfRegistry, &QComboBox::activated, this, changed);
    for (QLineEdit* field : textFields())
        connect(field, &QLineEdit::textEdited, this, changed);
    connect(ui->cmbShipName, &QComboBox::activated, this, &frmShipParticulars::shipChosen);
    connect(ui->cmdTables, &QPushButton::clicked, this, &frmShipParticulars::openTables);

    ui->cmbShipName->installEventFilter(&m_enterAsTab);
    ui->cmbShipName->lineEdit()->installEventFilter(&m_enterAsTab);
    ui->dcbPortOfRegistry->installEventFilter(&m_enterAsTab);
    for (QLineEdit* field : textFields())
        field->installEventFilter(&m_enterAsTab);
    for (const ParticularRule& rule : particularRules())
        findChild<QLineEdit*>(rule.field)->installEventFilter(this);

    try {
        OpenShipLists();
    } catch (const ProgramError& error) {
        showStoreFailure(error, QStringLiteral("frmShipParticulars::OpenShipLists"));
    }
    applyRegisterAccess();
    mblnChanged = false;
}

void frmShipParticulars::applyRegisterAccess() {
    askRegisterAccess(m_connection);
    for (QLineEdit* field : textFields())
        field->setReadOnly(registerReadOnly());
    ui->dcbPortOfRegistry->setEnabled(!registerReadOnly());
}

void frmShipParticulars::registerReopened() {
    applyRegisterAccess();
    const qint64 portKey = m_ports.keyAt(ui->dcbPortOfRegistry->currentIndex());
    const bool edited = mblnChanged;
    try {
        m_ports.load(m_connection, NameList::ports());
        ui->dcbPortOfRegistry->setCurrentIndex(portKey < 0 ? -1 : m_ports.rowOfKey(portKey));
        FillShipNames();
        // A ship shown and not edited is read again; one being edited keeps
        // what was typed.
        if (!edited && m_shipId) {
            const int row = m_ships.rowOfKey(*m_shipId);
            if (row < 0 || !ShowShip(row))
                showFirstShipOrClear();
        }
    } catch (const ProgramError& error) {
        showStoreFailure(error, QStringLiteral("frmShipParticulars::registerReopened"));
    }
    mblnChanged = edited;
}

frmShipParticulars::~frmShipParticulars() = default;

QList<QLineEdit*> frmShipParticulars::textFields() const {
    QList<QLineEdit*> fields;
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        if (field->objectName().startsWith(QStringLiteral("txt")))
            fields.append(field);
    }
    return fields;
}

void frmShipParticulars::OpenShipLists() {
    m_ports.load(m_connection, NameList::ports());
    FillShipNames();
    if (m_ships.rowCount() == 0) {
        mlngEditMode = 0;
        setToolbar(NewEntryCommands);
        ClearShipFields();
        return;
    }
    mlngEditMode = 1;
    setToolbar(OpenedOnShipCommands);
    ShowShip(0);
}

void frmShipParticulars::FillShipNames() {
    const QString typed = ui->cmbShipName->currentText();
    m_ships.load(m_connection, NameList::ships());
    const int row = m_shipId ? m_ships.rowOfKey(*m_shipId) : -1;
    ui->cmbShipName->setCurrentIndex(row);
    if (row < 0)
        ui->cmbShipName->setEditText(typed);
}

bool frmShipParticulars::ShowShip(int row) {
    const qint64 shipId = m_ships.keyAt(row);
    const std::optional<ShipRecord> ship = Register(m_connection).ship(shipId);
    if (!ship)
        return false;
    m_shipId = shipId;
    m_shipChange = ship->change;
    ui->cmbShipName->setCurrentIndex(row);
    const QHash<QString, QString> shown = particularTexts(*ship);
    for (QLineEdit* field : textFields())
        field->setText(shown.value(columnOf(*field)));
    ui->dcbPortOfRegistry->setCurrentIndex(
        ship->portOfRegistry ? m_ports.rowOfKey(*ship->portOfRegistry) : -1);
    return true;
}

void frmShipParticulars::ClearShipFields() {
    m_shipId.reset();
    m_shipChange = {};
    for (QLineEdit* field : textFields())
        field->clear();
    ui->cmbShipName->setCurrentIndex(-1);
    ui->cmbShipName->setEditText(QString());
    ui->dcbPortOfRegistry->setCurrentIndex(-1);
}

void frmShipParticulars::showFirstShipOrClear() {
    if (m_ships.rowCount() > 0 && ShowShip(0)) {
        mlngEditMode = 1;
        setToolbar(ShipShownCommands);
    } else {
        ClearShipFields();
        mlngEditMode = 0;
        setToolbar(NewEntryCommands);
    }
    mblnChanged = false;
}

void frmShipParticulars::shipChosen(int row) {
    if (row < 0)
        return;
    if (mlngEditMode == 0) {
        mlngEditMode = 1;
        setToolbar(ShipShownCommands);
    }
    try {
        // A ship another window deleted meanwhile (with its port) leaves the
        // list; its name must not stay over another ship's particulars.
        if (!ShowShip(row)) {
            FillShipNames();
            showFirstShipOrClear();
        }
    } catch (const ProgramError& error) {
        showStoreFailure(error, QStringLiteral("frmShipParticulars::ShowShip"));
    }
    mblnChanged = false;
}

bool frmShipParticulars::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut || m_validating)
        return false;
    // A message box or a popup taking the focus is no leaving of the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    for (const ParticularRule& rule : particularRules()) {
        if (rule.field == watched->objectName())
            validateField(rule);
    }
    return false;
}

bool frmShipParticulars::validateField(const ParticularRule& rule) {
    auto* field = findChild<QLineEdit*>(rule.field);
    const ParticularCheck check = checkParticular(rule, field->text());
    if (check.accepted) {
        if (field->text() != check.text)
            field->setText(check.text);
        return true;
    }
    m_validating = true;
    messageService().show({MessageIcon::Exclamation, QStringLiteral("Ship Particulars"),
                           check.message, MessageButtons::Ok, MessageAnswer::Ok});
    field->clear();
    field->setFocus();
    m_validating = false;
    return false;
}

bool frmShipParticulars::FieldsValid() {
    for (const ParticularRule& rule : particularRules()) {
        if (!validateField(rule))
            return false;
    }
    return true;
}

bool frmShipParticulars::RequiredFieldsPresent() {
    const auto missing = [this](QWidget* field, const char* message) {
        mstrMessage = QString::fromLatin1(message);
        field->setFocus();
        return false;
    };
    if (ui->cmbShipName->currentText().trimmed().isEmpty())
        return missing(ui->cmbShipName, "Please enter ship name.");
    if (ui->dcbPortOfRegistry->currentIndex() < 0)
        return missing(ui->dcbPortOfRegistry, "Please choose the Port of Registry");
    if (ui->txtLBP->text().isEmpty())
        return missing(ui->txtLBP, "Please enter the LBP.");
    if (ui->txtLOA->text().isEmpty())
        return missing(ui->txtLOA, "Please enter the LOA.");
    if (ui->txtBreadth->text().isEmpty())
        return missing(ui->txtBreadth, "Please enter the Breadth.");
    if (ui->txtLightShip->text().isEmpty())
        return missing(ui->txtLightShip, "Please enter the Light Ship.");
    return true;
}

int frmShipParticulars::Save() {
    try {
        ShipRecord ship;
        ship.id = m_shipId.value_or(-1);
        ship.name = ui->cmbShipName->currentText().trimmed();
        ship.lbp = mandatoryValue(*ui->txtLBP);
        ship.loa = mandatoryValue(*ui->txtLOA);
        ship.breadth = mandatoryValue(*ui->txtBreadth);
        ship.lightShip = mandatoryValue(*ui->txtLightShip);
        ship.callSign = ui->txtCallSign->text();
        ship.portOfRegistry = m_ports.keyAt(ui->dcbPortOfRegistry->currentIndex());
        ship.officialNo = optionalValue(*ui->txtOfficialNo);
        ship.imoNo = optionalValue(*ui->txtIMONo);
        ship.flag = ui->txtFlag->text();
        ship.grossTonnage = optionalValue(*ui->txtGrossTonnage);
        ship.netTonnage = optionalValue(*ui->txtNetTonnage);
        ship.summerDraft = optionalValue(*ui->txtSummerDraft);
        ship.summerDeadweight = optionalValue(*ui->txtSummerDeadweight);
        ship.change = m_shipChange;
        const Register store(m_connection);
        if (mlngEditMode == 1) {
            m_shipChange.version = store.updateShip(ship);
        } else {
            m_shipId = store.insertShip(ship);
            m_shipChange = {};
        }
    } catch (const ProgramError& error) {
        m_saveFailure = error.description();
        m_saveLost = lostRegisterMessage(error);
        return SaveFailed;
    }
    return SaveSucceeded;
}

void frmShipParticulars::showSavingFailure(int errorNumber) {
    if (m_saveLost) {
        messageService().show(*m_saveLost);
        return;
    }
    showMasterFailure(MasterFailure::Saving, errorNumber, m_saveFailure);
}

void frmShipParticulars::RSave() {
    if (registerReadOnly())
        return;
    runReporting(MasterFailure::Saving, 10007, [this] { saveShip(); });
}

void frmShipParticulars::saveShip() {
    if (!FieldsValid())
        return;
    if (!mblnChanged) {
        showWarning(QStringLiteral("No changes to save..!"));
        return;
    }
    if (!RequiredFieldsPresent()) {
        showWarning(mstrMessage);
        return;
    }
    const bool adding = mlngEditMode == 0;
    switch (
        ask(adding ? QStringLiteral("Are you sure to save the current record ?") : updateQuestion(),
            MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        if (Save() != SaveSucceeded) {
            showSavingFailure(SaveFailed);
            return;
        }
        FillShipNames();
        showWarning(adding ? QStringLiteral("One record has been saved successfully.")
                           : QStringLiteral("One record has been updated successfully."));
        mlngEditMode = 1;
        setToolbar(ShipShownCommands);
        mblnChanged = false;
        break;
    case MessageAnswer::No:
        showFirstShipOrClear();
        break;
    default:
        break;
    }
}

void frmShipParticulars::RDelete() {
    if (!m_shipId || registerReadOnly())
        return;
    if (ask(QStringLiteral("Are you sure to delete the current record ?"), MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return;
    runReporting(MasterFailure::Deleting, 10008, [this] { deleteShip(); });
}

void frmShipParticulars::deleteShip() {
    Register(m_connection).deleteShip(*m_shipId);
    m_shipId.reset();
    FillShipNames();
    showFirstShipOrClear();
    showWarning(QStringLiteral("One record has been deleted successfully."));
}

void frmShipParticulars::RNew() {
    if (registerReadOnly())
        return;
    runReporting(MasterFailure::Saving, 10008, [this] { startNew(); });
}

void frmShipParticulars::startNew() {
    if (mblnChanged) {
        if (!RequiredFieldsPresent()) {
            showWarning(mstrMessage);
        } else if (FieldsValid() &&
                   ask(updateQuestion(), MessageButtons::YesNo) == MessageAnswer::Yes) {
            if (Save() != SaveSucceeded) {
                showSavingFailure(SaveFailed);
                return;
            }
            FillShipNames();
        }
    }
    setToolbar(NewEntryCommands);
    mlngEditMode = 0;
    mblnChanged = false;
    ClearShipFields();
    ui->cmbShipName->setFocus();
}

void frmShipParticulars::openTables() {
    // A ship typed but not saved has no key for its tables to hang on.
    if (!m_shipId) {
        showWarning(QStringLiteral("Please save the ship before its tables."));
        return;
    }
    emit tablesWanted(*m_shipId);
}

void frmShipParticulars::closeEvent(QCloseEvent* event) {
    if (!mblnChanged || ask(updateQuestion(), MessageButtons::YesNo) != MessageAnswer::Yes) {
        event->accept();
        return;
    }
    // What the user typed stays on screen until it is saved or declined.
    if (!FieldsValid()) {
        event->ignore();
        return;
    }
    if (!RequiredFieldsPresent()) {
        showWarning(mstrMessage);
        event->ignore();
        return;
    }
    if (Save() != SaveSucceeded) {
        showSavingFailure(SaveFailed);
        event->ignore();
        return;
    }
    event->accept();
}
