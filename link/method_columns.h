#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "engine/recalculate.h"

namespace tropolink {

// What a method's path-loss box shows: its number, its "out of range" word,
// or "Line of Sight".
enum class ColumnVerdict { Valid, OutOfRange, LineOfSight };

// How --values names a verdict: "valid", "outOfRange", "lineOfSight".
std::string_view verdictName(ColumnVerdict verdict);

// One method column of the window at full precision.
struct MethodColumn {
    ColumnVerdict verdict = ColumnVerdict::Valid;
    std::optional<double> loss;          // dB, none when the method gives none
    std::optional<double> couplingLoss;  // dB, Yeh and CCIR only
    std::optional<double> atStation1;    // signal-to-noise, dB; none where the box shows "No Data"
    std::optional<double> atStation2;

    // The loss the path-loss box shows as a number; none where it shows a word.
    std::optional<double> shownLoss() const { return verdict == ColumnVerdict::Valid ? loss : std::nullopt; }
};

using MethodColumns = std::array<MethodColumn, kMethodCount>;

// The five columns in the window's order: Yeh, ITT, CCIR, Collins, Rider.
MethodColumns methodColumns(const PassValues& values);

// Lower-case method names for member and column names, in the same order.
inline constexpr std::array<std::string_view, kMethodCount> kMethodKeys{"yeh", "itt", "ccir", "collins", "rider"};

}  // namespace tropolink
