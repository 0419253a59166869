#pragma once

#include <functional>

#include "p2001/path_input.h"

// Paths built by hand for the tests.
namespace tropolink::p2001::testing_support {

// n evenly spaced points over dKm, heights from a function of the distance
// (km → m), one zone throughout; terminals at 1 N 0 E and along the equator,
// antennas hTx and hRx above ground.
PathInput evenPath(int n, double dKm, const std::function<double(double)>& heightM, int zone = 4, double hTxM = 20,
                   double hRxM = 20);

// Map values of a temperate climate, inside every map's range.
MapValues temperateMaps();

}  // namespace tropolink::p2001::testing_support
