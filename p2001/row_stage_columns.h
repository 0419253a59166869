#pragma once

#include "p2001/prepared_path.h"
#include "p2001/row.h"

// The columns a row takes straight from its stages (internal to the rows).
namespace tropolink::p2001 {

void copyInputs(const PreparedPath& path, const FrequencyTerms& frequency, const PercentTerms& percent, Row& row);
void copyPath(const PreparedPath& path, Row& row);
void copyFrequency(const FrequencyTerms& frequency, Row& row);

}  // namespace tropolink::p2001
