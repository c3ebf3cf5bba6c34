#pragma once

#include "ship_table.h"
#include "survey_document.h"

#include <QString>
#include <optional>

// The hydrostatic rows a survey takes from a ship's table at its true mean
// draft: the two rows that bracket it (an exact hit still gives two rows),
// and the MCTC read 0.5 m above and below each of their drafts.
struct ChosenRows {
    TableRow below, above;
    // At the drafts of Below and Above plus 0.5 m, and minus 0.5 m.
    Decimal mctcPlus50Below, mctcPlus50Above, mctcMinus50Below, mctcMinus50Above;
    bool hasMctc = false;
};

// What the table gives at `trueMeanDraft`, and what is to be said of it:
// why it gives no rows, or why it gives no MCTC. A draft outside the table
// is never extrapolated or clamped.
struct TableChoice {
    std::optional<ChosenRows> rows;
    QString said;
};
TableChoice chooseRows(const ShipTable& table, const Decimal& trueMeanDraft);

// A column's figure at `draft`, straight between the rows round it, to
// `decimals` places; nothing outside the table or where a figure is
// missing.
std::optional<Decimal> figureAt(const ShipTable& table, TableColumn column, const Decimal& draft,
                                int decimals);

// What a table gives of a draft's hydrostatic grids, as the cells show it:
// each figure to its field's places, "" for one the table does not give.
struct TableFill {
    HydrostaticLine below, above;
    QString mctcPlus50Below, mctcPlus50Above, mctcMinus50Below, mctcMinus50Above;
};
// The cells of `choice`; nothing when it gives no rows.
std::optional<TableFill> tableFill(const TableChoice& choice);

// What a survey keeps of the table its rows came from.
TableUse tableUse(const ShipTable& table);

// Whether the entry gives none of the hydrostatic rows and MCTC figures, so
// that a ship's table may give them.
bool hydrostaticsBlank(const DraftEntry& entry);
// Whether all six draft readings are typed.
bool readingsTaken(const DraftEntry& entry);
// The entry with the rows and MCTC figures the table gives at the true mean
// draft its readings give; `said` why not when the table falls short.
// Raises ProgramError when the readings or marks are no numbers.
bool takeRowsFromTable(DraftEntry& entry, const ShipTable& table, const Decimal& lbp,
                       QString& said);
