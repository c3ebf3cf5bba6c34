#pragma once

#include "survey_document.h"

#include <QString>

class clsDraft;

// The ship block of a survey report, as the report prints it.
struct ReportShip {
    QString name, callSign, flag;
    QString grossTonnage, netTonnage, officialNo;
    QString portOfRegistry; // "PortName, Country"
    // Decimal texts as stored.
    QString summerDraft, summerDeadweight, loa, breadth, lightShip;
};

// What a survey report is filled from: the worksheet's texts, its ship and
// the drafts whose columns are to be filled. A column whose draft is left
// out keeps its design captions.
struct ReportSource {
    Worksheet worksheet = Worksheet::Loading;
    ReportShip ship;
    QString port; // "PortName, Country" of the chosen port
    QString fwdX, midX, lbp, aftX, voyage, cargo;
    // The INITIAL column; on a loading survey also the constant.
    const clsDraft* initial = nullptr;
    // The FINAL column and the cargo; on a discharging survey also the
    // constant.
    const clsDraft* final = nullptr;
    // The initial net displacement box of the Final tab (txtFnlGrdTxtBox).
    QString initialNetDisplacement;
};
