#include "itur/shared_terms.h"

#include <cmath>

namespace tropolink::itur {

double couplingLossDb(double gtDbi, double grDbi) { return 0.07 * std::exp(0.055 * (gtDbi + grDbi)); }

double freeSpaceLossDb(double fGhz, double dKm) { return 92.44 + 20 * std::log10(fGhz) + 20 * std::log10(dKm); }

}  // namespace tropolink::itur
