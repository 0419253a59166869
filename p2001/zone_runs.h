#pragma once

#include <initializer_list>
#include <span>

// Where the profile's zones lie: each point owns half of each interval next
// to it, so a run of points covers from half-way before its first point to
// half-way after its last.
namespace tropolink::p2001 {

// Fraction of the path in the zone.
double zoneFraction(std::span<const double> dKm, std::span<const int> zone, int code);

// Length of the longest run of points whose zone is one of `codes`, km (0 if none).
double longestZoneRunKm(std::span<const double> dKm, std::span<const int> zone, std::initializer_list<int> codes);

struct CoastDistances {
    double txKm = 0;
    double rxKm = 0;
};

// Distance from each terminal to the first sea point, the path length where
// there is no sea.
CoastDistances coastDistances(std::span<const double> dKm, std::span<const int> zone);

}  // namespace tropolink::p2001
