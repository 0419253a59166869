#include "coverage/plan_coverage.h"

#include <algorithm>

#include "coverage/metadata_text.h"
#include "grammar/input_error.h"
#include "link/availability_link.h"
#include "plan/radio_pass.h"
#include "plan/plan_toml.h"

namespace tropolink::coverage {
namespace {

// As the plan's own path takes its climate: its [itu] values win over the
// maps, and its surface refractivity slider stands where no map gives N0.
ClimateRequest planClimate(const CheckedPlan& plan) {
    const AvailabilityOptions& o = plan.availability;
    ClimateRequest c;
    if (o.deltaNGiven) c.deltaN = o.deltaN;
    c.n0 = o.n0;
    if (o.climateZoneGiven) c.climateZone = static_cast<int>(o.climateZone);
    c.surfaceRefractivitySet = plan.requested.isSet(Slider::HScroll23);
    c.defaultN0 = plan.requested.settings().positions[static_cast<std::size_t>(sliderIndex(Slider::HScroll23))];
    return c;
}

std::string siteText(terrain::Site site) { return metadataNumber(site.latDeg) + "," + metadataNumber(site.lonDeg); }

std::string polarisationText(p2001::Polarisation p) {
    return p == p2001::Polarisation::Vertical ? "vertical" : "horizontal";
}

std::string stepText(const std::optional<double>& step) {
    return step ? metadataNumber(*step) : "the DEMs' finest spacing";
}

std::string yesNo(bool value) { return value ? "true" : "false"; }

class Agreement {
public:
    Agreement(const PlanCoverage& plan, const CoverageRequest& given, CoverageRequest& merged)
        : plan_(plan), given_(given), merged_(merged) {}

    void check(const GivenField& f) {
        const CoverageRequest& p = plan_.request;
        const CoverageRequest& g = given_;
        switch (f.field) {
            case PlanField::Site:
                if (g.grid.site.latDeg != p.grid.site.latDeg || g.grid.site.lonDeg != p.grid.site.lonDeg)
                    refuse(f.name + " " + siteText(g.grid.site), "station 1's site " + siteText(p.grid.site));
                return;
            case PlanField::Dems:
                // Where the heights are read, not the link: a finer or wider DEM of the same ground.
                merged_.dems = g.dems;
                return;
            case PlanField::Frequency: number(f, g.frequencyMhz, p.frequencyMhz, "frequency "); return;
            case PlanField::Mast1: number(f, g.mast1M, p.mast1M, "station 1's mast "); return;
            case PlanField::Mast2: number(f, g.mast2M, p.mast2M, "station 2's mast "); return;
            case PlanField::Gain1: number(f, g.gain1Dbi, p.gain1Dbi, "station 1's gain "); return;
            case PlanField::Gain2: number(f, g.gain2Dbi, p.gain2Dbi, "station 2's gain "); return;
            case PlanField::Polarisation:
                if (g.polarisation != p.polarisation)
                    refuse(f.name + " " + polarisationText(g.polarisation), polarisationText(p.polarisation));
                return;
            case PlanField::Step:
                if (g.profile.stepM != p.profile.stepM)
                    refuse(f.name + " " + stepText(g.profile.stepM), "step " + stepText(p.profile.stepM));
                return;
            case PlanField::SeaWhereMissing:
                if (g.profile.seaWhereMissing != p.profile.seaWhereMissing)
                    refuse(f.name, "sea-where-missing = " + yesNo(p.profile.seaWhereMissing));
                return;
            case PlanField::FillVoids:
                if (g.profile.fillVoids != p.profile.fillVoids)
                    refuse(f.name, "fill-voids = " + yesNo(p.profile.fillVoids));
                return;
        }
    }

private:
    void number(const GivenField& f, double given, double planned, const std::string& what) const {
        if (given != planned) refuse(f.name + " " + metadataNumber(given), what + metadataNumber(planned));
    }
    [[noreturn]] void refuse(const std::string& input, const std::string& planned) const {
        throw InputError(input, "contradicts the plan " + plan_.file, "the plan's " + planned + ", or leave it out");
    }
    const PlanCoverage& plan_;
    const CoverageRequest& given_;
    CoverageRequest& merged_;
};

}  // namespace

PlanCoverage planCoverage(const CheckedPlan& plan, std::string_view option, const std::string& file) {
    // The file in the problem, whole: the input of a message is cut short.
    if (!plan.station1.site)
        throw InputError(option, file + " has no sites",
                         "a plan with [station1].site, the map's centre, and [station2].site");
    const std::optional<double> required = plan.availability.requiredSnrDb;
    if (!required) throw InputError(option, file + " has no required S/N", "a plan with [requirement].snr-db");

    const PassValues values = planRadioPass(plan);
    const itur::LinkBudget budget = linkBudget(values);
    PlanCoverage c;
    c.file = file;
    c.availabilityPercent = plan.requiredAvailabilityPercent;
    CoverageRequest& r = c.request;
    r.grid.site = *plan.station1.site;
    r.dems = plan.dems;
    r.profile = plan.profileOptions;
    r.frequencyMhz = values.params.frequency;
    r.percents = plan.availability.percents;
    if (std::find(r.percents.begin(), r.percents.end(), plan.requiredAvailabilityPercent) == r.percents.end())
        r.percents.push_back(plan.requiredAvailabilityPercent);
    r.mast1M = plan.station1.mastM;
    r.mast2M = plan.station2.mastM;
    r.gain1Dbi = values.params.station1.antennaGain;
    r.gain2Dbi = values.params.station2.antennaGain;
    r.polarisation = plan.polarisation;
    r.climate = planClimate(plan);
    r.quantity = snrMargin(budget.eirp1Dbw, budget.sensitivity2Dbw, *required);
    r.quantity.metadata.insert(r.quantity.metadata.begin(), {"PLAN", file});
    r.quantity.source = "plan " + file + ": " + r.quantity.source;
    return c;
}

PlanCoverage readPlanCoverage(const std::string& file, std::string_view option) {
    return planCoverage(checkPlan(readPlan(file)), option, file);
}

std::size_t pictureBand(const PlanCoverage& plan, const std::vector<double>& percents) {
    const auto at = std::find(percents.begin(), percents.end(), plan.availabilityPercent);
    return at == percents.end() ? 0 : static_cast<std::size_t>(at - percents.begin());
}

CoverageRequest withPlan(const PlanCoverage& plan, const CoverageRequest& given, bool percentsGiven,
                         std::span<const GivenField> fields) {
    CoverageRequest merged = plan.request;
    merged.grid.radiusKm = given.grid.radiusKm;
    merged.grid.cellM = given.grid.cellM;
    merged.sector = given.sector;
    merged.method = given.method;
    if (percentsGiven) merged.percents = given.percents;
    Agreement agreement(plan, given, merged);
    for (const GivenField& f : fields) agreement.check(f);
    return merged;
}

}  // namespace tropolink::coverage
