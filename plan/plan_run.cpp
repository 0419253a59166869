#include "plan/plan_run.h"

#include "climate/map_error.h"
#include "climate/maps_folder.h"
#include "link/availability_link.h"
#include "link/p2001_maps.h"
#include "link/pass_window.h"
#include "link/profile_link.h"
#include "plan/mechanism_run.h"
#include "plan/plan_decision.h"
#include "plan/radio_pass.h"
#include "report/availability_notes.h"
#include "report/path_report.h"

namespace tropolink {
namespace {

class Stages {
public:
    explicit Stages(const PlanRunControl& control) : control_(control) {}
    void begin(std::string_view stage) const {
        if (control_.stop && control_.stop->load()) throw PlanCancelled();
        if (control_.progress) control_.progress(stage);
    }

private:
    const PlanRunControl& control_;
};

GroundSource groundSource(const CheckedPlan& plan) {
    GroundSource source;
    if (plan.form == PlanForm::DemWithSites) source.dems = plan.dems;
    if (plan.profile) source.profileFile = plan.profile->string();
    if (plan.station1.site) source.sites = std::pair{*plan.station1.site, *plan.station2.site};
    source.options = plan.profileOptions;
    return source;
}

void runSliders(const CheckedPlan& plan, const Stages& stages, PlanResult& r, HeadlessWindow& window) {
    stages.begin("pass");
    r.settingsLine = settingsLine(plan.requested);
    r.values = runPass(window, plan.requested.settings());
    applyRadio(r.values, plan.radio);
    stages.begin("methods");
    r.link = ituLink(r.values, plan.availability);
    r.budget = linkBudget(r.values);
    r.availability = itur::answerAvailability(r.link, r.budget, plan.availability.percents,
                                              plan.availability.requiredSnrDb, plan.availability.fading);
}

// The complete P.2001 in both directions where the plan has sites, ground and its maps.
PlanMechanisms mechanismsOf(const PlanResult& r, const PlanMaps& maps) {
    const CheckedPlan& plan = r.plan;
    if (!r.placed || !plan.station1.site || !plan.station2.site)
        return skippedMechanisms(MechanismSkip::NoSites,
                                 "the complete P.2001 needs the ends' coordinates to read its maps: give both "
                                 "stations a site",
                                 plan.polarisation);
    if (!maps.p2001All)
        return skippedMechanisms(MechanismSkip::NoMaps, missingP2001MapsLine(maps.folders), plan.polarisation);
    MechanismPath path;
    path.points = r.points;
    path.site1 = *plan.station1.site;
    path.site2 = *plan.station2.site;
    path.frequencyMhz = r.link.frequencyMhz;
    path.mast1M = plan.station1.mastM;
    path.mast2M = plan.station2.mastM;
    path.gain1Dbi = r.link.gain1Dbi;
    path.gain2Dbi = r.link.gain2Dbi;
    path.polarisation = plan.polarisation;
    MechanismRequirement requirement;
    requirement.budget = r.budget;
    requirement.percents = plan.availability.percents;
    requirement.requiredSnrDb = plan.availability.requiredSnrDb;
    if (requirement.requiredSnrDb) requirement.requiredPercent = plan.requiredAvailabilityPercent;
    return runMechanisms(path, requirement, p2001MapReader(maps.p2001All), maps.p2001All->folder().string());
}

void runGround(const CheckedPlan& plan, const MapsInUse& maps, const Stages& stages, PlanResult& r,
               HeadlessWindow& window) {
    stages.begin("terrain");
    Ground read = readGround(groundSource(plan));
    r.derived = groundSettings(read, plan.station1.mastM, plan.station2.mastM);
    r.points = std::move(read.points);
    r.placed = std::move(read.placed);
    const ProfileGround ground{r.points, r.placed ? &*r.placed : nullptr};
    stages.begin("pass");
    ProfileAnswer a = answerPass(ground, *r.derived, plan.requested, plan.availability, maps, window);
    applyRadio(a.values, plan.radio);
    stages.begin("methods");
    addMethods(a, ground, plan.availability);
    r.places = a.places;
    r.climate = a.climate;
    r.settingsLine = a.settingsLine;
    r.values = a.values;
    r.link = *a.link;
    r.budget = linkBudget(r.values);
    r.availability = *a.availability;
}

std::vector<std::string> climateNotes(const PlanResult& r) {
    std::vector<std::string> notes;
    const AvailabilityOptions& o = r.plan.availability;
    if (r.climate) {
        if (!r.climate->mapsFolder) notes.emplace_back(kMissingMapsNote);
        else if (r.mechanisms.skip == MechanismSkip::NoMaps)
            if (auto note = p2001MapsNote(*r.climate->mapsFolder)) notes.push_back(std::move(*note));
        const std::pair<const ClimateValue*, std::string_view> values[] = {
            {&r.climate->n0, "N0"}, {&r.climate->deltaN, "delta-N"}, {&r.climate->climateZone, "the climate zone"}};
        for (const auto& [value, name] : values)
            if (value->source == ClimateSource::Default)
                notes.push_back(std::string(name) + " is the default, not a map's value");
        if (!r.climate->surfaceRefractivityNote.empty()) notes.push_back(r.climate->surfaceRefractivityNote);
        if (!r.climate->deltaNNote.empty()) notes.push_back(r.climate->deltaNNote);
    } else if (!o.n0 || !o.deltaNGiven || !o.climateZoneGiven) {
        notes.emplace_back(
            "Without sites no map is read: N0 is the surface refractivity slider, delta-N 40 N-units/km and the "
            "climate zone 6 unless [itu] gives them");
    }
    return notes;
}

std::vector<std::string> notesOf(const PlanResult& r) {
    std::vector<std::string> notes = availabilityNotes(r.availability);
    if (!r.boxesNote.empty()) notes.push_back(r.boxesNote);
    if (r.availability.p617.domain.verdict == itur::MethodVerdict::LineOfSight ||
        r.availability.p2001.domain.verdict == itur::MethodVerdict::LineOfSight)
        notes.emplace_back("The path is line of sight: the troposcatter methods give no loss and no availability");
    if (r.places)
        for (std::string& warning : pathWarnings(*r.places)) notes.push_back(std::move(warning));
    for (std::string& note : climateNotes(r)) notes.push_back(std::move(note));
    return notes;
}

}  // namespace

BoxTexts PlanResult::boxTexts() const { return boxTextsOf(boxes, plan.requested.settings().powerDividedBy1000); }

bool planNeedsMaps(const CheckedPlan& plan) { return plan.station1.site.has_value(); }

PlanMaps findPlanMaps(const std::optional<std::filesystem::path>& mapsOption, climate::MapsService& service) {
    PlanMaps maps;
    maps.folders = climate::candidateMapsFolders(mapsOption);
    maps.climate = service.find(climate::MapSetId::Climate, maps.folders);
    maps.p2001All = service.find(climate::MapSetId::P2001All, maps.folders);
    return maps;
}

PlanResult runPlan(const CheckedPlan& plan, const MapsInUse& maps, const PlanRunControl& control) {
    PlanMaps all;
    all.climate = maps;
    if (maps) {
        all.folders = {maps->folder()};
        if (planNeedsMaps(plan)) all.p2001All = climate::MapsService::shared().find(climate::MapSetId::P2001All, all.folders);
    } else {
        all.folders = climate::candidateMapsFolders(std::nullopt);
    }
    return runPlanWithMaps(plan, all, control);
}

PlanResult runPlanWithMaps(const CheckedPlan& plan, const PlanMaps& planMaps, const PlanRunControl& control) {
    const MapsInUse& maps = planMaps.climate;
    const Stages stages(control);
    PlanResult r;
    r.plan = plan;
    HeadlessWindow window;
    if (plan.form == PlanForm::Settings)
        runSliders(plan, stages, r, window);
    else
        runGround(plan, maps, stages, r, window);
    r.yearCurves = yearCurves(r.link);
    r.fadingCurves = fadingCurves(r.link, r.availability);
    if (const auto required = plan.availability.requiredSnrDb)
    {
        r.highestLossDb = {itur::snrAtStation1(r.budget, 0) - *required, itur::snrAtStation2(r.budget, 0) - *required};
        r.zoneAvailabilities = zoneAvailabilities(r.link, r.budget, *required);
    }
    r.boxesNote = boxesLeftOutNote(plan.radio);
    if (r.boxesNote.empty())
        for (int n = 1; n <= kResultBoxCount; ++n)
            r.boxes[static_cast<std::size_t>(n - 1)] = window.boxText(boxFromNumber(n));
    if (plan.form != PlanForm::Settings) {
        if (planMaps.p2001All && r.placed) stages.begin("all mechanisms");
        r.mechanisms = mechanismsOf(r, planMaps);
    } else {
        // The calculator's sliders: no ground to run it on, nothing to say.
        r.mechanisms = skippedMechanisms(MechanismSkip::NoSites, "", plan.polarisation);
    }
    r.verdicts = planVerdicts(r);
    r.decision = planDecision(r);
    r.notes = notesOf(r);
    return r;
}

}  // namespace tropolink
