#pragma once

#include <optional>
#include <string_view>

namespace tropolink {

// How a VALUE text reads as a slider position.
enum class DecimalStatus {
    Ok,
    NotANumber,  // not a plain decimal: no exponent, no hex, no blanks, no "inf"
    OffGrid,     // more decimals than the slider resolves, e.g. 0.05 dB on a 0.1 dB slider
};

struct DecimalPosition {
    DecimalStatus status = DecimalStatus::NotANumber;
    long long position = 0;  // exact; saturates far beyond any slider's range
};

// Reads a plain decimal ("12", "+0.5", ".5", "3.", "-0", "1.000") exactly, as a
// count of 1/positionsPerUnit steps: "0.3" with 10 positions per unit is 3.
// positionsPerUnit is a power of ten. Trailing zeros never put a value off the
// grid, so "1.0" is 1 on a whole-number slider.
DecimalPosition decimalToPosition(std::string_view text, int positionsPerUnit);

// The sign of a - b (-1, 0 or 1) for two plain decimals compared exactly, at any
// length ("-0" equals "0", "99.9999999999999999999" is below "100"); none when
// either is not a plain decimal.
std::optional<int> compareDecimals(std::string_view a, std::string_view b);

}  // namespace tropolink
