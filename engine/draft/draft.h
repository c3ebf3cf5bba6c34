#pragma once

#include "errors.h"
#include "message.h"
#include "variant.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class RowSet;
class clsShip;

// A table of values addressed (row, column) from 0, as the hydrostatic rows,
// the interpolation results and the displacement results are held.
using VariantGrid = QList<QList<Variant>>;

// The draft's values that are read and set by name.
enum class DraftProperty {
    SpecificGravity,
    DSDate,
    DSTime,
    FwdPort,
    FwdStbd,
    MidPort,
    MidStbd,
    AftPort,
    AftStbd,
    FwdX,
    MidX,
    AftX,
    FwdMean,
    MidMean,
    AftMean,
    ApparentTrim,
    FwdCorrection,
    MidCorrection,
    AftCorrection,
    FwdTrueDraft,
    MidTrueDraft,
    AftTrueDraft,
    TrueTrim,
    TrueMeanDraft,
    LBM,
    TotDeductibles,
    Comments,
    IpFactor,
    MCTCPlus50IpFactor,
    MCTCMinus50IpFactor,
    IpFactorTPCP,
    IpValueTPCP,
    ResultantTPCP,
    IpFactorTPCS,
    IpValueTPCS,
    ResultantTPCS,
};

// Rows of the hydrostatic arrays.
enum HydrostaticRow { Below = 0, Above = 1, Difference = 2 };

// Elements of FinalResult.
enum FinalResultRow {
    DisplacementAtTMD = 0,
    FirstTrimCorrection = 1,
    SecondTrimCorrection = 2,
    TotalTrimCorrection = 3,
    ListCorrection = 4,
    DisplacementAtEvenKeel = 5,
    DensityCorrection = 6,
    TrueDisplacement = 7,
    TotalDeductibles = 8,
    NetDisplacementRow = 9,
    LightShipRow = 10,
};

// One stage of a survey (the Initial or the Final draft): its readings, its
// hydrostatic rows, its deductions and every result of its calculation.
// It owns its ship record (read through the shared connection, or given by
// its particulars) and its deductions, which live in memory only.
class clsDraft {
public:
    clsDraft();
    ~clsDraft();
    clsDraft(const clsDraft&) = delete;
    clsDraft& operator=(const clsDraft&) = delete;

    Variant get(DraftProperty property) const;
    // The readings, density, date, time and comments set ToSave when the
    // value really changes; the derived values are stored converted; the
    // interpolation factors and the TPC values cannot be set.
    void set(DraftProperty property, const Variant& value);

    short DraftType() const { return m_draftType; }
    void setDraftType(short intNewDraftType) { m_draftType = intNewDraftType; }
    short DraftMode() const { return m_draftMode; }
    void setDraftMode(const Variant& vNewDraftMode);
    bool ToSave() const { return m_toSave; }
    void setToSave(bool blnNewToSave) { m_toSave = blnNewToSave; }
    bool HasRecord() const { return m_hasRecord; }
    void setHasRecord(bool blnNewHasRecord) { m_hasRecord = blnNewHasRecord; }
    // Stores the key and loads the ship.
    void setShipID(const Variant& vNewShipID);
    int ShipID() const { return m_shipID; }
    // Takes the other draft's ship and key, without reading the register
    // again: both stages of a survey survey one ship.
    void shareShip(const clsDraft& other);
    // Takes a ship that is in no register; the key is then 0.
    void setShipParticulars(const QString& name, const Decimal& lbp, const Decimal& lightShip);
    const clsShip& ship() const { return *m_ship; }
    // The density hydrostatic tables are computed for unless they say
    // otherwise.
    static const Decimal& saltWater() {
        static const Decimal density = Decimal::fromText(u"1.025");
        return density;
    }
    // The water density the hydrostatic rows are for: the table's, where
    // they came from a table computed for another water; else salt water.
    void setTableDensity(const Decimal& density) { m_tableDensity = density; }
    const Decimal& tableDensity() const { return m_tableDensity; }

    // Below, Above and Difference rows: HDT (3 x 6: draft, displacement,
    // TPC, LCF, MCTC+50, MCTC-50) and the two MCTC tables (3 x 2: draft,
    // MCTC). Each element is stored converted (a blank becomes 0); an index
    // beyond the draft's array raises the subscript error, after the
    // elements before it were stored.
    VariantGrid HDT() const { return m_hdt; }
    void setHDT(const VariantGrid& vNewHDT);
    VariantGrid MCTCP50() const { return m_mctcP50; }
    void setMCTCP50(const VariantGrid& vNewMCTCP50);
    VariantGrid MCTCM50() const { return m_mctcM50; }
    void setMCTCM50(const VariantGrid& vNewMCTCM50);
    VariantGrid HDTListCorr() const { return m_hdtListCorr; }

    // (0, k) the increments, (1, k) the values: displacement, TPC, LCF,
    // MCTC at TMD + 0.5 m, MCTC at TMD - 0.5 m.
    VariantGrid IpResult() const { return m_ipResult; }
    QList<Variant> FinalResult() const { return m_finalResult; }
    Variant NetDisplacement() const { return m_finalResult[NetDisplacementRow]; }

    RowSet& Deductions() { return *m_deductions; }
    const RowSet& Deductions() const { return *m_deductions; }

    // Resets the draft to nothing entered (today's date and time from the
    // program's clock). The mark distances, LBM, deductibles total, MCTC
    // tables, ship and draft type are kept.
    void NewDraft();

    // Interpolates at the true mean draft and works out the displacement
    // corrections and the net displacement. Nothing happens for a blank or
    // zero true mean draft. Any error leaves the message "clsDraft::Calculate"
    // to take; results computed before it stay. Always 0.
    long Calculate(short intStartFrom = 0);
    // The error behind the message of the last Calculate, for callers that
    // must say what went wrong rather than where; empty when it had none.
    const std::optional<ProgramError>& lastFailure() const { return m_failure; }
    // The messages the window shows for what went wrong since they were
    // last taken; the draft shows nothing itself.
    QList<Message> takeMessages();

private:
    void InitDeductions();
    Variant GetTotDeductibles();
    void storeGrid(VariantGrid& target, const VariantGrid& source);
    void interpolate(const Decimal& trueMeanDraft);
    void correctDisplacement();
    void roundInterpolationResults();

    std::unique_ptr<clsShip> m_ship;
    std::unique_ptr<RowSet> m_deductions;
    QList<Variant> m_values;
    short m_draftType = 0;
    short m_draftMode = 0;
    bool m_toSave = false;
    bool m_hasRecord = false;
    int m_shipID = 0;
    VariantGrid m_hdt;
    VariantGrid m_hdtListCorr;
    VariantGrid m_mctcP50;
    VariantGrid m_mctcM50;
    VariantGrid m_ipResult;
    QList<Variant> m_finalResult;
    Decimal m_tableDensity = saltWater();
    std::optional<ProgramError> m_failure;
    QList<Message> m_messages;
};

// Whether Calculate has given the draft its net displacement.
bool hasNetDisplacement(const clsDraft& draft);
