#include "ship_and_port_lists.h"

#include "bound_list.h"
#include "connection.h"
#include "errors.h"
#include "message_service.h"
#include "particular_rules.h"
#include "register.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

// The row of the name `name` bound to `key` (any key when nothing): the
// first with that name, then its namesakes in order.
int rowOf(NameListModel& model, const QString& name, std::optional<int> key = std::nullopt) {
    for (int row = model.findPrefix(name); row >= 0 && row < model.rowCount(); ++row) {
        if (model.nameAt(row).compare(name, Qt::CaseInsensitive) != 0)
            break;
        if (!key || model.keyAt(row) == *key)
            return row;
    }
    return -1;
}

QString textOf(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

void loadList(BoundList& list, const NameList& names, const QString& source) {
    try {
        list.load(names);
    } catch (const ProgramError& error) {
        showStoreFailure(error, source);
    }
}

} // namespace

ShipAndPortLists::ShipAndPortLists(QComboBox& ships, QComboBox& ports)
    : m_ships(new BoundList(ships)), m_ports(new BoundList(ports)) {}

void ShipAndPortLists::load() {
    loadList(*m_ships, NameList::ships(), QStringLiteral("frmCalvane::InitShipDataCombo"));
    loadList(*m_ports, NameList::ports(), QStringLiteral("frmCalvane::InitPortDataCombo"));
}

void ShipAndPortLists::reload() {
    const std::pair<BoundList*, NameList> lists[] = {{m_ships, NameList::ships()},
                                                     {m_ports, NameList::ports()}};
    for (const auto& [list, names] : lists) {
        QComboBox& combo = list->combo();
        const std::optional<int> key = list->boundValue();
        const QString shown = combo.currentText();
        loadList(*list, names, QStringLiteral("frmCalvane::registerReopened"));
        const QSignalBlocker quiet(combo);
        const int row = key ? list->model().rowOfKey(*key) : -1;
        combo.setCurrentIndex(row);
        if (row < 0)
            combo.setEditText(shown);
    }
}

std::optional<int> ShipAndPortLists::chosenShipID() const {
    return m_ships->boundValue();
}

void ShipAndPortLists::readTable(int shipID) {
    if (!gcnnStore) {
        m_table.reset();
        return;
    }
    try {
        const Register records(*gcnnStore);
        const std::optional<qint64> id = records.surveyTableID(shipID);
        // The same ship chosen again, as each letter of its name typed
        // does, keeps the rows already read.
        if (!id)
            m_table.reset();
        else if (!m_table || m_table->id != *id)
            m_table = records.shipTable(*id);
    } catch (const ProgramError&) {
        // A register that could not take the tables (read-only) has none.
        m_table.reset();
    }
}

std::optional<QString> ShipAndPortLists::readShip(int shipID) {
    readTable(shipID);
    try {
        if (m_ship.SetShip(shipID) != 1) {
            messageService().show(m_ship.lastError());
            throw ProgramError::noCurrentRecord();
        }
        return textOf(m_ship.LBP());
    } catch (const ProgramError&) {
        showBare(QStringLiteral("Unable to retrieve ship particulars."));
        return std::nullopt;
    }
}

QString ShipAndPortLists::shipLength() const {
    try {
        if (chosenShipID())
            return textOf(m_ship.LBP());
    } catch (const ProgramError&) {
        // A ship whose particulars could not be read has no length to show.
    }
    return {};
}

void ShipAndPortLists::showShip(int shipID) {
    clsShip ship;
    const bool read = ship.SetShip(shipID) == 1;
    if (!read)
        messageService().show(ship.lastError());
    const int row = read ? rowOf(m_ships->model(), ship.ShipName(), shipID) : -1;
    if (row < 0)
        throw ProgramError::noCurrentRecord();
    m_ships->combo().setCurrentIndex(row);
}

void ShipAndPortLists::showPort(const QString& name) {
    const int row = name.isEmpty() ? -1 : rowOf(m_ports->model(), name);
    m_ports->combo().setCurrentIndex(row);
    if (row < 0)
        m_ports->combo().setEditText(name);
}

std::optional<ShipParticulars> ShipAndPortLists::particulars() const {
    try {
        const ShipParticulars particulars{m_ship.ShipName(), m_ship.LBP().toText(),
                                          m_ship.LightShip().toText()};
        if (isNumericText(particulars.lbp) && isNumericText(particulars.lightShip))
            return particulars;
    } catch (const ProgramError&) {
        // A ship whose particulars cannot be read is kept by its key alone.
    }
    return std::nullopt;
}

QString ShipAndPortLists::shipName() const {
    try {
        if (chosenShipID())
            return m_ship.ShipName();
    } catch (const ProgramError&) {
        // The name in the list serves as well.
    }
    return m_ships->combo().currentText();
}

QString ShipAndPortLists::particularsProblem() const {
    return surveyedParticularsProblem(textOf(m_ship.LBP()), textOf(m_ship.LightShip()));
}

bool ShipAndPortLists::shipSurveyable() const {
    const QString problem = particularsProblem();
    if (problem.isEmpty())
        return true;
    showWarning(QStringLiteral("%1 cannot be surveyed with its particulars in the ship register.")
                    .arg(m_ship.ShipName()),
                problem);
    return false;
}
