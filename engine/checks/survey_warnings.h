#pragma once

#include "decimal.h"
#include "stage_results.h"
#include "survey_document.h"
#include "survey_limits.h"

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class SurveyCalculation;
class clsShip;

// A reading or a result that looks wrong. It never stops a survey nor
// changes a figure: it says what to look at again.
struct SurveyWarning {
    QString code; // stable: "list", "trim-by-head", "hull-twist"...
    std::optional<Stage> stage;
    QString text;
    // The figures behind it, by name, as printed.
    QList<QPair<QString, QString>> figures;
};

// What the checks need of the ship; a particular it lacks skips its check.
struct ShipFacts {
    std::optional<Decimal> lbp, breadth, lightShip, summerDraft, summerDeadweight;
};
ShipFacts shipFacts(const clsShip& ship);

// What a stage's calculation gave, when it did.
struct StageFigures {
    std::optional<Decimal> trueMeanDraft, trueDisplacement;
};

// What the survey's calculation gave so far.
struct SurveyFigures {
    StageFigures stages[2];
    std::optional<Decimal> constant, cargo;
};
SurveyFigures surveyFigures(const SurveyCalculation& calculation);

// Every warning the survey gives, in a fixed order: the readings of the
// Initial and then the Final draft, then the results. A check runs as soon
// as what it needs is typed or calculated. `previousConstants` are this
// ship's constants from earlier surveys.
QList<SurveyWarning> surveyWarnings(const SurveyDocument& survey, const ShipFacts& ship,
                                    const SurveyFigures& figures,
                                    const QList<Decimal>& previousConstants,
                                    const SurveyLimits& limits);

// "Initial draft: ..." on one line, for lists and logs.
QString warningLine(const SurveyWarning& warning);
