#pragma once

#include "decimal.h"

// The quotient worked out in 512-bit integers: right for every operand, and
// what the division operator falls back on when machine integers do not
// suffice. The operator must agree with it everywhere.
Decimal wideQuotient(const Decimal& a, const Decimal& b);
