#include "reference_vectors.h"

#include <fstream>
#include <stdexcept>

namespace tropolink::itur::testing_support {

const nlohmann::json& referenceVectors() {
    static const nlohmann::json vectors = [] {
        std::ifstream file(TROPOLINK_REFERENCE_VECTORS);
        if (!file) throw std::runtime_error("cannot read " TROPOLINK_REFERENCE_VECTORS);
        return nlohmann::json::parse(file);
    }();
    return vectors;
}

P617Path p617PathOf(const nlohmann::json& j) {
    return {.fMhz = j.at("f_mhz"),
            .dKm = j.at("d_km"),
            .aeKm = j.at("ae_km"),
            .thetaTMrad = j.at("theta_t_mrad"),
            .thetaRMrad = j.at("theta_r_mrad"),
            .htsM = j.at("hts_m"),
            .hrsM = j.at("hrs_m"),
            .gtDbi = j.at("gt_dbi"),
            .grDbi = j.at("gr_dbi"),
            .n0 = j.at("n0"),
            .deltaN = j.at("delta_n"),
            .hsKm = j.at("hs_km"),
            .revisedAngleTerm = false};
}

P2001Path p2001PathOf(const nlohmann::json& j, double fMhz) {
    return {.fMhz = fMhz,
            .dKm = j.at("d_km"),
            .aeKm = j.at("ae_km"),
            .thetaTMrad = j.at("theta_t_mrad"),
            .thetaRMrad = j.at("theta_r_mrad"),
            .zone = static_cast<ClimateZone>(j.at("climate_zone").get<int>()),
            .gtDbi = 0,
            .grDbi = 0};
}

}  // namespace tropolink::itur::testing_support
