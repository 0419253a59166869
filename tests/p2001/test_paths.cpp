#include "test_paths.h"

namespace tropolink::p2001::testing_support {

PathInput evenPath(int n, double dKm, const std::function<double(double)>& height, int zone, double hTx, double hRx) {
    PathInput p;
    for (int i = 0; i < n; ++i) {
        const double d = dKm * i / (n - 1);
        p.distanceKm.push_back(d);
        p.heightM.push_back(height(d));
        p.zone.push_back(zone);
    }
    p.tx = {0, 1, hTx, 0};
    p.rx = {dKm / 111.19, 1, hRx, 0};
    return p;
}

MapValues temperateMaps() {
    MapValues m;
    m.dnMedian = 45;
    m.dnSupSlope = 14;
    m.dnSubSlope = 9;
    m.dndz01 = -250;
    m.surfwvMid = m.surfwvTx = m.surfwvRx = 7.5;
    m.foEsMid = m.foEsQuarter = m.foEsThreeQuarter = {9.5, 6.5, 4.2, 2.6};
    m.rainMid = m.rainTxSegment = m.rainRxSegment = {45, 900, 0.25, 2.5};
    m.tropoClimCommonVolume = m.tropoClimTx = m.tropoClimRx = 6;
    return m;
}

}  // namespace tropolink::p2001::testing_support
