#pragma once

#include "survey_document.h"

// Previews (blnShowPreview) or prints the survey a worksheet holds through
// the installed report printer. The survey is calculated again from what
// it holds, as calvane-survey report calculates a survey file, so that
// both print the same report. Every outcome is a message, a preview window
// or a printout.
void RPrint(const SurveyDocument& survey, bool blnShowPreview = true);
