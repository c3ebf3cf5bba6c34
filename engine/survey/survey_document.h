#pragma once

#include <QMap>
#include <QString>
#include <optional>
#include <tuple>

// Which worksheet a survey belongs to.
enum class Worksheet { Loading, Discharging };

// One line of a printed hydrostatic table, as typed.
struct HydrostaticLine {
    QString draft, displacement, tpc, lcf;

    auto fields() const { return std::tie(draft, displacement, tpc, lcf); }
    friend bool operator==(const HydrostaticLine& a, const HydrostaticLine& b) {
        return a.fields() == b.fields();
    }
};

// The ship's table a draft's hydrostatic rows were taken from, kept with
// the survey so that it calculates the same after the table is changed.
struct TableUse {
    qint64 id = 0;
    QString source;
    // The water density the table is computed for.
    QString density;

    auto fields() const { return std::tie(id, source, density); }
    friend bool operator==(const TableUse& a, const TableUse& b) {
        return a.fields() == b.fields();
    }
};

// What the surveyor enters for one reading (the Initial or the Final draft).
// Every measured value is decimal text exactly as typed ("" when blank).
struct DraftEntry {
    QString date; // dd-MM-yyyy
    QString time; // HH:mm
    QString density;
    QString fwdPort, fwdStbd, midPort, midStbd, aftPort, aftStbd;
    QString fwdX, midX, aftX;
    HydrostaticLine below, above;
    // MCTC at the Below and Above drafts plus 0.5 m, and minus 0.5 m.
    QString mctcPlus50Below, mctcPlus50Above;
    QString mctcMinus50Below, mctcMinus50Above;
    // Quantity in tonnes by deductible item (DeductionMaster.ItemID).
    QMap<int, QString> deductions;
    QString comments;
    // Where the rows came from; nothing when they were typed.
    std::optional<TableUse> table;

    auto fields() const {
        return std::tie(date, time, density, fwdPort, fwdStbd, midPort, midStbd, aftPort, aftStbd,
                        fwdX, midX, aftX, below, above, mctcPlus50Below, mctcPlus50Above,
                        mctcMinus50Below, mctcMinus50Above, deductions, comments, table);
    }
    friend bool operator==(const DraftEntry& a, const DraftEntry& b) {
        return a.fields() == b.fields();
    }
};

// The ship's particulars when the survey carries them itself instead of
// naming a ship of the database.
struct ShipParticulars {
    QString name;
    QString lbp;
    QString lightShip;

    auto fields() const { return std::tie(name, lbp, lightShip); }
    friend bool operator==(const ShipParticulars& a, const ShipParticulars& b) {
        return a.fields() == b.fields();
    }
};

// Where and for whom the survey was made, who attended and in what
// conditions: what a report that may end in a claim has to record. Free
// text as typed; all blank in files written before it was kept.
struct SurveyParticulars {
    QString place; // port, berth or anchorage
    QString requestedBy;
    QString surveyorRole; // joint, umpire, for the owners, for the charterers
    QString attendedBy;   // master, chief officer, other surveyors
    QString weather, sea, swell;

    auto fields() const {
        return std::tie(place, requestedBy, surveyorRole, attendedBy, weather, sea, swell);
    }
    bool isBlank() const { return *this == SurveyParticulars(); }
    friend bool operator==(const SurveyParticulars& a, const SurveyParticulars& b) {
        return a.fields() == b.fields();
    }
};

// A whole survey: what one worksheet holds.
struct SurveyDocument {
    Worksheet worksheet = Worksheet::Loading;
    std::optional<int> shipID;                  // a ship of DS.dat, or
    std::optional<ShipParticulars> particulars; // the ship given inline
    QString port, voyage, cargo;
    QString billOfLadingQuantity; // discharging surveys
    DraftEntry initial, final;
    // A net displacement typed for the Initial draft on the Final tab
    // instead of the calculated one ("" when not typed).
    QString typedInitialNetDisplacement;
    SurveyParticulars surveyParticulars;

    auto fields() const {
        return std::tie(worksheet, shipID, particulars, port, voyage, cargo, billOfLadingQuantity,
                        initial, final, typedInitialNetDisplacement, surveyParticulars);
    }
    friend bool operator==(const SurveyDocument& a, const SurveyDocument& b) {
        return a.fields() == b.fields();
    }
};
