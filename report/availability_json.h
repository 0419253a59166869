#pragma once

#include <string>

#include "engine/path_geometry.h"
#include "report/json_writer.h"
#include "itur/availability.h"

namespace tropolink {

// One availability answer as one JSON object: "p617" and "p2001" (one object
// per percentage, with its "verdict"), "geometry", "availability" when a
// signal-to-noise was required, and "notes". Numbers as the shortest text
// that reads back to the same double; null where a method gives no figure.
// With the calculator's geometry, "geometry" also gives its scattering angle
// and effective earth radius, which differ from the methods' own.
void writeAvailability(JsonWriter& json, const itur::AvailabilityAnswer& answer,
                       const PathGeometry* calculator = nullptr);

// The same object as one line, '\n' included.
void appendAvailabilityLine(std::string& out, const itur::AvailabilityAnswer& answer,
                            const PathGeometry* calculator = nullptr);

// "valid", "outOfRange" or "lineOfSight", as --values names the legacy methods' verdicts.
std::string_view verdictText(itur::MethodVerdict verdict);

// "above 99.999", "below 0.001", "line of sight" or "out of range"; empty when a percentage was found.
std::string_view boundText(itur::AvailabilityBound bound);

}  // namespace tropolink
