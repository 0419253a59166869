#pragma once

#include <optional>
#include <string>
#include <vector>

#include "itur/availability.h"
#include "report/json_writer.h"

// Fading within the hour beside the hourly-median-only figures: the same
// words in the availability table, the plans' text and their JSON.
namespace tropolink {

// "one receiver", "dual selection", "quadruple maximal-ratio".
std::string diversityName(const itur::Diversity& diversity);

// The name with its branch correlation when there is one:
// "dual selection, branch correlation 0.5".
std::string diversityDescription(const itur::Diversity& diversity);

// The fading section of the availability table; nothing unless the answer
// was asked for fading.
void appendFadingTable(std::string& out, const itur::AvailabilityAnswer& answer, std::optional<double> requiredSnrDb);

// "fading": the diversity asked for and each method's figures (null where
// the method gives none); nothing unless the answer was asked for fading.
void writeFading(JsonWriter& json, const itur::AvailabilityAnswer& answer);

// Where holding L(p) beyond a method's percentages decides a figure.
std::vector<std::string> fadingNotes(const itur::AvailabilityAnswer& answer);

}  // namespace tropolink
