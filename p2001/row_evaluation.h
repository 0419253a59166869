#pragma once

#include "p2001/inverse_distribution.h"
#include "p2001/prepared_path.h"
#include "p2001/row.h"

// One row of the method from its three stages.
namespace tropolink::p2001 {

// The values of the three fade distributions (surface path, each
// troposcatter segment) met so far at one frequency.
struct FadeMemos {
    FadeMemo surface;
    FadeMemo txSegment;
    FadeMemo rxSegment;
    void clear();
};

// Fills every column of `row`. A row the method cannot give (where its
// formulas have no limit) is Refused, with the reason. Memos, if given, must
// be cleared whenever the frequency changes.
void evaluateRow(const PreparedPath& path, const FrequencyTerms& frequency, const PercentTerms& percent, Row& row,
                 FadeMemos* memos = nullptr);

// One row from scratch, every stage included. Throws InputError outside the domain.
Row computeRow(const PathInput& path, const MapValues& maps, double fGhz, double tpc);

}  // namespace tropolink::p2001
