#pragma once

#include "p2001/prepared_path.h"
#include "p2001/row.h"

// One row of the method from its three stages.
namespace tropolink::p2001 {

// Fills every column of `row`. A row the method cannot give (where its
// formulas have no limit) is Refused, with the reason and its results zero.
void evaluateRow(const PreparedPath& path, const FrequencyTerms& frequency, const PercentTerms& percent, Row& row);

// One row from scratch, every stage included. Throws InputError outside the domain.
Row computeRow(const PathInput& path, const MapValues& maps, double fGhz, double tpc);

}  // namespace tropolink::p2001
