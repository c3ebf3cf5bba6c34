#pragma once

#include "decimal.h"

// Functions the plausibility checks and the cargo's uncertainty need of an
// exact decimal, worked out in decimal arithmetic alone.

// The square root of a number not below 0, to the places a Decimal holds
// (Newton's iteration). Raises the invalid-argument error for a negative.
Decimal squareRoot(const Decimal& value);

// The angle in degrees whose tangent is `ratio`.
Decimal arcTangentDegrees(const Decimal& ratio);

// `value` rounded to `decimals` places with a comma between thousands:
// "88,759.7". Trailing zeros are kept to the places asked for.
QString groupedText(const Decimal& value, int decimals);
