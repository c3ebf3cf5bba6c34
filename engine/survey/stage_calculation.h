#pragma once

#include "draft_correction.h"
#include "hydrostatic_table.h"
#include "message.h"
#include "stage_results.h"
#include "survey_document.h"

#include <QList>
#include <QString>
#include <optional>

class clsDraft;

// What one stage's calculation needs besides its draft.
struct StageRequest {
    Worksheet worksheet = Worksheet::Loading;
    Stage stage = Stage::Initial;
    DraftEntry entry;
    // The deductible items in the order the worksheet lists them.
    QList<int> deductionItems;
    Variant initialNet;      // the Initial draft's net displacement
    QString initialNetField; // the Final stage's initial net displacement box
    QString billOfLading;    // discharging
    // The constant and cargo as they stand before this stage.
    QString constantField;
    QString cargoField;
    // The total deductibles as last shown.
    QString totalDeductibles;
};

// Why a stage was not calculated: the message a worksheet shows (none
// when the draft's own messages say it) and the one line a command prints.
struct StageRefusal {
    std::optional<Message> message;
    QString reason;
};

// What one stage's calculation gives back.
struct StageOutcome {
    bool calculated = false;
    std::optional<StageRefusal> refusal;
    CorrectedDrafts corrected;
    HullDeflection deflection;
    // The grids with their Difference rows, also when refused for them.
    HydrostaticTexts grids;
    StageResults results;
    // The warnings after the results', in the order they are shown.
    QList<Message> warnings;
    // The constant and cargo once this stage is calculated.
    QString constantField;
    QString cargoField;
};

// Calculates one stage of a survey on its draft, exactly as Calculate on
// a worksheet's tab does: the hydrostatic differences and their check, the
// draft correction, the hand-over of the entry and its deductions to the
// draft, the draft's calculation, the stage results and the checks of what
// came out. Shows nothing. Raises ProgramError for text that is no number
// in the hydrostatic lines.
StageOutcome calculateStage(clsDraft& draft, const StageRequest& request);

// What a calculation error means for the surveyor: an overflow names the
// value of `entry` that is out of all proportion, when one is.
QString failureReason(const DraftEntry& entry, const ProgramError& error);
// A message's text on one line, for reasons and logs.
QString oneLine(const QString& messageText);
