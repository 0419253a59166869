#pragma once

#include "p2001/path_geometry.h"

// Clear-air fading and enhancement: multipath and focusing near the surface.
namespace tropolink::p2001 {

// Notional percentage of an average year for which the clear-air fade is 0
// or more, %.
double zeroFadePercent(const PathGeometry& g, const std::vector<double>& hM, double dndz01, double fGhz);

// Percentage of time a fade of fadeDb (negative: an enhancement) is
// exceeded on the surface path, %.
double surfaceFadeExceededPercent(double fadeDb, double q0ca);

// The same on the troposcatter path, which has no clear-air fading of its own.
double troposcatterFadeExceededPercent(double fadeDb);

}  // namespace tropolink::p2001
