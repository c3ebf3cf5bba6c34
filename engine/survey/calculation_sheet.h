#pragma once

#include "survey_assessment.h"
#include "survey_calculation.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One line of the calculation sheet: what a figure is, and how it was
// reached, with the numbers put into its formula, so that another surveyor
// can check it by hand.
struct SheetLine {
    enum class Kind { Heading, Figure, Note };
    Kind kind = Kind::Figure;
    QString label;
    // "formula = numbers = result"; for a note, its text.
    QString working;
};

// A part of the sheet that begins on a page of its own.
struct SheetPart {
    QString title;
    QList<SheetLine> lines;
};

// Every step from the readings to the cargo, at the precision the
// calculation keeps: a part for each calculated draft, then one with the
// survey's particulars, the constant, the cargo, the warnings and the notes.
struct CalculationSheet {
    QList<SheetPart> parts;
    bool isEmpty() const { return parts.isEmpty(); }
};

// Built from the figures the calculation kept, never worked out again.
// `deductionNames` names the deductible items by ItemID.
CalculationSheet calculationSheet(const SurveyDocument& survey,
                                  const SurveyCalculation& calculation, const QStringList& warnings,
                                  const SurveyAssessment& assessment,
                                  const QMap<int, QString>& deductionNames);
