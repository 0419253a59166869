#pragma once

#include <string>
#include <vector>

#include "coverage/coverage_run.h"

// What a front end prints once a map is done: the cells of each kind, then
// the speed and where the time went, a line each.
namespace tropolink::coverage {

// "computed: 171 234 cells", a line for every kind that has cells, then
// "179 100 paths in 28.4 s, 6 306 a second; profiles 45 % of the workers' time, the method 52 %".
std::vector<std::string> summaryLines(const CoverageSummary& summary);

// 179 100: the thousands apart, as the pictures and summaries show counts.
std::string countText(std::size_t count);

}  // namespace tropolink::coverage
