#pragma once

#include "draft_correction.h"
#include "stage_results.h"
#include "survey_document.h"

class clsDraft;

// The results grid's last rows: the stage's lines after the deductibles.
enum ResultGridRow { NetRow = 9, ReferenceRow = 10, OutcomeRow = 11 };

namespace Ui {
class SurveyWorksheet;
}

// The boxes and result grids of the draft a worksheet shows: what is typed
// (readings, marks, density, date, time, comments) and what came out (the
// corrected drafts, the interpolation, the displacement corrections and the
// stage results). The input grids are DraftGrids'.
class DraftView {
public:
    DraftView(Worksheet kind, Ui::SurveyWorksheet& form) : m_kind(kind), m_form(form) {}

    // The boxes' part of the entry shown.
    void readInto(DraftEntry& entry) const;
    void show(const DraftEntry& entry);
    // What the draft object holds of what was typed.
    void showTyped(const clsDraft& draft);
    void showCorrected(const CorrectedDrafts& drafts);
    void showDeflection(const HullDeflection& deflection);
    // The interpolation and the displacement corrections of the draft.
    void showCalculated(const clsDraft& draft);
    void showStageResults(const StageResults& results);
    // The result grids' rows for the stage shown.
    void layOutResults(Stage stage);

private:
    const Worksheet m_kind;
    Ui::SurveyWorksheet& m_form;
};
