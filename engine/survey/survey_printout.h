#pragma once

#include "survey_assessment.h"
#include "survey_calculation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A calculated survey written out for a person (figures rounded as the
// worksheet shows them) or as JSON (every figure at full precision, as
// decimal text), with what `assessment` says of its figures.
QString surveyAsText(const SurveyDocument& survey, const SurveyCalculation& calculation,
                     const QStringList& warnings, const SurveyAssessment& assessment = {});
QByteArray surveyAsJson(const SurveyDocument& survey, const SurveyCalculation& calculation,
                        const QStringList& warnings, const SurveyAssessment& assessment = {});
