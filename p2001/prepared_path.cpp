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

// A rain path from hLo to hHi over dKm; one of zero length sees no rain.
RainSegment rainSegment(double hLo, double hHi, double dKm) {
    return {hLo, hHi, dKm, dKm > 0 ? rainElevationRad(hLo, hHi, dKm) : 0};
}

// A slope read as an angle reaches 90° here.
constexpr double kVerticalMrad = 1000 * kPi / 2;

// The sporadic-E model's terminal loss grows without bound as a horizon
// rises to the vertical, and the troposcatter rays lose their crossing when
// both do.
std::string steepHorizonRefusal(const PathGeometry& g) {
    const auto mrad = [](double v) { return std::to_string(static_cast<long long>(std::floor(v))); };
    if (g.horizon.thetaTMrad >= kVerticalMrad) {
        return "the transmitter's horizon rises at " + mrad(g.horizon.thetaTMrad) +
               " mrad, beyond the 1570.8 mrad where the sporadic-E terminal loss becomes infinite";
    }
    if (g.horizon.thetaRMrad >= kVerticalMrad) {
        return "the receiver's horizon rises at " + mrad(g.horizon.thetaRMrad) +
               " mrad, beyond the 1570.8 mrad where the sporadic-E terminal loss becomes infinite";
    }
    if (g.volume.place == VolumePlace::Nowhere) {
        return "both horizon rays are vertical as the method reads their angles: the troposcatter common volume has "
               "no place";
    }
    return {};
}

// Rain, but none of it stratiform: the rain model's limit is no rain.
bool onlyConvectiveRain(const RainMapValues& maps) { return maps.pr6Percent > 0 && rainyPercent(maps) == 0; }

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
    path.surfaceRain = rainSegment(g.hloM, g.hhiM, g.dKm);
    path.txRain = rainSegment(g.htsM, cv.heightM, cv.dTcvKm);
    path.rxRain = rainSegment(g.hrsM, cv.heightM, cv.dRcvKm);
    if (cv.place == VolumePlace::OverTx) path.notes |= kNoteTxSegmentEmpty;
    if (cv.place == VolumePlace::OverRx) path.notes |= kNoteRxSegmentEmpty;
    if (std::min(g.horizon.thetaTMrad, g.horizon.thetaRMrad) <= -kVerticalMrad) path.notes |= kNoteSteepDownwardHorizon;
    path.refusal = steepHorizonRefusal(g);
    if (onlyConvectiveRain(maps.rainMid) || onlyConvectiveRain(maps.rainTxSegment) ||
        onlyConvectiveRain(maps.rainRxSegment)) {
        path.notes |= kNoteNoStratiformRain;
    }
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

BullingtonProfile bullingtonProfile(const PreparedPath& path) {
    const PathGeometry& g = path.geometry;
    return {path.input.distanceKm, path.input.heightM, g.htsM, g.hrsM, g.heights.htepM, g.heights.hrepM};
}

PercentTerms percentTerms(const PreparedPath& path, double tpc, const BullingtonProfile* envelopes) {
    checkPercent(tpc);
    return percentTerms(path, tpc, percentMapValues(path, limitedPercent(tpc)), envelopes);
}

PercentTerms percentTerms(const PreparedPath& path, double tpc, const PercentMapValues& values,
                          const BullingtonProfile* envelopes) {
    checkPercent(tpc);
    const PathGeometry& g = path.geometry;
    PercentTerms t;
    t.tpc = tpc;
    t.p = limitedPercent(tpc);
    t.q = 100 - t.p;
    t.nd1kmp = values.nd1kmp;
    t.cpPerKm = (kRefractivityBase + t.nd1kmp) / (kRefractivityBase * kEarthRadiusKm);
    t.apKm = t.cpPerKm > kMinCurvaturePerKm ? 1 / t.cpPerKm : kFlatEarthKm;
    const std::vector<double>& d = path.input.distanceKm;
    if (envelopes != nullptr) {
        t.actual = envelopes->actual(d, path.input.heightM, t.cpPerKm);
        t.smooth = envelopes->smooth(d, t.apKm);
    } else {
        t.actual = bullingtonActualPoint(d, path.input.heightM, g.htsM, g.hrsM, t.cpPerKm);
        t.smooth = bullingtonSmoothPoint(d, g.heights.htepM, g.heights.hrepM, t.apKm);
    }
    t.anomalousTimeDb = anomalousTimeLossDb(g, path.duct, t.p, t.q);
    t.foEs1HopMhz = values.foEs1HopMhz;
    t.foEs2HopMhz = values.foEs2HopMhz;
    return t;
}

}  // namespace tropolink::p2001
