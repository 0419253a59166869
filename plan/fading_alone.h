#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "itur/fading_figures.h"
#include "itur/method_names.h"

// Without [diversity] the verdict compares the hourly median with the
// requirement; this is what fading within the hour would make of it with
// one receiver, told in notes beside the verdict, which stays as it is.
namespace tropolink {

struct PlanResult;

// One method's figures with fading and one receiver.
struct OneReceiverFading {
    itur::ItuMethod method = itur::ItuMethod::P617;
    std::array<itur::StationFading, 2> stations{};  // receiving station 1, then 2
    // The median margin one receiver needs for the required availability, dB.
    double marginNeededDb = 0;
    bool met = false;  // at both stations
};

struct FadingAlone {
    std::vector<OneReceiverFading> methods;  // those that give a figure, in the verdicts' order
    // The verdict's method with one receiver; none where that method gives no figure with fading.
    std::optional<bool> verdictMet;
    std::vector<std::string> notes;  // one line each, after the plan's notes
};

// None with [diversity] (the verdict then holds fading) or without a required S/N.
std::optional<FadingAlone> fadingAlone(const PlanResult& r);

}  // namespace tropolink
