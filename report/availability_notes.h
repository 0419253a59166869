#pragma once

#include <string>
#include <vector>

#include "itur/availability.h"

namespace tropolink {

// Plain-ASCII sentences for the reader of an availability answer: why a
// method gives no figure, and where the methods' figures mislead.
std::vector<std::string> availabilityNotes(const itur::AvailabilityAnswer& answer);

// Why `method` gives no figure on a path outside its domain, in one sentence.
std::string outOfRangeNote(itur::ItuMethod method, itur::OutOfRangeReason reason, const itur::AvailabilityAnswer& a);

// Below this percentage ducting and layer reflection decide the loss.
inline constexpr double kScatterOnlyPercent = 10;

}  // namespace tropolink
