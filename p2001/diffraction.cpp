#include "p2001/diffraction.h"

#include <algorithm>

namespace tropolink::p2001 {

DiffractionLoss diffractionLoss(const BullingtonPoint& actual, const BullingtonPoint& smooth,
                                const SphericalEarthInput& earth) {
    DiffractionLoss r;
    r.actual = bullingtonLoss(actual, earth.lambdaM, earth.dKm);
    r.smooth = bullingtonLoss(smooth, earth.lambdaM, earth.dKm);
    r.sphericalDb = sphericalEarthLossDb(earth);
    r.lossDb = r.actual.lossDb + std::max(r.sphericalDb - r.smooth.lossDb, 0.0);
    return r;
}

}  // namespace tropolink::p2001
