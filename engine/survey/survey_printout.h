#pragma once

#include "survey_assessment.h"
#include "survey_calculation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The figures the worksheet shows in its survey fields, label and text, once
// both stages are calculated.
QList<QPair<QString, QString>> surveyResults(const SurveyDocument& survey,
                                             const SurveyCalculation& calculation);
// What the results still wait for.
QStringList surveyNotes(const SurveyCalculation& calculation);

// A calculated survey written out for a person (figures rounded as the
// worksheet shows them) or as JSON (every figure at full precision, as
// decimal text), with what `assessment` says of its figures.
QString surveyAsText(const SurveyDocument& survey, const SurveyCalculation& calculation,
                     const QStringList& warnings, const SurveyAssessment& assessment = {});
QByteArray surveyAsJson(const SurveyDocument& survey, const SurveyCalculation& calculation,
                        const QStringList& warnings, const SurveyAssessment& assessment = {});
