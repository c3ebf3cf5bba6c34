#include "draft.h"

#include "clock.h"
#include "errors.h"
#include "message.h"
#include "rowset.h"
#include "schema.h"
#include "ship.h"

#include <stdexcept>
#include <utility>

namespace {

constexpr int PropertyCount = int(DraftProperty::ResultantTPCS) + 1;

enum class SetRule { ChangeTracked, Text, AsGiven, Converted, ReadOnly };

SetRule setRule(DraftProperty property) {
    switch (property) {
    case DraftProperty::SpecificGravity:
    case DraftProperty::FwdPort:
    case DraftProperty::FwdStbd:
    case DraftProperty::MidPort:
    case DraftProperty::MidStbd:
    case DraftProperty::AftPort:
    case DraftProperty::AftStbd:
        return SetRule::ChangeTracked;
    case DraftProperty::DSDate:
    case DraftProperty::DSTime:
    case DraftProperty::Comments:
        return SetRule::Text;
    case DraftProperty::FwdMean:
    case DraftProperty::MidMean:
        return SetRule::AsGiven;
    case DraftProperty::ApparentTrim:
    case DraftProperty::IpFactor:
    case DraftProperty::MCTCPlus50IpFactor:
    case DraftProperty::MCTCMinus50IpFactor:
    case DraftProperty::IpFactorTPCP:
    case DraftProperty::IpValueTPCP:
    case DraftProperty::ResultantTPCP:
    case DraftProperty::IpFactorTPCS:
    case DraftProperty::IpValueTPCS:
    case DraftProperty::ResultantTPCS:
        return SetRule::ReadOnly;
    default:
        return SetRule::Converted;
    }
}

// A reading counts as changed when its text differs and, where both are
// numbers, its value differs too: re-entering 7.20 for 7.2 is no change.
bool reallyChanged(const Variant& stored, const Variant& incoming) {
    const QString incomingText = incoming.toText();
    // A stored number's text reads back as the number itself, so for one
    // the values alone decide, without writing that text.
    if (stored.kind() == Variant::Kind::Decimal) {
        const auto value = Decimal::tryParse(incomingText);
        return !(value && *value == stored.toDecimal());
    }
    const QString storedText = stored.toText();
    if (storedText == incomingText)
        return false;
    const auto a = Decimal::tryParse(storedText);
    const auto b = Decimal::tryParse(incomingText);
    return !(a && b && *a == *b);
}

VariantGrid blankGrid(int rows, int columns, const Variant& value) {
    return VariantGrid(rows, QList<Variant>(columns, value));
}

const Variant blank{QString()};

Decimal number(const Variant& value) {
    return value.toDecimal();
}

} // namespace

clsDraft::clsDraft()
    : m_ship(std::make_unique<clsShip>()), m_deductions(std::make_unique<RowSet>()),
      m_values(PropertyCount), m_hdt(blankGrid(3, 6, blank)), m_hdtListCorr(blankGrid(3, 4, blank)),
      m_mctcP50(blankGrid(3, 2, Variant())), m_mctcM50(blankGrid(3, 2, Variant())),
      m_ipResult(blankGrid(2, 5, blank)), m_finalResult(12, blank) {
    NewDraft();
}

clsDraft::~clsDraft() = default;

Variant clsDraft::get(DraftProperty property) const {
    return m_values[int(property)];
}

void clsDraft::set(DraftProperty property, const Variant& value) {
    Variant& stored = m_values[int(property)];
    switch (setRule(property)) {
    case SetRule::ChangeTracked:
        if (reallyChanged(stored, value)) {
            stored = NormalizeValue(value, -1, 0);
            m_toSave = true;
        }
        return;
    case SetRule::Text:
        if (stored.toText() != value.toText()) {
            stored = Variant(value.toText());
            m_toSave = true;
        }
        return;
    case SetRule::AsGiven:
        stored = value;
        return;
    case SetRule::Converted:
        stored = NormalizeValue(value, -1, 0);
        return;
    case SetRule::ReadOnly:
        break;
    }
    throw std::logic_error("read-only draft property set");
}

void clsDraft::setDraftMode(const Variant& vNewDraftMode) {
    const qint64 mode = vNewDraftMode.toWhole();
    if (mode < -32768 || mode > 32767)
        throw ProgramError::overflow();
    m_draftMode = short(mode);
}

void clsDraft::setShipID(const Variant& vNewShipID) {
    const qint64 id = vNewShipID.toWhole();
    if (id < std::numeric_limits<int>::min() || id > std::numeric_limits<int>::max())
        throw ProgramError::overflow();
    m_shipID = int(id);
    if (m_ship->SetShip(m_shipID) != 1)
        m_messages.append(m_ship->lastError());
}

