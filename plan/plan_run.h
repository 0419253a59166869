#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/recalculate.h"
#include "engine/result_box.h"
#include "climate/maps_service.h"
#include "ground/ground.h"
#include "ground/site_profile.h"
#include "itur/availability.h"
#include "link/profile_answer.h"
#include "link/site_climate.h"
#include "plan/fading_alone.h"
#include "plan/fading_curves.h"
#include "plan/plan_check.h"
#include "plan/plan_mechanism.h"
#include "plan/year_curves.h"
#include "plan/zone_availability.h"
#include "profile/profile_csv.h"
#include "profile/profile_settings.h"
#include "report/box_writers.h"

namespace tropolink {

// The requirement against one ITU method at one receiving station.
struct PlanVerdict {
    itur::ItuMethod method = itur::ItuMethod::P617;
    int receivingStation = 1;
    itur::StationAvailability availability;  // reached, hourly median only
    bool met = false;  // reached >= required
    // With [diversity]: reached with fading within the hour and the diversity
    // asked for, which then decides `met`.
    std::optional<itur::FadingAvailability> withDiversity;
    // Whether the method gives a figure on this path; `reason` says why not
    // (line of sight, outside its domain, no maps), and `met` is then false.
    bool applies = true;
    std::string reason;
};

// Everything a plan gives, which the front ends only show: the ground, the
// climate with each value's source (the map file and the point it was taken
// at), one pass with its 52 box texts, each ITU method at the plan's
// percentages and as a curve over the year, and the verdicts. A method's
// names come from itur::methodNames.
struct PlanResult {
    CheckedPlan plan;
    std::vector<profile::ProfilePoint> points;       // none in the Settings form
    std::optional<profile::ProfileSettings> derived;  // with a profile or DEM
    std::optional<PlacedProfile> placed;              // with sites
    std::optional<PathPlaces> places;
    std::optional<SiteClimate> climate;
    std::string settingsLine;  // the settings as --batch reads them
    PassValues values;
    // In ResultBox order, as the window shows them; all empty when a radio
    // value is no slider position (boxesNote says which).
    std::array<std::string, kResultBoxCount> boxes;
    std::string boxesNote;
    itur::ItuLink link;
    itur::LinkBudget budget;
    itur::AvailabilityAnswer availability;
    std::vector<YearCurve> yearCurves;  // each method's L(p) over the year, in itur::kItuMethods order
    std::vector<FadingCurve> fadingCurves;  // with [diversity]: availability against the median margin
    // With a required S/N: the highest path loss that still meets it,
    // received at station 1 and at station 2, dB.
    std::optional<std::array<double, 2>> highestLossDb;
    // The complete P.2001 in both directions, or why it did not run.
    PlanMechanisms mechanisms;
    // The complete method first where it ran, then by method in itur::kItuMethods
    // order; receiving station 1 then 2.
    std::vector<PlanVerdict> verdicts;
    // With a requirement: the one verdict, from the complete method where it
    // ran, otherwise from the more cautious troposcatter method.
    std::optional<PlanDecision> decision;
    // With a required S/N: the availability under each climate zone.
    std::vector<ZoneAvailability> zoneAvailabilities;
    std::vector<std::string> notes;     // validity notes, as the availability output words them
    // Without [diversity], with a required S/N: what fading within the hour
    // would make of the verdict with one receiver.
    std::optional<FadingAlone> fadingAlone;

    // The notes as the text, the report and the planner show them: the
    // validity notes, then those on fading alone.
    std::vector<std::string> shownNotes() const;

    // The boxes as the box writers take them.
    BoxTexts boxTexts() const;
};

// What a long run reports and how it is stopped: each stage (terrain, pass,
// methods) is reported as it begins, and `stop` is read then; a stopped run
// throws PlanCancelled.
struct PlanRunControl {
    std::function<void(std::string_view stage)> progress;
    const std::atomic<bool>* stop = nullptr;
};
struct PlanCancelled : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

// Whether the plan reads the climate maps: a plan with sites does.
bool planNeedsMaps(const CheckedPlan& plan);

// The maps a plan with sites reads.
struct PlanMaps {
    MapsInUse climate;   // N0, ΔN and the zones; none when not installed
    MapsInUse p2001All;  // the complete P.2001's 14; none when not installed
    std::vector<std::filesystem::path> folders;  // looked in, for the line on missing maps
};

// The maps in the folders candidateMapsFolders gives for `mapsOption`.
// Throws climate::MapError when one of them is refused.
PlanMaps findPlanMaps(const std::optional<std::filesystem::path>& mapsOption,
                      climate::MapsService& service = climate::MapsService::shared());

// Runs the checked plan. The maps serve the forms with sites; `maps` may hold
// none. Throws GroundError, std::system_error for a profile that cannot be
// read, NumericFault and PlanCancelled.
PlanResult runPlan(const CheckedPlan& plan, const MapsInUse& maps, const PlanRunControl& control = {});
// The same with the complete P.2001's maps as found; runPlan looks for them
// in the climate maps' folder only.
PlanResult runPlanWithMaps(const CheckedPlan& plan, const PlanMaps& maps, const PlanRunControl& control = {});

}  // namespace tropolink
