#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tropolink {

// The step of an option that takes any plain decimal in its range.
inline constexpr int kAnyDecimals = -1;

// A numeric command-line option. Its VALUE is a plain decimal (decimal.h),
// held against the bounds exactly as written, never after rounding to a
// double. Validation, its refusals and --help all read these fields.
struct NumberOption {
    std::string_view name{};       // "--delta-n"
    std::string_view valueName{};  // "DN", as --help shows it
    std::string_view meaning{};    // "refractivity lapse rate"
    std::string_view unit{};       // after the range, may be empty
    std::string_view minimum{};    // plain decimals
    std::string_view maximum{};
    bool boundsExcluded = false;      // strictly between the bounds
    int decimals = kAnyDecimals;      // the step is 10^-decimals, 0 for whole numbers
    std::string_view defaultValue{};  // empty when there is none
};

inline constexpr NumberOption kPercentOption{.name = "--percent",
                                             .valueName = "P",
                                             .meaning = "% of the year",
                                             .minimum = "0",
                                             .maximum = "100",
                                             .boundsExcluded = true,
                                             .defaultValue = "50 90 99 99.9 99.99"};
inline constexpr NumberOption kDeltaNOption{.name = "--delta-n",
                                            .valueName = "DN",
                                            .meaning = "refractivity lapse rate",
                                            .unit = "N-units/km",
                                            .minimum = "20",
                                            .maximum = "80",
                                            .defaultValue = "40"};
inline constexpr NumberOption kStepOption{.name = "--step-m",
                                          .valueName = "M",
                                          .meaning = "spacing of the profile's points along the path",
                                          .unit = "m",
                                          .minimum = "1",
                                          .maximum = "10000"};
// A measured quantity, not a slider position: any decimal in its range.
inline constexpr NumberOption kN0Option{.name = "--n0",
                                        .valueName = "N0",
                                        .meaning = "sea-level refractivity for P.617",
                                        .unit = "N-units",
                                        .minimum = "250",
                                        .maximum = "450"};
inline constexpr NumberOption kGroundHeightOption{.name = "--ground-height-km",
                                                  .valueName = "HS",
                                                  .meaning = "ground under the common volume above sea level",
                                                  .unit = "km",
                                                  .minimum = "0",
                                                  .maximum = "5",
                                                  .decimals = 3,
                                                  .defaultValue = "0"};
inline constexpr NumberOption kClimateZoneOption{.name = "--climate-zone",
                                                 .valueName = "Z",
                                                 .meaning = "climate zone",
                                                 .minimum = "1",
                                                 .maximum = "7",
                                                 .decimals = 0,
                                                 .defaultValue = "6"};
inline constexpr NumberOption kRequiredSnrOption{.name = "--required-snr",
                                                 .valueName = "DB",
                                                 .meaning = "signal-to-noise a receiver needs",
                                                 .unit = "dB",
                                                 .minimum = "-50",
                                                 .maximum = "100"};
// Dual diversity only; the order and the combiner are words, read in link/.
inline constexpr NumberOption kBranchCorrelationOption{.name = "--branch-correlation",
                                                       .valueName = "R",
                                                       .meaning = "power correlation of the two branches of dual diversity",
                                                       .minimum = "0",
                                                       .maximum = "0.99",
                                                       .defaultValue = "0"};
inline constexpr NumberOption kMast1Option{.name = "--s1-mast-m",
                                           .valueName = "M",
                                           .meaning = "antenna 1 above its ground",
                                           .unit = "m",
                                           .minimum = "0",
                                           .maximum = "10000",
                                           .defaultValue = "10"};
inline constexpr NumberOption kMast2Option{.name = "--s2-mast-m",
                                           .valueName = "M",
                                           .meaning = "antenna 2 above its ground",
                                           .unit = "m",
                                           .minimum = "0",
                                           .maximum = "10000",
                                           .defaultValue = "10"};
inline constexpr NumberOption kJobsOption{.name = "--jobs",
                                          .valueName = "N",
                                          .meaning = "workers for --batch",
                                          .minimum = "1",
                                          .maximum = "256",
                                          .decimals = 0,
                                          .defaultValue = "one per online processor"};

inline constexpr std::array<const NumberOption*, 9> kNumberOptions{
    &kPercentOption,     &kDeltaNOption, &kGroundHeightOption, &kClimateZoneOption,
    &kRequiredSnrOption, &kBranchCorrelationOption, &kMast1Option, &kMast2Option, &kJobsOption};

// What the option allows, as its refusals and --help say it, e.g.
// "20 to 80 N-units/km in steps of 0.1" or "a whole number from 1 to 7".
std::string allowedValues(const NumberOption& option);

// The option's --help line: "refractivity lapse rate, 20 to 80 N-units/km in steps of 0.1 (default 40)".
std::string optionHelp(const NumberOption& option);

// The value of `text` as the nearest double. Throws InputError naming the
// option and the text: not a plain decimal, between two steps, out of range,
// or inside the range but rounding onto an excluded bound ("too close to 100
// to compute").
double readNumberOption(const NumberOption& option, std::string_view text);

}  // namespace tropolink
