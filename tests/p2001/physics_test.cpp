// Physics any correct implementation keeps, over many random paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "p2001/row_evaluation.h"
#include "p2001/rows.h"
#include "random_paths.h"
#include "test_paths.h"

namespace tropolink::p2001 {
namespace {

using testing_support::evenPath;
using testing_support::temperateMaps;

// 0.001 % to 99.999 %, ascending.
std::vector<double> ascendingPercentages() {
    std::vector<double> p;
    for (int i = 0; i <= 60; ++i) p.push_back(100 / (1 + std::pow(10.0, 5 - i / 6.0)));
    return p;
}

// A loss not exceeded for p % of the time cannot shrink as p grows.
TEST(Physics, LossNeverRisesAsThePercentageFalls) {
    testing_support::RandomPaths random(4242);
    const std::vector<double> percentages = ascendingPercentages();
    for (int k = 0; k < 300; ++k) {
        const PathInput input = random.gentlePath();
        const PreparedPath path = preparePath(input, random.maps(testing_support::MapRange::Observed));
        const double f1 = random.frequencyGhz();
        const double frequencies[] = {f1, random.frequencyGhz()};
        std::vector<Row> rows(rowCount(frequencies, percentages));
        fillRows(path, frequencies, percentages, rows);
        for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
            if ((i + 1) % percentages.size() == 0) continue;  // the next frequency starts
            ASSERT_EQ(rows[i].status, RowStatus::Computed) << rows[i].refusal;
            EXPECT_LE(rows[i].lb, rows[i + 1].lb + 1e-9) << "path " << k << " at " << rows[i].ghz << " GHz, from "
                                                         << rows[i].tpc << " % to " << rows[i + 1].tpc << " %";
        }
    }
}

// Over flat ground with the first Fresnel zone clear, the median loss is free
// space plus a little gas and fading.
TEST(Physics, ClearLineOfSightNearFreeSpace) {
    struct Case {
        double dKm, mastM, fGhz;
    };
    for (const Case c : {Case{5, 30, 1}, Case{10, 60, 2}, Case{20, 100, 5}, Case{30, 150, 0.4}, Case{15, 60, 11}}) {
        const Row r = computeRow(evenPath(
                                     201, c.dKm, [](double) { return 100.0; }, 4, c.mastM, c.mastM),
                                 temperateMaps(), c.fGhz, 50);
        ASSERT_EQ(r.flagLos50, 1) << c.dKm;
        EXPECT_NEAR(r.lb, r.lbfs, 3) << c.dKm << " km at " << c.fGhz << " GHz";
        EXPECT_EQ(decidingMechanism(r), Mechanism::NearSurface);
    }
}

}  // namespace
}  // namespace tropolink::p2001
