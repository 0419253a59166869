#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "plan_report/plan_report.h"

namespace tropolink {

// What every section reads.
struct ReportInput {
    const Plan& plan;
    const PlanResult& result;
    const ReportStamp& stamp;
};

// The sections in their order on the page; each appends one <section>.
void appendHeaderSection(std::string& out, const ReportInput& in);
void appendVerdictSection(std::string& out, const ReportInput& in);
void appendSitesSection(std::string& out, const ReportInput& in);
void appendClimateSection(std::string& out, const ReportInput& in);
// Within the sections: which climate values are defaults (page one), and the
// availability under each climate zone (the climate section).
void appendClimateDefaults(std::string& out, const ReportInput& in);
void appendZoneTable(std::string& out, const ReportInput& in);
void appendBudgetSection(std::string& out, const ReportInput& in);
void appendYearSection(std::string& out, const ReportInput& in);
void appendMechanismSection(std::string& out, const ReportInput& in);
void appendFadingSection(std::string& out, const ReportInput& in);
void appendBoxesSection(std::string& out, const ReportInput& in);
void appendNotesSection(std::string& out, const ReportInput& in);
void appendPlanSection(std::string& out, const ReportInput& in);

// The page's one stylesheet, screen and print.
std::string_view reportCss();

// Number texts of the tables: `decimals` places, a dash for none or a value
// that is not finite; a percentage without trailing zeros ("99.9").
std::string numberCell(std::optional<double> value, int decimals);
std::string percentText(double percent);
// "99.9512 %", or the bound or the reason where no percentage was found.
std::string availabilityText(const itur::StationAvailability& a);

// An inline <svg> from the plot library's document: its XML declaration
// dropped, as HTML holds the element itself.
std::string inlineSvg(const std::string& document);

// <tr><th>label</th><td>cells...</td></tr>; the label is escaped, the cells
// are markup the caller made.
void appendRow(std::string& out, std::string_view label, std::initializer_list<std::string_view> cells);

}  // namespace tropolink
