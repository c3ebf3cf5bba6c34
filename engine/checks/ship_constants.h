#pragma once

#include "decimal.h"
#include "survey_document.h"

#include <QList>
#include <QString>

// A ship's constant from survey to survey, in the open register.

// Keeps the constant of `survey`, saved as `file`, in the ship's history
// when the survey names a ship of the open register and calculates to a
// constant. A register that cannot take it (read-only, damaged) keeps
// nothing: the survey is saved all the same.
void keepShipConstant(const SurveyDocument& survey, const QString& file);

// The constants of the ship's other surveys, oldest first; none when the
// survey names no ship of the open register.
QList<Decimal> earlierShipConstants(const SurveyDocument& survey, const QString& file);
