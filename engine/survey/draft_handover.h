#pragma once

#include "draft_correction.h"
#include "message.h"
#include "survey_document.h"

#include <QList>
#include <QString>
#include <optional>

class clsDraft;
class RowSet;

// The readings and mark distances of an entry, as the draft correction
// takes them.
DraftReadingTexts readingTexts(const DraftEntry& entry);

// Copies what the worksheet holds for one reading into its draft object:
// the typed texts, the means, corrections and true drafts as shown, the
// full-precision true mean draft, the true trim as shown (3 places) and the
// length between marks. Both worksheets hand over the means, so that the
// report prints them.
// `totalDeductibles` is what the results grid shows as total deductibles.
void saveDraftEntry(clsDraft& draft, const DraftEntry& entry, const CorrectedDrafts& corrected,
                    const QString& totalDeductibles);

// Keeps one row per deductible item in the draft's deductions, found by
// ItemID (a blank quantity is 0). `itemIDs` are the items in the order the
// worksheet lists them.
void saveDeductions(RowSet& deductions, const QList<int>& itemIDs,
                    const QMap<int, QString>& quantities);

// What the Calculate command needs before it calculates, in two halves:
// the fields ("Incomplete data." and what to enter) and the blank cells of
// the hydrostatic grids (row 1 Below, 2 Above; column as the worksheet's
// grid numbers it). Each gives the first missing input, where it is (the
// field's objectName) with the message the window shows for it; nothing
// when complete.
struct MissingInput {
    QString field;
    Message message;
};
std::optional<MissingInput> firstMissingField(const SurveyDocument& survey,
                                              const DraftEntry& entry);
struct BlankCell {
    QString editor;
    int row = 0;
    int column = 0;
};
struct MissingCell {
    BlankCell cell;
    Message message;
};
std::optional<MissingCell> firstBlankCell(const DraftEntry& entry);
