// Feeds arbitrary bytes to the plan reader and its check, checking what must
// hold for every input: a refusal is one printable line that starts with the
// file, the line and the column; an accepted plan is written in the canonical
// layout, which reads back to the same plan and writes the same bytes again.
// An accepted plan is also read as a coverage map's link: refused in one line
// naming the plan without sites or a required S/N, and otherwise taken with
// its percentages, its S/N margin falling a dB a dB of loss, and each of its
// own values given back beside it agreeing with it.
#include <cstdint>
#include <string>
#include <string_view>

#include <algorithm>
#include <cmath>

#include "coverage/plan_coverage.h"
#include "engine/numeric_fault.h"
#include "fuzz/fuzz_checks.h"
#include "grammar/input_error.h"
#include "plan/plan_check.h"
#include "plan/plan_toml.h"

namespace {

using tropolink::fuzz::isPlainAscii;
using tropolink::fuzz::require;

constexpr std::string_view kFile = "fuzz.tropolink.toml";

void requireOneLine(const tropolink::PlanError& e) {
    const std::string message = e.what();
    require(message.starts_with(std::string(kFile) + ":"), "names the file");
    require(e.at().line >= 1 && e.at().column >= 1, "gives the line and column");
    require(message.starts_with(std::string(kFile) + ":" + std::to_string(e.at().line) + ":" +
                                std::to_string(e.at().column) + ": "),
            "the position it holds");
    require(isPlainAscii(message), "one printable line");
}

void checkCoverage(tropolink::CheckedPlan plan) {
    using namespace tropolink::coverage;
    const std::string refusal = "--plan: " + std::string(kFile) + " has no ";
    for (const bool withSite : {false, true}) {
        // A plan without sites, given one, reaches the budget whatever its form.
        if (withSite && !plan.station1.site) plan.station1.site = tropolink::terrain::Site{45, -70};
        PlanCoverage coverage;
        try {
            coverage = planCoverage(plan, "--plan", std::string(kFile));
        } catch (const tropolink::InputError& e) {
            const std::string message = e.what();
            require(message.starts_with(refusal), "a refusal names the plan");
            require(isPlainAscii(message), "one printable line");
            require(!plan.station1.site || !plan.availability.requiredSnrDb, "only a plan without sites or S/N");
            continue;
        } catch (const tropolink::NumericFault&) {
            continue;
        }
        const CoverageRequest& r = coverage.request;
        require(r.grid.site.latDeg == plan.station1.site->latDeg && r.grid.site.lonDeg == plan.station1.site->lonDeg,
                "the site is station 1's");
        require(std::all_of(r.percents.begin(), r.percents.end(), [](double p) { return p > 0 && p < 100; }),
                "percentages in range");
        require(std::count(r.percents.begin(), r.percents.end(), plan.requiredAvailabilityPercent) == 1,
                "the availability percentage a band once");
        require(r.quantity.limit == 0.0, "the limit is 0 dB");
        const double drop = r.quantity.fromLoss(150, 0) - r.quantity.fromLoss(151, 0);
        require(!std::isfinite(drop) || std::fabs(drop - 1) < 1e-9, "a dB of loss is a dB of margin");
        std::vector<GivenField> all;
        for (const PlanField f : {PlanField::Site, PlanField::Frequency, PlanField::Mast1,
                                  PlanField::Mast2, PlanField::Gain1, PlanField::Gain2, PlanField::Polarisation,
                                  PlanField::Step, PlanField::SeaWhereMissing, PlanField::FillVoids})
            all.push_back({f, "--x"});
        try {
            withPlan(coverage, r, false, all);
        } catch (const tropolink::InputError&) {
            require(false, "the plan's own values agree with it");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tropolink::Plan plan;
    try {
        plan = tropolink::parsePlan(text, std::string(kFile));
    } catch (const tropolink::PlanError& e) {
        requireOneLine(e);
        return 0;
    }
    const std::string canonical = tropolink::planToml(plan);
    tropolink::Plan again;
    try {
        again = tropolink::parsePlan(canonical, std::string(kFile));
    } catch (const tropolink::PlanError&) {
        require(false, "the canonical layout reads back");
    }
    require(tropolink::planToml(again) == canonical, "the canonical layout writes the same bytes");
    bool checked = true;
    try {
        checkCoverage(tropolink::checkPlan(plan));
    } catch (const tropolink::PlanError& e) {
        requireOneLine(e);
        checked = false;
    }
    // The same values, written again, are checked alike (positions aside).
    try {
        tropolink::checkPlan(again);
        require(checked, "a refused plan stays refused when written out");
    } catch (const tropolink::PlanError&) {
        require(!checked, "an accepted plan stays accepted when written out");
    }
    return 0;
}
