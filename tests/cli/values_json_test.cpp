#include "report/values_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "grammar/batch_line.h"
#include "link/pass_window.h"
#include "report/box_writers.h"

namespace tropolink::cli {
namespace {

using nlohmann::json;

struct Pass {
    PassValues values;
    json object;
};

Pass passFor(std::string_view line) {
    HeadlessWindow window;
    Pass pass{runPass(window, parseBatchLine(line)), {}};
    std::string out;
    appendBoxObject(out, boxTextsOf(window), &pass.values);
    pass.object = json::parse(out);
    return pass;
}

// Exact comparison: the text must read back to the very same double.
TEST(ValuesJsonTest, NumbersReadBackExactly) {
    const Pass p = passFor("");
    const json& v = p.object["values"];
    EXPECT_EQ(v["scatteringAngle"].get<double>(), p.values.geometry.scatteringAngle);
    EXPECT_EQ(v["station1"]["takeOffAngle"].get<double>(), p.values.geometry.station1.takeOffAngle);
    EXPECT_EQ(v["station2"]["rxSensitivity"].get<double>(), p.values.receiver2.rxSensitivity);
    EXPECT_EQ(v["station1"]["eirpDbw"].get<double>(), p.values.transmitter1.eirpDbw);
    EXPECT_EQ(v["station2"]["beamwidth"].get<double>(), p.values.beamwidth2);
    EXPECT_EQ(v["lineOfSightLoss"].get<double>(), p.values.lineOfSightLoss);
    EXPECT_EQ(v["perfectDuctLoss"].get<double>(), p.values.perfectDuctLoss);
    EXPECT_EQ(v["atmosphericAttenuation"].get<double>(), p.values.atmosphericAttenuation);
    EXPECT_EQ(v["yeh"]["loss"].get<double>(), p.values.yeh.loss);
    EXPECT_EQ(v["yeh"]["couplingLoss"].get<double>(), p.values.yeh.couplingLoss);
    EXPECT_EQ(v["ccir"]["couplingLoss"].get<double>(), p.values.ccir.couplingLoss);
    EXPECT_EQ(v["rider"]["signalToNoise"]["atStation2"].get<double>(), p.values.signalToNoise[4].atStation2);
    EXPECT_EQ(v["averageLoss"].get<double>(), *p.values.averageLoss);
}

// The member names are an interface: scripts rely on every one of them.
TEST(ValuesJsonTest, HasEveryDocumentedMember) {
    const json v = passFor("").object["values"];
    for (const char* name :
         {"scatteringAngle", "lineOfSight", "station1", "station2", "lineOfSightLoss", "perfectDuctLoss",
          "atmosphericAttenuation", "yeh", "itt", "ccir", "collins", "rider", "averageLoss"})
        EXPECT_TRUE(v.contains(name)) << name;
    for (const char* station : {"station1", "station2"})
        for (const char* name : {"takeOffAngle", "horizonLimited", "rxSensitivity", "eirpDbw", "beamwidth"})
            EXPECT_TRUE(v[station].contains(name)) << station << "." << name;
    for (const char* method : {"yeh", "itt", "ccir", "collins", "rider"}) {
        EXPECT_EQ(v[method]["verdict"], "valid") << method;
        EXPECT_TRUE(v[method]["signalToNoise"].contains("atStation1")) << method;
        EXPECT_TRUE(v[method]["signalToNoise"].contains("atStation2")) << method;
    }
    EXPECT_EQ(v.size(), 13U);
}

struct VerdictCase {
    std::string line;
    std::string method;
    std::string verdict;
    bool hasLoss;
    bool hasSignalToNoise;
};

class VerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTest, FollowsThePathLossBox) {
    const VerdictCase& c = GetParam();
    const json m = passFor(c.line).object["values"][c.method];
    EXPECT_EQ(m["verdict"], c.verdict);
    EXPECT_EQ(m["loss"].is_number(), c.hasLoss);
    EXPECT_EQ(m["signalToNoise"]["atStation1"].is_number(), c.hasSignalToNoise);
    EXPECT_EQ(m["signalToNoise"]["atStation2"].is_number(), c.hasSignalToNoise);
}

constexpr const char* kLineOfSight = "HScroll1=10000 HScroll11=10000";

INSTANTIATE_TEST_SUITE_P(Paths, VerdictTest,
                         testing::Values(VerdictCase{"distance-km=2000", "itt", "outOfRange", false, false},
                                         VerdictCase{"distance-km=2000", "collins", "outOfRange", false, false},
                                         VerdictCase{"distance-km=60 s1.antenna-height-m=100", "rider", "outOfRange",
                                                     false, false},
                                         // On a line-of-sight path every column uses the line-of-sight loss.
                                         VerdictCase{kLineOfSight, "yeh", "lineOfSight", true, true},
                                         VerdictCase{kLineOfSight, "itt", "lineOfSight", false, true},
                                         VerdictCase{kLineOfSight, "rider", "lineOfSight", false, true}));

TEST(ValuesJsonTest, LineOfSightHasNoAverageLoss) {
    const json v = passFor(kLineOfSight).object["values"];
    EXPECT_TRUE(v["averageLoss"].is_null());
    EXPECT_TRUE(v["lineOfSight"].get<bool>());
    EXPECT_TRUE(v["station1"]["horizonLimited"].get<bool>());
}

// The box texts go into JSON as they are: they must never need escaping.
TEST(ValuesJsonTest, BoxTextsArePlainAscii) {
    std::string allMinimum;
    std::string allMaximum;
    for (const SliderSpec& s : kSliders) {
        allMinimum += std::string(s.name) + "=" + std::to_string(s.minimum) + " ";
        allMaximum += std::string(s.name) + "=" + std::to_string(s.maximum) + " ";
    }
    for (const std::string& line : {std::string(), allMinimum, allMaximum, allMinimum + "power-div-1000",
                                    std::string(kLineOfSight), std::string("distance-km=2000")}) {
        const json object = passFor(line).object;
        for (const auto& [name, text] : object.items()) {
            if (name == "values") continue;
            for (const char c : text.get<std::string>())
                EXPECT_TRUE(c >= 0x20 && c < 0x7f && c != '"' && c != '\\') << line << " " << name;
        }
    }
}

}  // namespace
}  // namespace tropolink::cli
