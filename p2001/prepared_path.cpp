#include "p2001/prepared_path.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "p2001/basic_losses.h"
#include "p2001/constants.h"
#include "p2001/input_check.h"
#include "p2001/row.h"
#include "p2001/sporadic_e.h"

namespace tropolink::p2001 {
namespace {

constexpr double kMinCurvaturePerKm = 1e-6;  // flatter than this, the earth radius is held at 1e6 km
constexpr double kFlatEarthKm = 1e6;

// A rain path from hLo to hHi over dKm. Over a segment of zero length the
// inclination is its limit, `limitRad`.
RainSegment rainSegment(double hLo, double hHi, double dKm, double limitRad) {
    return {hLo, hHi, dKm, dKm > 0 ? rainElevationRad(hLo, hHi, dKm) : limitRad};
}

}  // namespace

PreparedPath preparePath(PathInput input, const MapValues& maps) {
    checkPath(input);
    checkMapValues(maps);
    PreparedPath path;
    path.input = std::move(input);
    path.maps = maps;
    const PathGeometry& g = path.geometry = pathGeometry(path.input, maps.dnMedian);
    path.zone = troposcatterZone(maps.tropoClimCommonVolume, maps.tropoClimTx, maps.tropoClimRx);
    path.scatter = scatterPath(g, path.zone, path.input.tx.gainDbi, path.input.rx.gainDbi);
    path.duct = ductingPath(g);
    path.sporadicE = sporadicEPath(g);

    const CommonVolume& cv = g.volume;
    path.surfaceRain = rainSegment(g.hloM, g.hhiM, g.dKm, 0);
    // With the common volume over the transmitter, (hcv − hts)/dtcv tends to
    // the slope of the transmitter's horizon ray.
    path.txRain = rainSegment(g.htsM, cv.heightM, cv.dTcvKm, std::tan(0.001 * std::max(g.horizon.thetaTMrad, 0.0)));
    if (cv.dTcvKm == 0) path.notes |= kNoteTxSegmentEmpty;
    path.rxRain = rainSegment(g.hrsM, cv.heightM, cv.dRcvKm, std::nan(""));
    if (cv.dRcvKm == 0) path.notes |= kNoteRxSegmentEmpty;
    return path;
}

FrequencyTerms frequencyTerms(const PreparedPath& path, double f) {
    checkFrequency(f);
    const PathGeometry& g = path.geometry;
    const MapValues& maps = path.maps;
    const Polarisation pol = path.input.polarisation;
    FrequencyTerms t;
    t.fGhz = f;
    t.lambdaM = 1e-9 * kSpeedOfLightMPerS / f;
    const double dfs = std::sqrt(g.dKm * g.dKm + ((g.htsM - g.hrsM) / 1000) * ((g.htsM - g.hrsM) / 1000));
    t.freeSpaceDb = freeSpaceLossDb(f, dfs);

    t.surfaceGamma = specificAttenuation(f, maps.surfwvMid, g.hMidM);
    t.surfaceGas = surfacePathGasLoss(t.surfaceGamma, g.dKm, g.htsM, g.hrsM);
    t.txSegmentGas = segmentGasLoss(specificAttenuation(f, maps.surfwvTx, g.h1M), g.h1M,
                                    std::max(g.horizon.thetaTMrad, 0.0), g.volume.dTcvKm);
    t.rxSegmentGas = segmentGasLoss(specificAttenuation(f, maps.surfwvRx, g.hnM), g.hnM,
                                    std::max(g.horizon.thetaRMrad, 0.0), g.volume.dRcvKm);

    t.q0caPercent = zeroFadePercent(g, path.input.heightM, maps.dndz01, f);
    t.surfaceRain = rainPath(maps.rainMid, path.surfaceRain, f, pol);
    t.txRain = rainPath(maps.rainTxSegment, path.txRain, f, pol);
    t.rxRain = rainPath(maps.rainRxSegment, path.rxRain, f, pol);
    t.anomalous = anomalousCoupling(g, f);
    t.y90Db = y90Db(path.scatter, f);
    return t;
}

double limitedPercent(double tpc) { return tpc + kPercentNudge * (kMedianPercent - tpc) / kMedianPercent; }

PercentMapValues percentMapValues(const PreparedPath& path, double p) {
    const MapValues& maps = path.maps;
    const double nd50 = path.geometry.nd1km50;
    PercentMapValues v;
    v.nd1kmp = p < kMedianPercent ? nd50 + maps.dnSupSlope * std::log10(0.02 * p)
                                  : nd50 - maps.dnSubSlope * std::log10(0.02 * (100 - p));
    v.foEs1HopMhz = foEsMhz(maps.foEsMid, p);
    v.foEs2HopMhz = std::min(foEsMhz(maps.foEsQuarter, p), foEsMhz(maps.foEsThreeQuarter, p));
    return v;
}

PercentTerms percentTerms(const PreparedPath& path, double tpc) {
    checkPercent(tpc);
    return percentTerms(path, tpc, percentMapValues(path, limitedPercent(tpc)));
}

PercentTerms percentTerms(const PreparedPath& path, double tpc, const PercentMapValues& values) {
    checkPercent(tpc);
    const PathGeometry& g = path.geometry;
    PercentTerms t;
    t.tpc = tpc;
    t.p = limitedPercent(tpc);
    t.q = 100 - t.p;
    t.nd1kmp = values.nd1kmp;
    t.cpPerKm = (kRefractivityBase + t.nd1kmp) / (kRefractivityBase * kEarthRadiusKm);
    t.apKm = t.cpPerKm > kMinCurvaturePerKm ? 1 / t.cpPerKm : kFlatEarthKm;
    t.actual = bullingtonActualPoint(path.input.distanceKm, path.input.heightM, g.htsM, g.hrsM, t.cpPerKm);
    t.smooth = bullingtonSmoothPoint(path.input.distanceKm, g.heights.htepM, g.heights.hrepM, t.apKm);
    t.anomalousTimeDb = anomalousTimeLossDb(g, path.duct, t.p, t.q);
    t.foEs1HopMhz = values.foEs1HopMhz;
    t.foEs2HopMhz = values.foEs2HopMhz;
    return t;
}

}  // namespace tropolink::p2001
