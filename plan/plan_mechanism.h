#pragma once

#include <optional>
#include <string>
#include <vector>

#include "itur/availability.h"
#include "itur/method_names.h"
#include "link/p2001_map_value.h"
#include "p2001/combination.h"

// The complete P.2001 in a plan: both directions, the four sub-models at the
// plan's percentages and over the year, which of them carries the signal,
// and the availability it gives; or why it did not run.
namespace tropolink {

// Two sub-models closer than this are both named as deciding Lb, dB.
inline constexpr double kMechanismTieDb = 3;

// The sub-model with the smallest loss, and the second smallest when it lies
// within kMechanismTieDb of it (a difference of exactly kMechanismTieDb counts).
struct DecidingMechanisms {
    p2001::Mechanism first = p2001::Mechanism::Troposcatter;
    std::optional<p2001::Mechanism> second;
};

DecidingMechanisms decidingMechanisms(const p2001::SubModelLosses& m);

// "troposcatter", or "troposcatter and ducting and layer reflection".
std::string decidingMechanismsText(const DecidingMechanisms& d);

// The method's losses at one percentage of the year.
struct MechanismLosses {
    double percent = 0;
    double lbDb = 0;
    p2001::SubModelLosses subModels;
    DecidingMechanisms deciding;
};

// One direction: reception at `receivingStation`, the other station
// transmitting, with that direction's own map look-ups and rows.
struct MechanismStation {
    int receivingStation = 2;  // 2: station 1 transmits, the method's own order
    std::vector<MechanismLosses> atPercents;  // at the plan's percentages
    std::vector<MechanismLosses> overYear;    // at yearCurvePercents()
    std::optional<MechanismLosses> atRequired;  // at the required availability, with a requirement
    // With a requirement: the largest p at which the S/N still meets it.
    std::optional<itur::StationAvailability> availability;
    // Fading within the hour, when asked for and troposcatter decides Lb at
    // the required percentage (elsewhere its Rayleigh model does not apply):
    // the availabilities over this direction's own L(p), and the median
    // margins the required availability needs.
    std::optional<itur::StationFading> fading;
    std::optional<itur::RequiredMargins> fadingMargins;
    std::vector<P2001MapValue> mapValues;  // in the method's order, each with where it was read
    std::vector<std::string> notes;        // the method's notes, and where Lb fell as p rose
};

// Why the complete method did not run on a plan.
enum class MechanismSkip {
    None,     // it ran
    NoSites,  // the maps need the ends' coordinates
    NoMaps,   // not all 14 maps are installed
    Refused,  // the path lies outside the method's domain
};

// Which of the troposcatter methods' climate values are defaults, not a map's or the user's.
struct ClimateDefaults {
    bool n0 = false;
    bool deltaN = false;
    bool climateZone = false;
    bool any() const { return n0 || deltaN || climateZone; }
};

struct PlanMechanisms {
    MechanismSkip skip = MechanismSkip::NoSites;
    std::string reason;  // one line when skipped: why, and for NoMaps how to install the maps
    p2001::Polarisation polarisation = p2001::Polarisation::Vertical;
    ZoneSource zoneSource = ZoneSource::Derived;
    std::string zonesNote;   // how the zones were found
    std::string mapsSource;  // the 14 maps' folder
    std::vector<MechanismStation> stations;  // receiving station 1, then 2; empty when skipped
    std::vector<std::string> notes;          // once for the plan, each a line
    bool ran() const { return skip == MechanismSkip::None; }
};

// The plan's one verdict: the method that decides it, why, and what carries
// the signal at the required percentage; its rows are PlanResult::verdicts.
struct PlanDecision {
    itur::ItuMethod method = itur::ItuMethod::P2001All;
    bool met = false;
    bool applies = true;    // false when no method gives a figure on the path
    std::string firstLine;  // which method decided and why, and the mechanism at the required percentage
    std::optional<DecidingMechanisms> mechanism;  // of the complete method, at the required percentage
    // Said in words: the methods' disagreement over 6 dB and what explains it,
    // the climate defaults, the maps the complete method needs.
    std::vector<std::string> sentences;
    ClimateDefaults defaults;
};

}  // namespace tropolink