void clsDraft::shareShip(const clsDraft& other) {
    m_shipID = other.m_shipID;
    *m_ship = *other.m_ship;
}

void clsDraft::setShipParticulars(const QString& name, const Decimal& lbp,
                                  const Decimal& lightShip) {
    m_shipID = 0;
    m_ship->setParticulars(name, lbp, lightShip);
}

void clsDraft::storeGrid(VariantGrid& target, const VariantGrid& source) {
    for (int row = 0; row < source.size(); ++row) {
        for (int column = 0; column < source[row].size(); ++column) {
            if (row >= target.size() || column >= target[row].size())
                throw ProgramError::subscriptOutOfRange();
            target[row][column] = NormalizeValue(source[row][column], -1, 0);
        }
    }
}

void clsDraft::setHDT(const VariantGrid& vNewHDT) {
    storeGrid(m_hdt, vNewHDT);
}

void clsDraft::setMCTCP50(const VariantGrid& vNewMCTCP50) {
    storeGrid(m_mctcP50, vNewMCTCP50);
}

void clsDraft::setMCTCM50(const VariantGrid& vNewMCTCM50) {
    storeGrid(m_mctcM50, vNewMCTCM50);
}

void clsDraft::NewDraft() {
    const QDateTime now = programClock().now();
    m_values[int(DraftProperty::SpecificGravity)] = blank;
    m_values[int(DraftProperty::DSDate)] = Variant(now.toString(QStringLiteral("dd-MM-yyyy")));
    m_values[int(DraftProperty::DSTime)] = Variant(now.toString(QStringLiteral("HH:mm")));
    for (DraftProperty property : {DraftProperty::FwdPort,
                                   DraftProperty::FwdStbd,
                                   DraftProperty::MidPort,
                                   DraftProperty::MidStbd,
                                   DraftProperty::AftPort,
                                   DraftProperty::AftStbd,
                                   DraftProperty::FwdMean,
                                   DraftProperty::MidMean,
                                   DraftProperty::AftMean,
                                   DraftProperty::ApparentTrim,
                                   DraftProperty::FwdCorrection,
                                   DraftProperty::MidCorrection,
                                   DraftProperty::AftCorrection,
                                   DraftProperty::FwdTrueDraft,
                                   DraftProperty::MidTrueDraft,
                                   DraftProperty::AftTrueDraft,
                                   DraftProperty::TrueTrim,
                                   DraftProperty::TrueMeanDraft,
                                   DraftProperty::IpFactorTPCP,
                                   DraftProperty::IpValueTPCP,
                                   DraftProperty::ResultantTPCP,
                                   DraftProperty::IpFactorTPCS,
                                   DraftProperty::IpValueTPCS,
                                   DraftProperty::ResultantTPCS,
                                   DraftProperty::MCTCPlus50IpFactor,
                                   DraftProperty::MCTCMinus50IpFactor,
                                   DraftProperty::IpFactor,
                                   DraftProperty::Comments})
        m_values[int(property)] = blank;
    m_hdt = blankGrid(3, 6, blank);
    m_hdtListCorr = blankGrid(3, 4, blank);
    m_ipResult = blankGrid(2, 5, blank);
    m_finalResult = QList<Variant>(12, blank);
    InitDeductions();
    m_draftMode = 0;
    m_toSave = false;
    m_hasRecord = false;
}

// The deductions are kept with the draft, never read from the register:
// a new draft has none.
void clsDraft::InitDeductions() {
    m_deductions->openDetached(tableColumns(QStringLiteral("DeductionTrans")));
}

Variant clsDraft::GetTotDeductibles() {
    Variant& total = m_values[int(DraftProperty::TotDeductibles)];
    try {
        total = Variant(0);
        if (m_deductions->recordCount() > 0) {
            m_deductions->moveFirst();
            while (!m_deductions->atEnd()) {
                const Variant quantity = m_deductions->field(QStringLiteral("Quantity"));
                total = (quantity.isNull() || total.isNull())
                            ? Variant::null()
                            : Variant(quantity.toDecimal() + total.toDecimal());
                m_deductions->moveNext();
            }
        }
        return total;
    } catch (const ProgramError& error) {
        m_failure = error;
        m_messages.append(bareMessage(QStringLiteral("clsDraft::GetTotDeductibles")));
        return Variant();
    }
}

