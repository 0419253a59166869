#pragma once

#include "grammar/option_ranges.h"

namespace tropolink {

// [requirement].availability-percent: the share of the year the link must
// reach the required signal-to-noise.
inline constexpr NumberOption kRequiredAvailabilityOption{.name = "availability-percent",
                                                          .valueName = "P",
                                                          .meaning = "share of the year the S/N must be met",
                                                          .unit = "%",
                                                          .minimum = "0",
                                                          .maximum = "100",
                                                          .boundsExcluded = true,
                                                          .defaultValue = "99.9"};

}  // namespace tropolink
