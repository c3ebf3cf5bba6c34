#include "ship.h"

#include "connection.h"
#include "errors.h"
#include "message.h"
#include "schema.h"

clsShip::clsShip(const clsShip& other)
    : mrsShip(other.mrsShip ? std::make_unique<RowSet>(*other.mrsShip) : nullptr),
      m_error(other.m_error) {}

clsShip& clsShip::operator=(const clsShip& other) {
    if (this != &other) {
        mrsShip = other.mrsShip ? std::make_unique<RowSet>(*other.mrsShip) : nullptr;
        m_error = other.m_error;
    }
    return *this;
}

clsShip::~clsShip() = default;

int clsShip::SetShip(int ShipID) {
    const QString statement = QStringLiteral("SELECT Ship.*") + QStringLiteral(" FROM Ship") +
                              QStringLiteral(" WHERE Ship.ShipID = ") + QString::number(ShipID);
    mrsShip = std::make_unique<RowSet>();
    try {
        if (!gcnnStore)
            throw ProgramError::objectNotSet();
        mrsShip->open(statement, *gcnnStore);
    } catch (const ProgramError& error) {
        m_error = bareMessage(error.description());
        return 0;
    }
    return 1;
}

void clsShip::setParticulars(const QString& name, const Decimal& lbp, const Decimal& lightShip) {
    mrsShip = std::make_unique<RowSet>();
    mrsShip->openDetached(tableColumns(QStringLiteral("Ship")));
    mrsShip->addNew();
    mrsShip->setField(QStringLiteral("ShipName"), Variant(name));
    mrsShip->setField(QStringLiteral("LBP"), Variant(lbp));
    mrsShip->setField(QStringLiteral("LightShip"), Variant(lightShip));
    mrsShip->moveFirst();
}

Variant clsShip::GetDistBetDraftMarks() const {
    if (!mrsShip)
        throw ProgramError::objectNotSet();
    if (!mrsShip->isOpen() || mrsShip->recordCount() == 0)
        return Variant(0);
    const Variant lbp = LBP();
    const Variant fwdX = FwdX();
    const Variant aftX = AftX();
    if (lbp.isNull() || fwdX.isNull() || aftX.isNull())
        return Variant::null();
    return Variant(lbp.toDecimal() - fwdX.toDecimal() + aftX.toDecimal());
}

Variant clsShip::SummerDeadweight() const {
    return column(QStringLiteral("SummerDeadweight"));
}
Variant clsShip::SummerDraft() const {
    return column(QStringLiteral("SummerDraft"));
}
Variant clsShip::NetTonnage() const {
    return column(QStringLiteral("NetTonnage"));
}
Variant clsShip::GrossTonnage() const {
    return column(QStringLiteral("GrossTonnage"));
}
QString clsShip::Flag() const {
    return column(QStringLiteral("Flag")).toText();
}
Variant clsShip::IMONo() const {
    return column(QStringLiteral("IMONo"));
}
Variant clsShip::OfficialNo() const {
    return column(QStringLiteral("OfficialNo"));
}
Variant clsShip::PortOfRegistry() const {
    return column(QStringLiteral("PortOfRegistry"));
}
QString clsShip::CallSign() const {
    return column(QStringLiteral("CallSign")).toText();
}
Variant clsShip::LightShip() const {
    return column(QStringLiteral("LightShip"));
}
Variant clsShip::AftX() const {
    return column(QStringLiteral("AftX"));
}
Variant clsShip::MidX() const {
    return column(QStringLiteral("MidX"));
}
Variant clsShip::FwdX() const {
    return column(QStringLiteral("FwdX"));
}
Variant clsShip::Breadth() const {
    return column(QStringLiteral("Breadth"));
}
Variant clsShip::LOA() const {
    return column(QStringLiteral("LOA"));
}
Variant clsShip::LBP() const {
    return column(QStringLiteral("LBP"));
}
QString clsShip::ShipName() const {
    return column(QStringLiteral("ShipName")).toText();
}
// A null raises the invalid-use-of-null error, as the text properties do.
int clsShip::ShipID() const {
    return int(column(QStringLiteral("ShipID")).toWhole());
}

Variant clsShip::column(const QString& name) const {
    if (!mrsShip)
        throw ProgramError::objectNotSet();
    return mrsShip->field(name);
}
