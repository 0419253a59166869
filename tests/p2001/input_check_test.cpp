// The method's domain: every input out of it is refused, naming the input and
// what is allowed; the boundaries themselves are accepted.
#include "p2001/input_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "p2001/prepared_path.h"
#include "p2001/rows.h"
#include "test_paths.h"

namespace tropolink::p2001 {
namespace {

using testing_support::evenPath;
using testing_support::temperateMaps;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct BadInput {
    const char* what;
    std::function<void(PathInput&, MapValues&)> spoil;
    const char* input;    // InputError::input()
    const char* allowed;  // in the message
};

const BadInput kBad[] = {
    {"ten points", [](PathInput& p, MapValues&) { p = evenPath(10, 50, [](double) { return 0.0; }); }, "profile",
     "more than 10 points"},
    {"a zone short", [](PathInput& p, MapValues&) { p.zone.pop_back(); }, "profile", "of equal count"},
    {"first distance", [](PathInput& p, MapValues&) { p.distanceKm[0] = 0.1; }, "profile point 1", "at distance 0"},
    {"repeated distance", [](PathInput& p, MapValues&) { p.distanceKm[5] = p.distanceKm[4]; }, "profile point 6",
     "farther than the point before"},
    {"NaN height", [](PathInput& p, MapValues&) { p.heightM[3] = kNaN; }, "profile point 4 height", "finite"},
    {"zone 2", [](PathInput& p, MapValues&) { p.zone[7] = 2; }, "profile point 8 zone", "1 (sea), 3"},
    {"longitude", [](PathInput& p, MapValues&) { p.tx.lonDeg = 180.5; }, "transmitter longitude", "-180 to 180"},
    {"latitude", [](PathInput& p, MapValues&) { p.rx.latDeg = -90.01; }, "receiver latitude", "-90 to 90"},
    {"antenna at ground", [](PathInput& p, MapValues&) { p.tx.antennaHeightM = 0; }, "transmitter antenna height",
     "above 0 m"},
    {"gain", [](PathInput& p, MapValues&) { p.rx.gainDbi = kNaN; }, "receiver gain", "finite"},
    {"polarisation", [](PathInput& p, MapValues&) { p.polarisation = static_cast<Polarisation>(2); }, "polarisation",
     "horizontal or vertical"},
    {"median gradient", [](PathInput&, MapValues& m) { m.dnMedian = 157; }, "DN_Median at the mid-point", "below 157"},
    {"water vapour", [](PathInput&, MapValues& m) { m.surfwvRx = -0.1; }, "surfwv_50_fixed at the receiver",
     "0 g/m3 or more"},
    {"foEs", [](PathInput&, MapValues& m) { m.foEsQuarter[2] = 0; }, "FoEs10 at a quarter of the path", "above 0"},
    {"rain probability", [](PathInput&, MapValues& m) { m.rainMid.pr6Percent = 101; }, "Esarain_Pr6 at the mid-point",
     "0 to 100"},
    {"convective fraction", [](PathInput&, MapValues& m) { m.rainRxSegment.betaRain = 1.01; },
     "Esarain_Beta at the receiver's segment", "0 to 1"},
    {"zone 7", [](PathInput&, MapValues& m) { m.tropoClimTx = 7; }, "TropoClim at the transmitter", "0 to 6"},
};

class Domain : public ::testing::TestWithParam<BadInput> {};

TEST_P(Domain, RefusedNamingTheInputAndItsRange) {
    PathInput path = evenPath(21, 50, [](double) { return 100.0; });
    MapValues maps = temperateMaps();
    GetParam().spoil(path, maps);
    try {
        preparePath(path, maps);
        FAIL() << GetParam().what << " was accepted";
    } catch (const InputError& e) {
        EXPECT_EQ(e.input(), GetParam().input);
        EXPECT_NE(std::string(e.what()).find(GetParam().allowed), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(P2001, Domain, ::testing::ValuesIn(kBad));

TEST(Domain, BoundsOfFrequencyAndPercentage) {
    const PreparedPath path = preparePath(evenPath(21, 50, [](double) { return 100.0; }), temperateMaps());
    for (const double f : {0.03, 50.0}) EXPECT_NO_THROW(frequencyTerms(path, f)) << f;
    for (const double f : {0.0299999, 50.0000001, kNaN}) EXPECT_THROW(frequencyTerms(path, f), InputError) << f;
    for (const double p : {1e-12, 100 - 1e-12}) EXPECT_NO_THROW(percentTerms(path, p)) << p;
    for (const double p : {0.0, 100.0, -1.0, kNaN}) {
        try {
            percentTerms(path, p);
            ADD_FAILURE() << p << " was accepted";
        } catch (const InputError& e) {
            EXPECT_EQ(e.input(), "percentage");
            EXPECT_NE(std::string(e.what()).find("strictly between 0 and 100"), std::string::npos);
        }
    }
}

TEST(Domain, ElevenPointsAndTheMapBoundsAccepted) {
    MapValues maps = temperateMaps();
    maps.rainMid = {100, 0, 1, 0};  // every bound of the rain maps at once
    maps.surfwvMid = 0;
    maps.tropoClimCommonVolume = 0;
    EXPECT_NO_THROW(preparePath(evenPath(11, 50, [](double) { return 0.0; }), maps));
}

TEST(Domain, TableChecksEveryValueBeforeWritingARow) {
    const PreparedPath path = preparePath(evenPath(21, 50, [](double) { return 100.0; }), temperateMaps());
    std::vector<Row> rows(4);
    rows[0].lb = -1;
    const double frequencies[] = {1, 2};
    const double percentages[] = {50, 100};
    EXPECT_THROW(fillRows(path, frequencies, percentages, rows), InputError);
    EXPECT_EQ(rows[0].lb, -1);
    const double good[] = {50, 60};
    EXPECT_THROW(fillRows(path, frequencies, good, std::span<Row>(rows).first(3)), std::invalid_argument);
}

}  // namespace
}  // namespace tropolink::p2001
