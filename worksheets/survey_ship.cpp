#include "survey_ship.h"

#include "connection.h"
#include "errors.h"
#include "message_service.h"
#include "register.h"
#include "ship.h"

namespace {

bool sameNumber(const QString& a, const QString& b) {
    const std::optional<Decimal> x = Decimal::tryParse(a);
    const std::optional<Decimal> y = Decimal::tryParse(b);
    return x && y && *x == *y;
}

QString textOf(const Variant& value) {
    return value.isNull() ? QString() : value.toText();
}

QString textOf(const std::optional<Decimal>& value) {
    return value ? value->toString() : QString();
}

// The register's particulars of `shipID`, when the register has that ship.
std::optional<ShipParticulars> registered(int shipID) {
    clsShip ship;
    if (ship.SetShip(shipID) != 1) {
        messageService().show(ship.lastError());
        throw ProgramError::storeFailure(QStringLiteral("The ship register cannot be read."));
    }
    QString name;
    try {
        ship.ShipID();
    } catch (const ProgramError&) {
        return std::nullopt;
    }
    try {
        name = ship.ShipName();
    } catch (const ProgramError&) {
        // A ship without a name differs from any the file names.
    }
    return ShipParticulars{name, textOf(ship.LBP()), textOf(ship.LightShip())};
}

bool sameShip(const ShipParticulars& stored, const ShipParticulars& file) {
    return stored.name == file.name && sameNumber(stored.lbp, file.lbp) &&
           sameNumber(stored.lightShip, file.lightShip);
}

// A register ship with the file's name and particulars.
std::optional<int> findShip(const ShipParticulars& file) {
    for (const ShipRecord& ship : Register(*gcnnStore).shipsNamed(file.name)) {
        if (sameNumber(textOf(ship.lbp), file.lbp) &&
            sameNumber(textOf(ship.lightShip), file.lightShip))
            return int(ship.id);
    }
    return std::nullopt;
}

// The file knows only the name, LBP and light ship; the rest stays unset.
int addShip(const ShipParticulars& file) {
    ShipRecord ship;
    ship.name = file.name;
    ship.lbp = Decimal::fromText(file.lbp);
    ship.lightShip = Decimal::fromText(file.lightShip);
    return int(Register(*gcnnStore).insertShip(ship));
}

QString described(const ShipParticulars& ship) {
    return QStringLiteral("%1 (LBP %2, light ship %3)").arg(ship.name, ship.lbp, ship.lightShip);
}

MessageAnswer ask(const QString& first, const QString& second, MessageButtons buttons) {
    return messageService().show(Message{MessageIcon::Question, applicationTitle(),
                                         twoPartText(first, second), buttons,
                                         MessageAnswer::Cancel});
}

} // namespace

std::optional<int> shipForSurvey(const SurveyDocument& survey) {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    const std::optional<ShipParticulars>& file = survey.particulars;
    if (!survey.shipID) {
        if (const std::optional<int> found = findShip(*file))
            return found;
        if (ask(QStringLiteral("The ship register has no ship %1.").arg(described(*file)),
                QStringLiteral("Add it to the register with the file's particulars?"),
                MessageButtons::OkCancel) != MessageAnswer::Ok)
            return std::nullopt;
        return addShip(*file);
    }
    const std::optional<ShipParticulars> stored = registered(*survey.shipID);
    if (!stored) {
        if (!file) {
            showWarning(QStringLiteral("Ship %1 of this survey is not in the ship register.")
                            .arg(*survey.shipID),
                        QStringLiteral("The survey cannot be opened without its ship."));
            return std::nullopt;
        }
        if (ask(QStringLiteral("Ship %1 of this survey is not in the ship register.")
                    .arg(*survey.shipID),
                QStringLiteral("Add %1 to the register with the file's particulars?")
                    .arg(described(*file)),
                MessageButtons::OkCancel) != MessageAnswer::Ok)
            return std::nullopt;
        return addShip(*file);
    }
    if (!file || sameShip(*stored, *file))
        return survey.shipID;
    switch (ask(QStringLiteral("The survey was taken on %1; the register now has %2.")
                    .arg(described(*file), described(*stored)),
                QStringLiteral("Yes uses the file's particulars (added to the register as a "
                               "ship of its own), No the register's."),
                MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        if (const std::optional<int> found = findShip(*file))
            return found;
        return addShip(*file);
    case MessageAnswer::No:
        return survey.shipID;
    default:
        return std::nullopt;
    }
}
