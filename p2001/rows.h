#pragma once

#include <cstddef>
#include <span>

#include "p2001/combination.h"
#include "p2001/prepared_path.h"
#include "p2001/row.h"

// Tables of rows for one path, for front ends: every frequency × percentage,
// frequency outer, on the calling thread (front ends add their own threads by
// splitting the frequencies or the percentages).
namespace tropolink::p2001 {

inline std::size_t rowCount(std::span<const double> fGhz, std::span<const double> tpc) {
    return fGhz.size() * tpc.size();
}

// Fills out[i·tpc.size() + j] with the row at fGhz[i], tpc[j]. Every
// frequency and percentage is checked first: InputError, naming the first
// out of the domain, before any row is written. `out` must hold rowCount rows.
void fillRows(const PreparedPath& path, std::span<const double> fGhz, std::span<const double> tpc, std::span<Row> out);

// The sub-model with the smallest loss in the row.
inline Mechanism decidingMechanism(const Row& row) {
    return decidingMechanism(SubModelLosses{row.lbm1, row.lbm2, row.lbm3, row.lbm4});
}

}  // namespace tropolink::p2001
