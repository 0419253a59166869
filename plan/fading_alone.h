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

// One receiving station with fading and one receiver.
struct OneReceiverStation {
    itur::StationFading fading;
    double marginNeededDb = 0;  // the median margin the required availability needs
};

// One method's figures. A station has none where the fading model does not
// apply: the complete P.2001 where another mechanism than troposcatter decides.
struct OneReceiverFading {
    itur::ItuMethod method = itur::ItuMethod::P617;
    std::array<std::optional<OneReceiverStation>, 2> stations;  // receiving station 1, then 2
    bool met = false;  // with fading where it applies, on the hourly median elsewhere
};

struct FadingAlone {
    std::vector<OneReceiverFading> methods;  // those with a figure at a station, in the verdicts' order
    // The verdict's method with one receiver; none where the model applies to none of its stations.
    std::optional<bool> verdictMet;
    std::vector<std::string> notes;  // one line each, after the plan's notes
};

// None with [diversity] (the verdict then holds fading) or without a required S/N.
std::optional<FadingAlone> fadingAlone(const PlanResult& r);

// Where the complete P.2001 ran with a requirement and another mechanism
// than troposcatter decides its loss at the required percentage: one line
// per receiving station saying that the fading model does not apply there.
std::vector<std::string> fadingDoesNotApplyNotes(const PlanResult& r);

}  // namespace tropolink
