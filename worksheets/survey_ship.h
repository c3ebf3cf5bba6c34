#pragma once

#include "survey_document.h"

#include <optional>

// The ship of the register a survey read from a file is shown on. A ship
// the file names by its key must still be there with the particulars the
// file keeps; a ship the file gives only by its particulars is found by
// them. Where the register has no such ship, or other particulars, the user
// is told and chooses; nothing when the survey is not to be opened. Raises
// ProgramError when the register cannot be read or written.
std::optional<int> shipForSurvey(const SurveyDocument& survey);
