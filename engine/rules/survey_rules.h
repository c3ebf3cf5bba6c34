#pragma once

#include "survey_document.h"

#include <QString>

// Puts a survey read from a file through the worksheet's field rules: every
// value the worksheet would refuse is refused, every accepted value is
// rounded as the worksheet rounds it on leaving the field (and, for a grid
// cell, on committing it). Returns "" when all passed, else the first
// refused field's path and the worksheet's message on one line
// ("initial.readings.fwdPort: Invalid value for ...").
QString applyFieldRules(SurveyDocument& survey);
