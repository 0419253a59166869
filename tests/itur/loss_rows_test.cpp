#include "itur/loss_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "itur/p2001_method.h"
#include "itur/p617_method.h"

namespace tropolink::itur {
namespace {

// Random rows over and beyond both methods' domain: line of sight, scatter
// angles past 200 mrad, common volumes past 20 km, every zone and both angle terms.
TEST(LossRows, AgreeWithTheOneRowFunctions) {
    constexpr std::size_t kRows = kRowBlock;
    std::mt19937_64 random(5);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    for (int block = 0; block < 200; ++block) {
        std::array<std::vector<double>, 14> c;
        for (auto& column : c) column.resize(kRows);
        for (std::size_t i = 0; i < kRows; ++i) {
            c[0][i] = uniform(30, 20000);  // f
            c[1][i] = uniform(1, 1000);    // d
            c[2][i] = uniform(6000, 14000);
            c[3][i] = uniform(-30, 120);
            c[4][i] = uniform(-30, 120);
            c[5][i] = uniform(0, 22000);
            c[6][i] = uniform(0, 22000);
            c[7][i] = uniform(0, 50);
            c[8][i] = uniform(0, 50);
            c[9][i] = uniform(0, 400);
            c[10][i] = uniform(20, 80);
            c[11][i] = uniform(0, 5);
            c[12][i] = static_cast<double>(std::uniform_int_distribution(0, 1)(random));
            c[13][i] = i % 7 == 0 ? 50 : uniform(1e-6, 100 - 1e-6);
        }
        std::vector<double> p617(kRows), p2001(kRows), zone(kRows);
        for (std::size_t i = 0; i < kRows; ++i) zone[i] = static_cast<double>(1 + i % kClimateZoneCount);
        p617LossRows({c[0].data(), c[1].data(), c[2].data(), c[3].data(), c[4].data(), c[5].data(), c[6].data(),
                      c[7].data(), c[8].data(), c[9].data(), c[10].data(), c[11].data(), c[12].data(), c[13].data()},
                     kRows, p617.data());
        p2001LossRows({c[0].data(), c[1].data(), c[2].data(), c[3].data(), c[4].data(), zone.data(), c[7].data(),
                       c[8].data(), c[13].data()},
                      kRows, p2001.data());
        for (std::size_t i = 0; i < kRows; ++i) {
            const P617Path a{c[0][i], c[1][i], c[2][i], c[3][i], c[4][i], c[5][i], c[6][i], c[7][i],
                             c[8][i], c[9][i], c[10][i], c[11][i], c[12][i] != 0};
            const P2001Path b{c[0][i], c[1][i], c[2][i], c[3][i], c[4][i], static_cast<ClimateZone>(zone[i]),
                              c[7][i], c[8][i]};
            const std::optional<double> one617 = p617Loss(a, c[13][i]).value();
            const std::optional<double> one2001 = p2001Loss(b, c[13][i]).value();
            ASSERT_EQ(one617.has_value(), !std::isnan(p617[i])) << "block " << block << " row " << i;
            ASSERT_EQ(one2001.has_value(), !std::isnan(p2001[i])) << "block " << block << " row " << i;
            if (one617) {
                ASSERT_NEAR(p617[i], *one617, 1e-9);
            }
            if (one2001) {
                ASSERT_NEAR(p2001[i], *one2001, 1e-9);
            }
        }
    }
}

}  // namespace
}  // namespace tropolink::itur
