#pragma once

#include "cargo_uncertainty.h"
#include "survey_limits.h"
#include "survey_warnings.h"

#include <QList>
#include <optional>

class SurveyCalculation;

// What a survey's figures are worth: the warnings of its readings and
// results, and the cargo's uncertainty when it gives a cargo.
struct SurveyAssessment {
    QList<SurveyWarning> warnings;
    std::optional<CargoUncertainty> uncertainty;
};

// Assesses `survey` as `calculation` calculated it (so far as it went),
// calculating it again with each input off by its uncertainty.
// `previousConstants` are the ship's constants of earlier surveys.
SurveyAssessment assessSurvey(const SurveyDocument& survey, const SurveyCalculation& calculation,
                              const QList<Decimal>& previousConstants, const SurveyLimits& limits);
