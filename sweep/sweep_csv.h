#pragma once

#include <span>
#include <string>
#include <vector>

#include "sweep/sweep_points.h"

namespace tropolink {

// The columns after the swept NAME, in order; --help lists them. For each
// percentage P of the year the two ITU-R methods add their loss and S/N.
const std::vector<std::string>& sweepCsvColumns();
std::vector<std::string> sweepCsvColumns(std::span<const double> percents);
// Those of a plan: with a required S/N, last the availability (% of the year)
// of P.617 and P.2001 at each station.
std::vector<std::string> sweepCsvColumns(const SweepPlan& plan);

// The table of a sweep (RFC 4180, CRLF line ends): a header row, then one row
// per grid point, numbers at full precision, empty cells where the window
// shows a word instead of a number.
void appendSweepCsv(std::string& out, const SweepPlan& plan, std::span<const SweepPoint> points);

// The same table a row at a time, for a sweep written as it runs.
void appendSweepCsvHeader(std::string& out, const SweepPlan& plan);
void appendSweepCsvRow(std::string& out, const SweepPlan& plan, const SweepPoint& point);

}  // namespace tropolink
