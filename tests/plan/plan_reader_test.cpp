#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "plan/plan_check.h"
#include "plan/plan_toml.h"

namespace tropolink {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

// A plan refused by the reader or the check: the one line it gives.
std::string refusal(const std::string& text) {
    try {
        checkPlan(parsePlan(text, "link.tropolink.toml"));
    } catch (const PlanError& e) {
        return e.what();
    }
    return "accepted";
}

struct BadPlan {
    const char* what;
    const char* text;
    const char* position;  // "LINE:COLUMN"
    const char* message;   // what follows the position
};

// Every class of bad input, each naming the file, the line and column, the
// key, the problem and what is allowed.
const BadPlan kBadPlans[] = {
    {"syntax error", "title = \n", "1:9", "not TOML: "},
    {"unterminated string", "title = \"open\n", "1:14", "not TOML: "},
    {"duplicate key", "title = \"a\"\ntitle = \"b\"\n", "2:9", "not TOML: "},
    {"unknown key", "[station1]\ntx-powr = 5\n", "2:1",
     "station1.tx-powr: unknown key (allowed: name, site, mast-m, antenna-height-m,"},
    {"unknown table", "[station3]\nname = \"x\"\n", "1:2", "station3: unknown key (allowed: title, notes,"},
    {"key with its prefix", "[station1]\ns1.tx-power = 5\n", "2:1", "station1.s1: unknown key"},
    {"string for a number", "[path]\nfrequency-mhz = \"505\"\n", "2:17",
     "path.frequency-mhz: a string where a number belongs (allowed: 50 to 25000 MHz in steps of 1)"},
    {"number for a boolean", "power-div-1000 = 1\n", "1:18", "power-div-1000: a number where true or false belongs"},
    {"number for a string", "title = 5\n", "1:9", "title: a number where a string belongs"},
    {"number for a table", "station1 = 5\n", "1:12", "station1: a number where a table belongs"},
    {"date for a number", "[itu]\ndelta-n = 1979-05-27\n", "2:11", "itu.delta-n: a date or time where a number belongs"},
    {"site of three numbers", "[station1]\nsite = [44, -71, 3]\n", "2:8", "station1.site: 3 numbers (allowed: [LAT, LON]"},
    {"string in the percent list", "[requirement]\npercent = [50, \"90\"]\n", "2:16",
     "requirement.percent: a string where a number belongs"},
    {"out of range", "[station1]\nantenna-height-m = 10001\n", "2:20",
     "station1.antenna-height-m = 10001: out of range (allowed: 0 to 10000 m in steps of 1)"},
    {"exponent", "[station1]\ntx-power = 1e3\n", "2:12", "station1.tx-power = 1e3: not a plain decimal number"},
    {"exponent in a float", "[itu]\ndelta-n = 4.5e1\n", "2:11", "itu.delta-n = 4.5e1: not a plain decimal number"},
    {"underscores", "[path]\nfrequency-mhz = 1_000\n", "2:17", "path.frequency-mhz = 1_000: not a plain decimal number"},
    {"hexadecimal", "[path]\nfrequency-mhz = 0x100\n", "2:17", "path.frequency-mhz = 0x100: not a plain decimal number"},
    {"infinity", "[itu]\nn0 = inf\n", "2:6", "itu.n0 = inf: not a plain decimal number"},
    {"between two steps", "[path]\nfrequency-mhz = 432.5\n", "2:17",
     "path.frequency-mhz = 432.5: between two steps of the slider"},
    {"zone not whole", "[itu]\nclimate-zone = 6.5\n", "2:16", "itu.climate-zone = 6.5: not a whole number (allowed: a whole number from 1 to 7)"},
    {"percent at its bound", "[requirement]\npercent = [50, 100]\n", "2:16",
     "requirement.percent = 100: out of range (allowed: a plain decimal strictly between 0 and 100)"},
    {"availability above 100", "[requirement]\navailability-percent = 100.5\n", "2:24",
     "requirement.availability-percent = 100.5: out of range"},
    {"required S/N too low", "[requirement]\nsnr-db = -50.5\n", "2:10", "requirement.snr-db = -50.5: out of range"},
    {"diversity order 3", "[diversity]\norder = 3\n", "2:9",
     "diversity.order = 3: not a diversity order (allowed: 1, 2 or 4)"},
    {"diversity order as a float", "[diversity]\norder = 2.0\n", "2:9",
     "diversity.order = 2.0: not a diversity order (allowed: 1, 2 or 4)"},
    {"combiner as a number", "[diversity]\ncombiner = 2\n", "2:12", "diversity.combiner: a number where a string belongs"},
    {"unknown combiner", "[diversity]\ncombiner = \"MRC\"\n", "2:12",
     "diversity.combiner = MRC: unknown combiner (allowed: selection or maximal-ratio)"},
    {"branch correlation above 0.99", "[diversity]\norder = 2\nbranch-correlation = 0.991\n", "3:22",
     "diversity.branch-correlation = 0.991: out of range (allowed: a plain decimal from 0 to 0.99)"},
    {"branch correlation without dual diversity", "[diversity]\nbranch-correlation = 0.5\n", "2:22",
     "diversity.branch-correlation = 0.5: given without dual diversity (allowed: 0, or a plain decimal from 0 to "
     "0.99 with diversity.order = 2)"},
    {"unknown diversity key", "[diversity]\nbranches = 2\n", "2:1",
     "diversity.branches: unknown key (allowed: order, combiner, branch-correlation)"},
    {"missing site with a DEM", "[path]\ndem = [\"srtm/\"]\n[station1]\nsite = [44.27, -71.3]\n", "2:8",
     "station2.site: missing: [path].dem needs both sites"},
    {"site without ground", "[station2]\nsite = [44.27, -71.3]\n", "2:9",
     "station2.site: given without [path].dem or [path].profile"},
    {"DEM and profile", "[path]\ndem = \"a.tif\"\nprofile = \"p.csv\"\n", "3:11",
     "path.profile: given with [path].dem (allowed: [path].dem or [path].profile, not both)"},
    {"slider the profile fixes", "[station1]\nantenna-height-m = 30\n[path]\nprofile = \"p.csv\"\n", "2:20",
     "station1.antenna-height-m: given with a DEM or profile, which fixes it"},
    {"distance with a profile", "[path]\nprofile = \"p.csv\"\ndistance-km = 100\n", "3:15",
     "path.distance-km: given with a DEM or profile"},
    {"ground height with a profile", "[path]\nprofile = \"p.csv\"\n[itu]\nground-height-km = 0.5\n", "4:20",
     "itu.ground-height-km: given with a DEM or profile"},
    {"mast without terrain", "[station2]\nmast-m = 30\n", "2:10", "station2.mast-m: given without a DEM or profile"},
    {"step without a DEM", "[path]\nstep-m = 30\n", "2:10", "path.step-m: given without [path].dem"},
    {"missing profile", "[path]\nprofile = \"no-such.csv\"\n", "2:11", "path.profile: no such file or folder: no-such.csv"},
    {"missing DEM", "[path]\ndem = [\"a.tif\"]\n[station1]\nsite = [44, -71]\n[station2]\nsite = [45, -72]\n", "2:8",
     "path.dem: no such file or folder: a.tif"},
    {"latitude out of range", "[path]\ndem = \"a.tif\"\n[station1]\nsite = [91, -71]\n[station2]\nsite = [45, -72]\n",
     "4:9", "station1.site 91,-71: "},
};

void PrintTo(const BadPlan& bad, std::ostream* out) { *out << bad.what; }

class BadPlanTest : public testing::TestWithParam<BadPlan> {};

TEST_P(BadPlanTest, OneLineWithFileLineColumnKeyAndAllowed) {
    const BadPlan& bad = GetParam();
    const std::string message = refusal(bad.text);
    EXPECT_THAT(message, StartsWith(std::string("link.tropolink.toml:") + bad.position + ": " + bad.message)) << bad.what;
    EXPECT_EQ(message.find('\n'), std::string::npos);
    if (std::string(bad.message).find("not TOML") == std::string::npos &&
        std::string(bad.message).find("no such file") == std::string::npos &&
        std::string(bad.message).find("missing") == std::string::npos) {
        EXPECT_THAT(message, HasSubstr("allowed"));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryClass, BadPlanTest, testing::ValuesIn(kBadPlans));

TEST(PlanReaderTest, NumbersKeepTheirTextAndPosition) {
    const Plan plan = parsePlan("[station1]\ntx-power = 1000.0   # W\n[requirement]\npercent = [ 50, +99.90 ]\n", "a");
    const PlanText& power = plan.station1.settings.at("tx-power");
    EXPECT_EQ(power.text, "1000.0");
    EXPECT_EQ(power.at.line, 2);
    EXPECT_EQ(power.at.column, 12);
    ASSERT_EQ(plan.requirement.percent.size(), 2u);
    EXPECT_EQ(plan.requirement.percent[1].text, "+99.90");
}

TEST(PlanReaderTest, ColumnsCountCharactersAfterWideText) {
    const std::string message = refusal("title = \"Mont Bl\xC3\xA9\" ; x = 1\n");
    EXPECT_THAT(message, StartsWith("link.tropolink.toml:1:"));
    const Plan plan = parsePlan("[station1]\nname = \"\xC3\xA9\xC3\xA9\" \nsite = [ 1, 2]\n", "a");
    EXPECT_EQ((*plan.station1.site)[1].text, "2");
}

TEST(PlanReaderTest, ValuesAtTheirBoundsAreAccepted) {
    const CheckedPlan plan = checkPlan(parsePlan(
        "[station1]\nrx-bandwidth-hz = 5000\ntx-line-loss-db = 0\n[path]\nfrequency-mhz = 50\n"
        "[requirement]\npercent = [0.001, 99.999]\navailability-percent = 99.9999\nsnr-db = -50\n"
        "[itu]\nclimate-zone = 7\nground-height-km = 5\n",
        "a"));
    EXPECT_EQ(plan.form, PlanForm::Settings);
    EXPECT_EQ(plan.availability.percents, (std::vector<double>{0.001, 99.999}));
    EXPECT_DOUBLE_EQ(plan.requiredAvailabilityPercent, 99.9999);
    EXPECT_EQ(plan.availability.requiredSnrDb, -50);
    EXPECT_TRUE(plan.requested.isSet(Slider::HScroll21));
}

TEST(PlanReaderTest, AnEmptyPlanIsTheCalculatorAtItsStart) {
    const CheckedPlan plan = checkPlan(parsePlan("", "a"));
    EXPECT_EQ(plan.form, PlanForm::Settings);
    EXPECT_EQ(plan.requested.settings().positions, startPositions());
    EXPECT_EQ(plan.availability.percents, defaultPercents());
    EXPECT_FALSE(plan.availability.requiredSnrDb);
    EXPECT_EQ(plan.station1.name, "Station 1");
}

TEST(PlanReaderTest, PowerInMilliwattsReadsTheMilliwattRange) {
    const std::string message = refusal("power-div-1000 = true\n[station1]\ntx-power = 100000001\n");
    const std::string watts = refusal("[station1]\ntx-power = 100001\n");
    EXPECT_NE(message.find("mW"), std::string::npos) << message;
    EXPECT_EQ(watts.find("mW"), std::string::npos) << watts;
}

TEST(PlanReaderTest, MadeInMemoryTheMessageHasNoPosition) {
    Plan plan;
    plan.station1.settings["tx-power"] = {"1e3", {}};
    try {
        checkPlan(plan);
        FAIL();
    } catch (const PlanError& e) {
        EXPECT_THAT(e.what(), StartsWith("station1.tx-power = 1e3: not a plain decimal number"));
        EXPECT_EQ(e.key(), "station1.tx-power");
    }
}

}  // namespace
}  // namespace tropolink
