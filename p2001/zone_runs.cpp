#include "p2001/zone_runs.h"

#include <algorithm>
#include <cstddef>

#include "p2001/path_input.h"

namespace tropolink::p2001 {
namespace {

// A run's length: its own span plus the half intervals beyond each end.
double runLengthKm(std::span<const double> d, std::size_t first, std::size_t last) {
    double length = d[last] - d[first];
    if (last + 1 < d.size()) length += (d[last + 1] - d[last]) / 2;
    if (first > 0) length += (d[first] - d[first - 1]) / 2;
    return length;
}

template <typename InZone, typename OnRun>
void forEachRun(std::size_t n, InZone inZone, OnRun onRun) {
    std::size_t i = 0;
    while (i < n) {
        if (!inZone(i)) {
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < n && inZone(last + 1)) ++last;
        onRun(i, last);
        i = last + 1;
    }
}

}  // namespace

double zoneFraction(std::span<const double> d, std::span<const int> zone, int code) {
    double total = 0;
    forEachRun(
        d.size(), [&](std::size_t i) { return zone[i] == code; },
        [&](std::size_t first, std::size_t last) { total += runLengthKm(d, first, last); });
    return total / (d.back() - d.front());
}

double longestZoneRunKm(std::span<const double> d, std::span<const int> zone, std::initializer_list<int> codes) {
    double longest = 0;
    forEachRun(
        d.size(), [&](std::size_t i) { return std::find(codes.begin(), codes.end(), zone[i]) != codes.end(); },
        [&](std::size_t first, std::size_t last) { longest = std::max(longest, runLengthKm(d, first, last)); });
    return longest;
}

CoastDistances coastDistances(std::span<const double> d, std::span<const int> zone) {
    constexpr int kSea = static_cast<int>(Zone::Sea);
    const auto first = std::find(zone.begin(), zone.end(), kSea);
    const double pathKm = d.back();
    if (first == zone.end()) return {pathKm, pathKm};
    const std::size_t nt = static_cast<std::size_t>(first - zone.begin());
    const std::size_t nr =
        zone.size() - 1 - static_cast<std::size_t>(std::find(zone.rbegin(), zone.rend(), kSea) - zone.rbegin());
    const std::size_t n = d.size();
    CoastDistances c;
    c.txKm = nt == 0 ? 0 : (d[nt] + d[nt - 1]) / 2 - d[0];
    c.rxKm = nr == n - 1 ? 0 : d[n - 1] - (d[nr] + d[nr + 1]) / 2;
    return c;
}

}  // namespace tropolink::p2001
