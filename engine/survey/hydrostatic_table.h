#pragma once

#include "draft.h"
#include "message.h"
#include "survey_document.h"

#include <QList>
#include <QStringList>
#include <optional>

// The three hydrostatic grids of a worksheet as their cell texts, rows
// Below, Above, Difference: HDT columns draft, displacement, TPC, LCF,
// MCTC+50, MCTC-50; the MCTC tables draft and MCTC.
struct HydrostaticTexts {
    QList<QStringList> hdt{3, QStringList(6)};
    QList<QStringList> mctcPlus50{3, QStringList(2)};
    QList<QStringList> mctcMinus50{3, QStringList(2)};
};

// The grids as the worksheet holds them for one reading: the MCTC draft
// column follows the hydrostatic draft, 0.5 m up and down.
HydrostaticTexts hydrostaticTexts(const DraftEntry& entry);
// The MCTC table draft for a hydrostatic draft text ("" for blank, the text
// unchanged when it is no number).
QString mctcDraftText(const QString& hydrostaticDraft, bool plus);

// The three grids as the draft object takes them, rows and columns as in
// HydrostaticTexts: a number as its value, anything else as its text.
struct HydrostaticValues {
    VariantGrid hdt;
    VariantGrid mctcPlus50;
    VariantGrid mctcMinus50;
};

// Writes the Difference rows (Above - Below, unrounded): HDT draft,
// displacement, TPC and LCF, and both MCTC columns. Non-numeric text raises
// the type-mismatch error. Gives the grids as values, each cell read once.
HydrostaticValues fillDifferences(HydrostaticTexts& grids);

// The refusal "Invalid hydrostatic details...!" when a draft or
// displacement difference is zero: the line below and the line above would
// be the same line, and the interpolation divides by the draft difference.
// A zero TPC, LCF or MCTC difference is valid: printed tables often repeat
// them over adjacent centimetres.
std::optional<Message> unusableDifferences(const HydrostaticValues& grids);
