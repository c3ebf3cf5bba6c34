#pragma once

#include "decimal.h"
#include "variant.h"

#include <QString>

// The nine texts of a reading as typed: the six marks and the three mark
// distances (forward from the forward perpendicular, midships from
// amidships, aft from the aft perpendicular; positive when the marks lie
// forward of that point).
struct DraftReadingTexts {
    QString fwdPort, fwdStbd, midPort, midStbd, aftPort, aftStbd;
    QString fwdX, midX, aftX;
};

// Everything the draft correction gives: full-precision working values and
// the texts the worksheet shows.
struct CorrectedDrafts {
    Decimal fwdMean, midMean, aftMean;
    Decimal apparentTrim;
    Decimal lengthBetweenMarks;
    Decimal fwdCorrection, midCorrection, aftCorrection;
    Decimal fwdTrueDraft, midTrueDraft, aftTrueDraft;
    Decimal trueTrim;
    Decimal trueMeanDraft;

    QString txtFwdMean, txtMidshipMean, txtAftMean;                   // 3 places
    QString txtApparentTrim;                                          // 3 places
    QString txtLBM;                                                   // unrounded
    QString txtFwdCorrection, txtMidshipCorrection, txtAftCorrection; // 3 places
    QString txtFwdTrueDraft, txtMidshipTrueDraft, txtAftTrueDraft;    // 3 places
    QString txtTrueTrim;                                              // 3 places
    QString txtTrueMeanDraft;                                         // 8 places
};

// Corrects the readings to the perpendiculars and amidships. A blank text
// counts as 0; a text that is not a number raises the type-mismatch error,
// and a length between marks of 0 the division-by-zero error, both to the
// caller.
CorrectedDrafts CorrectDrafts(const DraftReadingTexts& readings, const Variant& lbp);

// Hull deflection from the working means, in centimetres: positive is sag
// (midships deeper than the mean of the ends), negative is hog.
struct HullDeflection {
    QString caption; // "Sag", "Hog" or "" (no caption shown)
    QString text;    // the absolute deflection
};
HullDeflection hullDeflection(const CorrectedDrafts& drafts);
