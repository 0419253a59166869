#include "p2001/row_stage_columns.h"

#include <cmath>

#include "p2001/constants.h"

namespace tropolink::p2001 {

void copyInputs(const PreparedPath& path, const FrequencyTerms& fr, const PercentTerms& pc, Row& row) {
    const PathInput& in = path.input;
    row.flagVp = static_cast<int>(in.polarisation);
    row.ghz = fr.fGhz;
    row.grx = in.rx.gainDbi;
    row.grt = in.tx.gainDbi;
    row.hrg = in.rx.antennaHeightM;
    row.htg = in.tx.antennaHeightM;
    row.phire = in.rx.lonDeg;
    row.phirn = in.rx.latDeg;
    row.phite = in.tx.lonDeg;
    row.phitn = in.tx.latDeg;
    row.tpc = pc.tpc;
}

void copyPath(const PreparedPath& path, Row& row) {
    const PathGeometry& g = path.geometry;
    const Horizons& hz = g.horizon;
    const EffectiveHeights& e = g.heights;
    const CommonVolume& cv = g.volume;
    row.flagLos50 = hz.lineOfSight ? 1 : 0;
    row.flagSea = g.seaFraction >= 0.75 ? 1 : 0;
    row.flagShort = g.dKm < kShortPathKm ? 1 : 0;
    row.bt2rDeg = g.circle.bearingDeg;
    row.d = g.dKm;
    row.dcr = g.dCrKm;
    row.dct = g.dCtKm;
    row.dgc = g.circle.lengthKm;
    row.dlm = g.dLmKm;
    row.dlr = hz.dLrKm;
    row.dlt = hz.dLtKm;
    row.drcv = cv.dRcvKm;
    row.dtcv = cv.dTcvKm;
    row.dtm = g.dTmKm;
    row.fsea = g.seaFraction;
    row.h1 = g.h1M;
    row.hcv = cv.heightM;
    row.hhi = g.hhiM;
    row.hlo = g.hloM;
    row.hm = e.hmM;
    row.hmid = g.hMidM;
    row.hn = g.hnM;
    row.hrea = e.hreaM;
    row.hrep = e.hrepM;
    row.hrs = g.hrsM;
    row.hsrip = e.surface.hSripM;
    row.hsripa = e.surface.hSripaM;
    row.hstip = e.surface.hStipM;
    row.hstipa = e.surface.hStipaM;
    row.htea = e.hteaM;
    row.htep = e.htepM;
    row.hts = g.htsM;
    row.mses = e.surface.slopeMPerKm;
    row.n = g.points;
    row.nd1km50 = g.nd1km50;
    row.nd65m1 = path.maps.dndz01;
    row.nlr = hz.iLr + 1;
    row.nlt = hz.iLt + 1;
    row.phi1qe = g.quarter.lonDeg;
    row.phi1qn = g.quarter.latDeg;
    row.phi3qe = g.threeQuarter.lonDeg;
    row.phi3qn = g.threeQuarter.latDeg;
    row.phicve = cv.at.lonDeg;
    row.phicvn = cv.at.latDeg;
    row.phime = g.mid.lonDeg;
    row.phimn = g.mid.latDeg;
    row.phircve = cv.rxSegmentMid.lonDeg;
    row.phircvn = cv.rxSegmentMid.latDeg;
    row.phitcve = cv.txSegmentMid.lonDeg;
    row.phitcvn = cv.txSegmentMid.latDeg;
    row.reff50 = g.aeKm;
    row.sp = g.slopeMrad;
    row.thetae = g.thetaERad;
    row.thetar = hz.thetaRMrad;
    row.thetarpos = std::fmax(hz.thetaRMrad, 0);
    row.thetas = path.scatter.thetaMrad;
    row.thetat = hz.thetaTMrad;
    row.thetatpos = std::fmax(hz.thetaTMrad, 0);
    row.wvsur = path.maps.surfwvMid;
    row.wvSurrx = path.maps.surfwvRx;
    row.wvSurtx = path.maps.surfwvTx;
    row.ztropo = path.zone;
}

void copyFrequency(const FrequencyTerms& fr, Row& row) {
    row.wave = fr.lambdaM;
    row.lbfs = fr.freeSpaceDb;
    row.gamo = fr.surfaceGamma.oxygenDbPerKm;
    row.gamw = fr.surfaceGamma.waterDbPerKm;
    row.gamwr = fr.surfaceGamma.waterRainDbPerKm;
    row.aosur = fr.surfaceGas.oxygenDb;
    row.awsur = fr.surfaceGas.waterDb;
    row.awrsur = fr.surfaceGas.waterRainDb;
    row.agsur = row.aosur + row.awsur;
    row.aotcv = fr.txSegmentGas.oxygenDb;
    row.awtcv = fr.txSegmentGas.waterDb;
    row.awrtcv = fr.txSegmentGas.waterRainDb;
    row.aorcv = fr.rxSegmentGas.oxygenDb;
    row.awrcv = fr.rxSegmentGas.waterDb;
    row.awrrcv = fr.rxSegmentGas.waterRainDb;
    row.aos = row.aotcv + row.aorcv;
    row.aws = row.awtcv + row.awrcv;
    row.awrs = row.awrtcv + row.awrrcv;
    row.ags = row.aos + row.aws;
    row.qoca = fr.q0caPercent;
    row.aac = fr.anomalous.aacDb;
    row.aad = fr.anomalous.aadDb;
}

}  // namespace tropolink::p2001
