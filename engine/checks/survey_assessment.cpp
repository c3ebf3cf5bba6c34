#include "survey_assessment.h"

#include "draft.h"
#include "survey_calculation.h"

SurveyAssessment assessSurvey(const SurveyDocument& survey, const SurveyCalculation& calculation,
                              const QList<Decimal>& previousConstants, const SurveyLimits& limits) {
    SurveyAssessment assessment;
    const SurveyFigures figures = surveyFigures(calculation);
    assessment.warnings =
        surveyWarnings(survey, shipFacts(calculation.draft(Stage::Initial).ship()), figures,
                       previousConstants, limits);
    if (!figures.cargo)
        return assessment;
    SurveyCalculation again(calculation, survey);
    const CargoOf cargoOf = [&again](const SurveyDocument& changed) -> std::optional<Decimal> {
        again.restart(changed);
        if (!again.run().isEmpty())
            return std::nullopt;
        return Decimal::tryParse(again.cargoField());
    };
    assessment.uncertainty = cargoUncertainty(survey, cargoOf, limits, deductionItemNames());
    return assessment;
}
