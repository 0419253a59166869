#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"
#include "tests/climate/synthetic_itu_maps.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::HasSubstr;
using testing::StartsWith;
using testing_support::CliRun;
using testing_support::runCli;

const fs::path kExamples = fs::path(TROPOLINK_SOURCE_DIR) / "docs/examples";
const std::string kDemPlan = (kExamples / "white-mountains.tropolink.toml").string();
const std::string kSlidersPlan = (kExamples / "st-anthony-gander.tropolink.toml").string();

class PlanCliTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tropolink-plan-cli-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& text) const {
        const fs::path path = dir_ / name;
        std::ofstream(path) << text;
        return path.string();
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& start) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(start)) lines.push_back(line);
    return lines;
}

TEST_F(PlanCliTest, ARefusedPlanWritesOneLineAndNoFile) {
    const std::string plan = file("bad.tropolink.toml", "title = \"x\"\n[station1]\ntx-power = 1e3\n");
    const std::string report = path("bad.html");
    const std::string kml = path("bad.kml");
    const CliRun run = runCli({"plan", plan, "--report", report, "--json"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tropolink-cli: " + plan +
                           ":3:12: station1.tx-power = 1e3: not a plain decimal number (allowed: a plain decimal "
                           "from 0.0001 to 100000 W)\n");
    EXPECT_FALSE(fs::exists(report));
    EXPECT_FALSE(fs::exists(kml));
}

TEST_F(PlanCliTest, EachBadInputClassExitsWithStatusTwo) {
    const std::pair<const char*, const char*> plans[] = {
        {"[path\n", ":1:6: not TOML"},
        {"colour = 1\n", ":1:1: colour: unknown key"},
        {"[itu]\ndelta-n = \"40\"\n", ":2:11: itu.delta-n: a string where a number belongs"},
        {"[itu]\ndelta-n = 81\n", ":2:11: itu.delta-n = 81: out of range (allowed: a plain decimal from 20 to 80 N-units/km)"},
        {"[path]\ndem = \"srtm/\"\n", ":2:7: station1.site: missing"},
        {"[station1]\nmast-m = 5\n", ":2:10: station1.mast-m: given without a DEM or profile"},
        {"[path]\nprofile = \"gone.csv\"\n", ":2:11: path.profile: no such file or folder"},
    };
    for (const auto& [text, message] : plans) {
        const std::string plan = file("p.tropolink.toml", text);
        const CliRun run = runCli({"plan", plan});
        EXPECT_EQ(run.exitStatus, 2) << text;
        EXPECT_THAT(run.err, StartsWith("tropolink-cli: " + plan + message)) << text;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(PlanCliTest, APlanThatCannotBeReadIsBadInput) {
    const CliRun missing = runCli({"plan", path("gone.tropolink.toml")});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_EQ(missing.err, "tropolink-cli: " + path("gone.tropolink.toml") +
                               ": cannot read the plan: No such file or directory (allowed: a readable .tropolink.toml "
                               "file)\n");
    const CliRun folder = runCli({"plan", dir_.string()});
    EXPECT_EQ(folder.exitStatus, 2);
    EXPECT_THAT(folder.err, HasSubstr("a folder, not a plan"));
}

TEST_F(PlanCliTest, NewWritesTheTemplateAndNeverOverwrites) {
    const std::string plan = path("new.tropolink.toml");
    const CliRun first = runCli({"plan", "--new", plan});
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    const std::string written = readFile(plan);
    EXPECT_THAT(written, HasSubstr("# tx-power = 100\n"));
    EXPECT_EQ(runCli({"plan", plan}).exitStatus, 0);  // an empty plan runs
    std::ofstream(plan, std::ios::app) << "title = \"mine\"\n";
    const CliRun second = runCli({"plan", "--new", plan});
    EXPECT_EQ(second.exitStatus, 2);
    EXPECT_THAT(second.err, HasSubstr("already exists"));
    EXPECT_EQ(readFile(plan), written + "title = \"mine\"\n");
}

TEST_F(PlanCliTest, TheDemPlanGivesTheProfileCommandsBoxes) {
    const CliRun plan = runCli({"plan", kDemPlan});
    ASSERT_EQ(plan.exitStatus, 0) << plan.err;
    // Without the 14 maps the more cautious troposcatter method decides; the rows follow.
    EXPECT_THAT(plan.out, StartsWith("Verdict: the link needs S/N >= 10 dB for 99.9 % of the year\n"
                                     "  NOT MET, decided by P.2001 troposcatter"));
    EXPECT_THAT(plan.out, HasSubstr("\n  P.617, received at Mount Washington: met, available 99.99"));
    EXPECT_THAT(plan.out, HasSubstr("  P.2001 troposcatter, received at Memphremagog: NOT MET, available 98.2"));
    const std::vector<std::string> station{"tx-power=10", "tx-line-loss-db=2", "rx-noise-figure-db=2",
                                           "rx-line-loss-db=2", "antenna-gain-dbi=30", "rx-bandwidth-hz=3000"};
    std::vector<std::string> args{"profile",        "--from", "44.2706,-71.3033", "--to", "44.9,-71.9",
                                  "--dem",          (kExamples / "white-mountains.tif").string(),
                                  "--s1-mast-m",    "20",     "--s2-mast-m",       "30",   "--set", "frequency-mhz=900"};
    for (const std::string prefix : {"s1.", "s2."})
        for (const std::string& s : station) args.insert(args.end(), {"--set", prefix + s});
    const CliRun profile = runCli(args);
    ASSERT_EQ(profile.exitStatus, 0) << profile.err;
    EXPECT_EQ(linesStartingWith(plan.out, "Text"), linesStartingWith(profile.out, "Text"));
    EXPECT_EQ(linesStartingWith(plan.out, "station"), linesStartingWith(profile.out, "station"));
}

TEST_F(PlanCliTest, TheSlidersPlanGivesTheBoxesOfSet) {
    const CliRun plan = runCli({"plan", kSlidersPlan});
    ASSERT_EQ(plan.exitStatus, 0) << plan.err;
    const std::vector<std::string> settings = linesStartingWith(plan.out, "s1.");
    ASSERT_EQ(settings.size(), 1u);
    std::vector<std::string> args;
    std::istringstream words(settings.front());
    for (std::string word; words >> word;) args.insert(args.end(), {"--set", word});
    const CliRun single = runCli(args);
    EXPECT_EQ(linesStartingWith(plan.out, "Text"), linesStartingWith(single.out, "Text"));
}

TEST_F(PlanCliTest, JsonIsOneObjectWithThePlanVerdictsAndSources) {
    const CliRun run = runCli({"plan", kDemPlan, "--json"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
    const json j = json::parse(run.out);
    EXPECT_EQ(j["form"], "demWithSites");
    EXPECT_EQ(j["plan"]["station1"]["name"], "Mount Washington");
    EXPECT_EQ(j["plan"]["path"]["dem"][0], "white-mountains.tif");
    ASSERT_EQ(j["verdicts"].size(), 6u);
    // Without its maps the complete method comes first and does not apply, with the reason.
    EXPECT_EQ(j["verdicts"][0]["method"], "P.2001 all mechanisms");
    EXPECT_EQ(j["verdicts"][0]["applies"], false);
    EXPECT_EQ(j["verdicts"][0]["reason"], "its 14 ITU-R maps are not installed");
    EXPECT_EQ(j["p2001All"]["skipped"], "noMaps");
    EXPECT_THAT(j["p2001All"]["reason"].get<std::string>(), HasSubstr("maps download"));
    EXPECT_EQ(j["verdicts"][2]["method"], "P.617");
    EXPECT_EQ(j["verdicts"][2]["met"], true);
    EXPECT_EQ(j["verdicts"][2]["applies"], true);
    EXPECT_EQ(j["verdicts"][4]["met"], false);
    EXPECT_EQ(j["decision"]["method"], "P.2001 troposcatter");
    EXPECT_EQ(j["climate"]["n0"]["source"], "default");
    EXPECT_EQ(j["boxes"]["Text1"], " 1927");
    EXPECT_TRUE(j["notes"].is_array());
    EXPECT_TRUE(j["availability"]["p617"].is_array());
    const json sliders = json::parse(runCli({"plan", kSlidersPlan, "--json"}).out);
    EXPECT_EQ(sliders["climate"]["deltaN"]["source"], "option");
    EXPECT_EQ(sliders["climate"]["n0"]["source"], "slider");
}

TEST_F(PlanCliTest, WithTheFourteenMapsTheCompleteMethodDecidesTheVerdict) {
    climate::testing::writeAllMaps(dir_ / "maps");
    const CliRun run = runCli({"plan", kDemPlan, "--maps", path("maps")});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<std::string> verdict = linesStartingWith(run.out, "  ");
    ASSERT_GE(verdict.size(), 3u);
    EXPECT_THAT(verdict[0], StartsWith("  met, decided by P.2001 all mechanisms"));
    EXPECT_THAT(verdict[0], HasSubstr("diffraction and clear-air propagation near the surface decides the loss"));
    EXPECT_THAT(verdict[1], HasSubstr("another mechanism carries the signal"));
    EXPECT_THAT(run.out, HasSubstr("received at Memphremagog, Mount Washington transmitting:"));
    EXPECT_THAT(run.out, HasSubstr("received at Mount Washington, Memphremagog transmitting:"));

    climate::testing::writeTroposcatterMaps(dir_ / "three");
    const CliRun three = runCli({"plan", kDemPlan, "--maps", path("three")});
    ASSERT_EQ(three.exitStatus, 0) << three.err;
    EXPECT_THAT(three.out, HasSubstr("P.2001 all mechanisms: left out, its 14 maps are not installed"));
    EXPECT_THAT(three.out, HasSubstr("lacks 13 (install them with"));
}

TEST_F(PlanCliTest, ThePolarisationKeyIsRefusedWithoutSites) {
    const std::string plan = file("p.tropolink.toml", "[path]\npolarisation = \"vertical\"\n");
    const CliRun run = runCli({"plan", plan});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_THAT(run.err, HasSubstr("path.polarisation: given without sites"));
}

TEST_F(PlanCliTest, TheReportIsWrittenWholeBesideTheText) {
    const std::string report = path("link.html");
    const CliRun run = runCli({"plan", kSlidersPlan, "--report", report});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, StartsWith("Verdict:"));
    EXPECT_THAT(readFile(report), StartsWith("<!DOCTYPE html>"));
}

TEST_F(PlanCliTest, OutputsThePlanCannotGiveAreRefused) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--kml", path("a.kml")}, "--kml: given for a plan without sites"},
        {{"--svg", path("a.svg")}, "--svg: given for a plan without terrain"},
        {{"--report", "-"}, "--report -: standard output"},
        {{"--json", "--json"}, "--json: given twice"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args{"plan", kSlidersPlan};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitStatus, 2) << message;
        EXPECT_THAT(run.err, HasSubstr(message));
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(path("a.kml")));
}

}  // namespace
}  // namespace tropolink::cli
