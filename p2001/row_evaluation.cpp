#include "p2001/row_evaluation.h"

#include <cmath>
#include <string>
#include <utility>

#include "p2001/columns.h"
#include "p2001/combination.h"
#include "p2001/diffraction.h"
#include "p2001/inverse_distribution.h"
#include "p2001/row_stage_columns.h"

namespace tropolink::p2001 {
namespace {

// Sub-model 1: diffraction, with the surface path's fading and gases.
void nearSurface(const PreparedPath& path, const FrequencyTerms& fr, const PercentTerms& pc, Row& row,
                 FadeMemos* memos) {
    const PathGeometry& g = path.geometry;
    const SphericalEarthInput earth{.dKm = g.dKm,
                                    .hteM = g.heights.htepM,
                                    .hreM = g.heights.hrepM,
                                    .aKm = pc.apKm,
                                    .fGhz = fr.fGhz,
                                    .lambdaM = fr.lambdaM,
                                    .seaFraction = g.seaFraction,
                                    .polarisation = path.input.polarisation};
    const DiffractionLoss dl = diffractionLoss(pc.actual, pc.smooth, earth);
    row.flagLospa = dl.actual.lineOfSight ? 1 : 0;
    row.flagLosps = dl.smooth.lineOfSight ? 1 : 0;
    row.ldbka = dl.actual.knifeEdgeDb;
    row.ldba = dl.actual.lossDb;
    row.ldbks = dl.smooth.knifeEdgeDb;
    row.ldbs = dl.smooth.lossDb;
    row.dLdsph = dl.sphericalDb;
    row.ld = dl.lossDb;
    if (pc.actual.atTerminal || pc.smooth.atTerminal) row.notes |= kNoteBullingtonAtTerminal;

    row.fwvr = rainWaterVapourFactor(fr.surfaceRain, pc.q);
    row.a1 = fadeExceeded({&fr.surfaceRain, ClearAirModel::Surface, fr.q0caPercent}, pc.q,
                          memos != nullptr ? &memos->surface : nullptr);
    row.lbm1 = row.lbfs + row.ld + row.a1 + row.fwvr * (row.awrsur - row.awsur) + row.agsur;
}

// Sub-model 3: troposcatter, with each segment's fading and the gases.
void troposcatter(const PreparedPath& path, const FrequencyTerms& fr, const PercentTerms& pc, Row& row,
                  FadeMemos* memos) {
    const double dt = path.geometry.dKm;
    row.lbs = std::fmax(troposcatterLossDb(path.scatter, fr.fGhz, fr.y90Db, pc.p), row.lbfs);
    row.fwvrxt = rainWaterVapourFactor(fr.txRain, pc.q);
    row.fwvrrx = rainWaterVapourFactor(fr.rxRain, pc.q);
    row.a2t = fadeExceeded({&fr.txRain, ClearAirModel::Troposcatter, 0}, pc.q,
                           memos != nullptr ? &memos->txSegment : nullptr);
    row.a2r = fadeExceeded({&fr.rxRain, ClearAirModel::Troposcatter, 0}, pc.q,
                           memos != nullptr ? &memos->rxSegment : nullptr);
    row.a2 = (row.a2t * (1 + 0.018 * row.dtcv) + row.a2r * (1 + 0.018 * row.drcv)) / (1 + 0.018 * dt);
    row.lbm3 = row.lbs + row.a2 + 0.5 * (row.fwvrxt + row.fwvrrx) * (row.awrs - row.aws) + row.ags;
}

void sporadicE(const PreparedPath& path, const FrequencyTerms& fr, const PercentTerms& pc, Row& row) {
    const SporadicELoss se = sporadicELoss(path.sporadicE, path.geometry.dKm, fr.fGhz, pc.foEs1HopMhz, pc.foEs2HopMhz);
    row.foes1 = pc.foEs1HopMhz;
    row.foes2 = pc.foEs2HopMhz;
    row.gam1 = se.oneHop.ionosphericDb;
    row.gam2 = se.twoHop.ionosphericDb;
    row.lp1t = se.oneHop.txDiffractionDb;
    row.lp1r = se.oneHop.rxDiffractionDb;
    row.lp2t = se.twoHop.txDiffractionDb;
    row.lp2r = se.twoHop.rxDiffractionDb;
    row.lbes1 = se.oneHop.lossDb;
    row.lbes2 = se.twoHop.lossDb;
    row.lbm4 = se.lossDb;
}

// A refused row keeps its inputs; its results are all zero.
void refuse(Row& row, std::string reason) {
    for (const Column& c : columns()) {
        if (c.kind != ColumnKind::Result) continue;
        if (c.real != nullptr) row.*c.real = 0;
        if (c.whole != nullptr) row.*c.whole = 0;
    }
    row.status = RowStatus::Refused;
    row.refusal = std::move(reason);
}

// The last guard: a value that is not a real number means the formulas met
// a division by zero with no limit.
void refuseUnlessFinite(Row& row) {
    for (const Column& c : columns()) {
        if (c.real == nullptr || c.kind != ColumnKind::Result || std::isfinite(row.*c.real)) continue;
        refuse(row, "the method's formulas have no real value for " + std::string(c.name) + " here");
        return;
    }
}

}  // namespace

void FadeMemos::clear() {
    surface.clear();
    txSegment.clear();
    rxSegment.clear();
}

void evaluateRow(const PreparedPath& path, const FrequencyTerms& fr, const PercentTerms& pc, Row& row,
                 FadeMemos* memos) {
    row = Row{};
    copyInputs(path, fr, pc, row);
    if (!path.refusal.empty()) {
        refuse(row, path.refusal);
        return;
    }
    row.notes = path.notes;
    copyPath(path, row);
    copyFrequency(fr, row);
    row.tpcp = pc.p;
    row.tpcq = pc.q;
    row.tpcscale = std::log10(pc.p / (100 - pc.p));
    row.nd1kmp = pc.nd1kmp;
    row.cp = pc.cpPerKm;
    row.reffp = pc.apKm;

    nearSurface(path, fr, pc, row, memos);
    row.dAat = pc.anomalousTimeDb;
    row.lba = row.aac + row.aad + row.dAat;
    row.lbm2 = row.lba + row.agsur;
    troposcatter(path, fr, pc, row, memos);
    sporadicE(path, fr, pc, row);
    row.lb = combinedLossDb({row.lbm1, row.lbm2, row.lbm3, row.lbm4});
    refuseUnlessFinite(row);
}

Row computeRow(const PathInput& input, const MapValues& maps, double fGhz, double tpc) {
    const PreparedPath path = preparePath(input, maps);
    Row row;
    evaluateRow(path, frequencyTerms(path, fGhz), percentTerms(path, tpc), row);
    return row;
}

}  // namespace tropolink::p2001
