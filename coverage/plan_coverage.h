#pragma once

#include <span>
#include <string>
#include <string_view>

#include "coverage/coverage_request.h"
#include "plan/plan_check.h"

// A map made with a plan's link: station 1 of the plan is the site, station 2
// stands in every cell, and the bands are the S/N margin over the plan's
// requirement, from the plan's own budget.
namespace tropolink::coverage {

struct PlanCoverage {
    std::string file;  // the plan, as given
    // Everything but the grid, the sector and the method: the site, the
    // plan's DEMs and profile options, frequency, masts, gains, polarisation,
    // its percentages then its availability percentage, its climate values,
    // and the margin as the quantity.
    CoverageRequest request;
    double availabilityPercent = 99.9;  // the requirement's: the band a picture shows
};

// The band of `percents` a picture of the plan's map shows: its availability
// percentage's where a band has it, else the first.
std::size_t pictureBand(const PlanCoverage& plan, const std::vector<double>& percents);

// `option` is the plan's option as the front end spells it, `file` the plan
// as given. Throws InputError naming both, "--plan: FILE has no sites", for a plan without sites or
// without a required S/N, and NumericFault for a radio its pass cannot compute.
PlanCoverage planCoverage(const CheckedPlan& plan, std::string_view option, const std::string& file);

// The same from the plan file: readPlan and checkPlan, then the above.
// Throws PlanError with the plan reader's one line, and what the above throws.
PlanCoverage readPlanCoverage(const std::string& file, std::string_view option);

// The values a front end may give beside a plan, which must then agree with it.
enum class PlanField { Site, Dems, Frequency, Mast1, Mast2, Gain1, Gain2, Polarisation, Step, SeaWhereMissing, FillVoids };

struct GivenField {
    PlanField field;
    std::string name;  // as the front end spells it: "--frequency-mhz", "frequency_mhz"
};

// The plan's request with the front end's grid, sector, method and (when
// given) percentages from `given`. Each of `fields` holds its value in
// `given`; one that differs from the plan's is refused (InputError naming
// both). DEMs given are read instead of the plan's, as maps given are.
CoverageRequest withPlan(const PlanCoverage& plan, const CoverageRequest& given, bool percentsGiven,
                         std::span<const GivenField> fields);

}  // namespace tropolink::coverage
