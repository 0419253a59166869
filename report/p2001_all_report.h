#pragma once

#include <span>
#include <string>

#include "link/p2001_all.h"
#include "p2001/row.h"

// The complete P.2001's writers: the text table, the JSON object with every
// intermediate, and the CSV in the columns of the ITU's validation files.
namespace tropolink {

// For each frequency and percentage Lb, the four sub-models' losses and the
// mechanism that decides Lb; then the path's classification, the zones and
// the map values with where each was read.
void appendP2001AllText(std::string& out, const P2001AllPath& path, std::span<const p2001::Row> rows);

// One object under the method's JSON key: the same, each row with every column.
std::string p2001AllJson(const P2001AllPath& path, std::span<const p2001::Row> rows);

// A header of the ITU's column names, then a line a row, frequency outer:
// full precision, the profile's name in "Profile", the ITU's empty columns
// empty, and a refused row's computed columns empty too.
void appendP2001AllCsv(std::string& out, const P2001AllPath& path, std::span<const p2001::Row> rows);

}  // namespace tropolink
