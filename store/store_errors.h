#pragma once

#include "errors.h"

// The store's own failures, worded as the surveyors' earlier tools worded
// them. Both carry the store-failure number.
ProgramError objectClosedError();
ProgramError unknownColumnError();
