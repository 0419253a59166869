#pragma once

#include <string>

#include "grammar/decimal.h"

namespace tropolink {

// A number as a VALUE text: the fewest digits that read back to it, as a
// plain decimal without exponent ("0.00001", "300", "-2.5"); "nan", "inf" or
// "-inf" when it is not finite, which no slider accepts.
std::string plainDecimal(double value);

// The slider position a number gives, exactly as decimalToPosition reads its
// plainDecimal text: 0.3 with 10 positions per unit is 3, 0.35 is off the grid.
DecimalPosition numberToPosition(double value, int positionsPerUnit);

}  // namespace tropolink