long clsDraft::Calculate(short intStartFrom) {
    Q_UNUSED(intStartFrom)
    m_failure.reset();
    try {
        const Decimal trueMeanDraft =
            number(NormalizeValue(get(DraftProperty::TrueMeanDraft), -1, 0));
        if (trueMeanDraft.isZero())
            return 0;
        interpolate(trueMeanDraft);
        correctDisplacement();
        roundInterpolationResults();
    } catch (const ProgramError& error) {
        m_failure = error;
        m_messages.append(bareMessage(QStringLiteral("clsDraft::Calculate")));
    }
    return 0;
}

QList<Message> clsDraft::takeMessages() {
    return std::exchange(m_messages, {});
}

void clsDraft::interpolate(const Decimal& tmd) {
    const auto& below = m_hdt[Below];
    const auto& above = m_hdt[Above];
    const Decimal factor = (tmd - number(below[0])) / (number(above[0]) - number(below[0]));
    m_values[int(DraftProperty::IpFactor)] = factor;
    for (int k = 0; k < 3; ++k) {
        const Decimal increment = (number(above[k + 1]) - number(below[k + 1])) * factor;
        m_ipResult[0][k] = increment;
        m_ipResult[1][k] = number(below[k + 1]) + increment;
    }

    const auto interpolateMctc = [&](const VariantGrid& table, const Decimal& draft,
                                     DraftProperty factorProperty, int k) {
        const Decimal mctcFactor =
            (draft - number(table[Below][0])) / (number(table[Above][0]) - number(table[Below][0]));
        m_values[int(factorProperty)] = mctcFactor;
        const Decimal increment = (number(table[Above][1]) - number(table[Below][1])) * mctcFactor;
        m_ipResult[0][k] = increment;
        m_ipResult[1][k] = number(table[Below][1]) + increment;
    };
    static const Decimal half = Decimal::fromText(u"0.5");
    interpolateMctc(m_mctcP50, tmd + half, DraftProperty::MCTCPlus50IpFactor, 3);
    interpolateMctc(m_mctcM50, tmd - half, DraftProperty::MCTCMinus50IpFactor, 4);
}

void clsDraft::correctDisplacement() {
    const Variant& displacement = m_ipResult[1][0];
    const Decimal trueTrim = number(NormalizeValue(get(DraftProperty::TrueTrim), -1, 0));
    const Decimal tpc = number(m_ipResult[1][1]);
    const Decimal lcf = number(m_ipResult[1][2]);
    const Decimal mctcPlus = number(m_ipResult[1][3]);
    const Decimal mctcMinus = number(m_ipResult[1][4]);

    m_finalResult[DisplacementAtTMD] = displacement;
    const Decimal lbp = number(m_ship->LBP());
    if (lbp.isZero())
        throw ProgramError::divisionByZero();
    const Decimal first = (trueTrim * (lcf * tpc) * Decimal(100)) / lbp;
    m_finalResult[FirstTrimCorrection] = first;
    const Decimal second = ((trueTrim * trueTrim) * (mctcPlus - mctcMinus) * Decimal(50)) / lbp;
    m_finalResult[SecondTrimCorrection] = second;
    const Decimal totalTrim = first + second;
    m_finalResult[TotalTrimCorrection] = totalTrim;
    m_finalResult[ListCorrection] = Variant(0);
    const Decimal evenKeel = totalTrim + displacement.toDecimal();
    m_finalResult[DisplacementAtEvenKeel] = evenKeel;
    const Decimal trueDisplacement =
        (evenKeel * number(get(DraftProperty::SpecificGravity))) / m_tableDensity;
    m_finalResult[TrueDisplacement] = trueDisplacement;
    m_finalResult[DensityCorrection] = trueDisplacement - evenKeel;
    m_finalResult[TotalDeductibles] = GetTotDeductibles();
    const Variant deductibles = get(DraftProperty::TotDeductibles);
    m_finalResult[NetDisplacementRow] =
        deductibles.isNull() ? Variant::null()
                             : Variant((trueDisplacement - number(deductibles)).rounded(5));
    m_finalResult[LightShipRow] = m_ship->LightShip();
}

void clsDraft::roundInterpolationResults() {
    for (int k = 0; k < 5; ++k)
        m_ipResult[0][k] = number(m_ipResult[0][k]).rounded(3);
    m_ipResult[1][0] = number(m_ipResult[1][0]).rounded(5);
    for (int k = 1; k < 5; ++k)
        m_ipResult[1][k] = number(m_ipResult[1][k]).rounded(3);
}

bool hasNetDisplacement(const clsDraft& draft) {
    const Variant net = draft.NetDisplacement();
    return net.isNumber() && !net.toDecimal().isZero();
}
