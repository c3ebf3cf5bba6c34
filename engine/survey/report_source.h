#pragma once

#include "calculation_sheet.h"
#include "draft.h"
#include "survey_document.h"

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

// The ship block of a survey report, as the report prints it.
struct ReportShip {
    QString name, callSign, flag;
    QString grossTonnage, netTonnage, officialNo;
    QString portOfRegistry; // "PortName, Country"
    // Decimal texts as stored.
    QString summerDraft, summerDeadweight, loa, breadth, lightShip;
};

// The texts typed on the worksheet that the report prints as they are.
struct ReportTexts {
    QString fwdX, midX, lbp, aftX, voyage, cargo;
};

// One deduction row of a draft, in the draft's order.
struct ReportDeduction {
    Variant itemID;
    Variant quantity;
};

// What one column of the report is filled from: a draft's values as
// stored, taken when the report is made so that the report does not hold
// on to the worksheet's draft.
struct ReportColumn {
    QMap<DraftProperty, Variant> values;
    QList<ReportDeduction> deductions;
    QList<Variant> finalResult;
    // The interpolated values: displacement, TPC, LCF, MCTC +50, MCTC -50.
    QList<Variant> interpolated;
    // Where the hydrostatic rows came from, when a ship's table gave them.
    QString hydrostaticsSource;

    Variant value(DraftProperty property) const { return values.value(property); }
    static ReportColumn from(const clsDraft& draft);
};

// What a survey report is filled from: the worksheet's texts, its ship and
// the drafts whose columns are to be filled. A column left out keeps its
// design captions.
struct ReportSource {
    Worksheet worksheet = Worksheet::Loading;
    ReportShip ship;
    QString port; // "PortName, Country" of the chosen port
    ReportTexts texts;
    // The INITIAL column; on a loading survey also the constant.
    std::optional<ReportColumn> initial;
    // The FINAL column and the cargo; on a discharging survey also the
    // constant.
    std::optional<ReportColumn> final;
    // The initial net displacement box of the Final tab (txtFnlGrdTxtBox).
    QString initialNetDisplacement;
    // "± 249 t (±0.33 %, 95 %)" beside the cargo; blank without a cargo.
    QString cargoUncertainty;
    // Every step of the calculation, printed after the page.
    CalculationSheet sheet;
};
