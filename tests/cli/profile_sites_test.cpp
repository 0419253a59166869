#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "../climate/synthetic_maps.h"
#include "run_cli.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::HasSubstr;
using testing::StartsWith;
using testing_support::CliRun;
using testing_support::runCli;

// The committed crop of the White Mountains tile: real heights along this path.
const std::string kDem = std::string(TROPOLINK_SOURCE_DIR) + "/docs/examples/white-mountains.tif";
const std::vector<std::string> kSites{"--from", "44.2706,-71.3033", "--to", "44.9, -71.9"};

std::vector<std::string> demArgs(std::vector<std::string> more = {}) {
    std::vector<std::string> args{"profile"};
    args.insert(args.end(), kSites.begin(), kSites.end());
    args.insert(args.end(), {"--dem", kDem});
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

fs::path scratch(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tropolink-sites-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines that a profile gives whatever the route: settings, horizons, boxes.
std::vector<std::string> settingsHorizonsAndBoxes(const std::string& out) {
    std::vector<std::string> kept;
    for (const std::string& line : linesOf(out))
        if (line.rfind("s1.", 0) == 0 || line.rfind("station", 0) == 0 || line.rfind("Text", 0) == 0)
            kept.push_back(line);
    return kept;
}

TEST(ProfileSitesTest, TheDemGivesThePathFromTheSummit) {
    const CliRun run = runCli(demArgs({"--json"}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const json j = json::parse(run.out);
    const json& path = j["path"];
    EXPECT_NEAR(path["site1"]["groundM"].get<double>(), 1907, 3);  // Mount Washington
    EXPECT_NEAR(path["lengthKm"].get<double>(), 84.48, 0.01);
    EXPECT_EQ(path["stepM"], 92);
    EXPECT_EQ(path["pointCount"], 920);
    EXPECT_GT(path["azimuth1Deg"].get<double>(), 270);
    EXPECT_FALSE(path["commonVolume"].is_null());
    EXPECT_EQ(j["climate"]["n0"]["source"], "default");
}

TEST(ProfileSitesTest, WrittenProfileReadsBackToTheSameSettingsHorizonsAndBoxes) {
    const fs::path csv = scratch("round-trip.csv");
    const CliRun fromDem = runCli(demArgs({"--write-profile", csv.string()}));
    ASSERT_EQ(fromDem.exitStatus, 0) << fromDem.err;
    const CliRun fromFile = runCli({"profile", csv.string()});
    ASSERT_EQ(fromFile.exitStatus, 0) << fromFile.err;
    const std::vector<std::string> expected = settingsHorizonsAndBoxes(fromDem.out);
    EXPECT_EQ(expected.size(), 1u + 2u + 52u);
    EXPECT_EQ(settingsHorizonsAndBoxes(fromFile.out), expected);
    // With the sites again, the file is placed where the DEM put it.
    std::vector<std::string> placed{"profile", csv.string()};
    placed.insert(placed.end(), kSites.begin(), kSites.end());
    EXPECT_THAT(runCli(placed).out, HasSubstr("points from the profile file"));
}

TEST(ProfileSitesTest, KmlAndGeoJsonHoldThePath) {
    const fs::path kml = scratch("path.kml");
    const fs::path geojson = scratch("path.geojson");
    const CliRun run = runCli(demArgs({"--kml", kml.string(), "--geojson", geojson.string()}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(climate::testing::readFile(kml), HasSubstr("<kml"));
    const json features = json::parse(climate::testing::readFile(geojson))["features"];
    std::vector<std::string> names;
    for (const json& f : features) names.push_back(f["properties"]["name"]);
    EXPECT_THAT(names, testing::IsSupersetOf({"Common volume"}));
    EXPECT_EQ(names.size(), 6u);
}

TEST(ProfileSitesTest, TheOptionDecidesTheFormatWhateverTheName) {
    const struct {
        std::string option;
        std::string name;
    } cases[] = {{"--kml", "a.geojson"}, {"--kml", "b"}, {"--geojson", "c.kml"}, {"--geojson", "d.txt"}};
    for (const auto& c : cases) {
        const fs::path file = scratch(c.name);
        const CliRun run = runCli(demArgs({c.option, file.string()}));
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        const std::string text = climate::testing::readFile(file);
        if (c.option == "--kml") {
            EXPECT_THAT(text, HasSubstr("<kml")) << c.name;
        } else {
            EXPECT_EQ(json::parse(text)["features"].size(), 6u) << c.name;
        }
    }
}

TEST(ProfileSitesTest, AnUnusablePlaceForTheFeaturesIsRefusedBeforeAnyWork) {
    const fs::path folder = scratch("features-folder");
    fs::create_directories(folder);
    const struct {
        std::vector<std::string> more;
        int exitStatus;
        std::string message;
    } cases[] = {
        {{"--kml", folder.string()}, 2, "--kml=" + folder.string() + ": a folder (allowed: a file in an existing folder)"},
        {{"--geojson", (folder / "no" / "x.json").string()}, 2, "--geojson=" + (folder / "no" / "x.json").string() + ": no such folder"},
        {{"--kml", "-"}, 2, "--kml -: standard output (allowed: a file name)"},
        {{"--geojson", "/dev/full"}, 1, "cannot write /dev/full: No space left on device"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(demArgs(c.more));
        EXPECT_EQ(run.exitStatus, c.exitStatus) << c.message;
        // Refused before the maps are looked for; the failed write after their note, if any.
        EXPECT_THAT(run.err, HasSubstr("tropolink-cli: " + c.message));
        if (c.exitStatus == 2) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(ProfileSitesTest, AFileFarFromTheSitesLengthIsRefused) {
    const std::string profile = "0,100\n10,120\n20,100\n";
    std::vector<std::string> args{"profile", "-"};
    args.insert(args.end(), kSites.begin(), kSites.end());
    const CliRun run = runCli(args, profile);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("the profile is 20.000 km long, the path between the sites 84.481 km"));
}

struct BadSiteCase {
    std::vector<std::string> args;
    std::string message;
};

class BadSiteTest : public testing::TestWithParam<BadSiteCase> {};

TEST_P(BadSiteTest, OneLineAndStatus2) {
    const CliRun run = runCli(GetParam().args, "0,0\n5,40\n100,0\n");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, StartsWith("tropolink-cli: "));
    EXPECT_THAT(run.err, HasSubstr(GetParam().message));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sites, BadSiteTest,
    testing::Values(
        BadSiteCase{{"profile", "--from", "44,-71", "--dem", "x"}, "--from: given without --to"},
        BadSiteCase{{"profile", "-", "--from", "44,-71", "--to", "45,-71", "--dem", "x"}, "--dem: given with a profile FILE"},
        BadSiteCase{{"profile"}, "profile: neither a FILE nor --dem"},
        BadSiteCase{{"profile", "--dem", "x"}, "--dem: given without --from and --to"},
        BadSiteCase{{"profile", "-", "--step-m", "50"}, "--step-m: given without --dem"},
        BadSiteCase{{"profile", "-", "--kml", "x.kml"}, "--kml: given without --from and --to"},
        BadSiteCase{{"profile", "--from", "91,0", "--to", "45,-71", "--dem", "x"}, "--from 91,0: latitude out of range"},
        BadSiteCase{{"profile", "--from", "44;-71", "--to", "45,-71", "--dem", "x"}, "--from 44;-71"},
        BadSiteCase{{"profile", "--from", "44,-71", "--to", "44,-71", "--dem", kDem}, "the two sites are the same place"},
        BadSiteCase{{"profile", "--from", "44.5,-71.5", "--to", "44.5,-71.505", "--dem", kDem}, "1 to 2000 km"},
        BadSiteCase{{"profile", "--from", "44.5,-71.5", "--to", "44.6,-71.5", "--dem", "/no/such/dem"}, "/no/such/dem"},
        BadSiteCase{{"profile", "--from", "44.5,-71.5", "--to", "44.6,-71.5", "--dem", kDem, "--step-m", "0.5"},
                    "--step-m 0.5: out of range"},
        BadSiteCase{{"profile", "--from", "44.5,-71.5", "--to", "46.5,-71.5", "--dem", kDem}, "km from site 1"}));

// Maps whose N0 and delta-N are planes in the grid, zone 5 on land everywhere.
fs::path planeMapsFolder() {
    const fs::path dir = scratch("maps");
    fs::create_directories(dir);
    climate::testing::writeFile(dir / "N050.TXT", climate::testing::n0Text());
    climate::testing::writeFile(dir / "DN50.TXT", climate::testing::deltaNText());
    climate::testing::writeFile(dir / "TropoClim.txt", climate::testing::zoneText(5));
    return dir;
}

TEST(ProfileSitesTest, TheMapsGiveTheClimateAndOptionsWin) {
    const std::string maps = planeMapsFolder().string();
    const CliRun run = runCli(demArgs({"--maps", maps, "--json", "--availability", "--required-snr", "10"}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const json j = json::parse(run.out);
    const json& c = j["climate"];
    EXPECT_EQ(c["n0"]["source"], "map");
    EXPECT_EQ(c["n0"]["where"], "common volume");
    EXPECT_EQ(c["deltaNForRadius"]["where"], "midpoint");
    EXPECT_EQ(c["climateZone"]["value"], 5);
    // The slider shows N0 rounded and held to its range; P.617 takes it exact.
    const double n0 = c["n0"]["value"];
    ASSERT_GT(n0, 350.5);  // the plane is high here
    EXPECT_EQ(c["surfaceRefractivity"], 350);
    EXPECT_THAT(c["surfaceRefractivityNote"].get<std::string>(), HasSubstr("it shows 350"));
    EXPECT_EQ(j["boxes"]["Text23"], " 350");
    EXPECT_EQ(j["availability"]["p617"].size(), 5u);

    const CliRun given = runCli(demArgs({"--maps", maps, "--json", "--availability", "--delta-n", "41.338935",
                                         "--climate-zone", "2", "--set", "surface-refractivity=300"}));
    ASSERT_EQ(given.exitStatus, 0) << given.err;
    const json g = json::parse(given.out)["climate"];
    EXPECT_EQ(g["deltaN"]["source"], "option");
    EXPECT_EQ(g["deltaN"]["value"], 41.338935);
    EXPECT_EQ(g["climateZone"]["source"], "option");
    EXPECT_TRUE(g["surfaceRefractivity"].is_null());
    EXPECT_EQ(json::parse(given.out)["boxes"]["Text23"], " 300");
    // Another climate, another availability.
    EXPECT_NE(json::parse(run.out)["availability"]["p2001"], json::parse(given.out)["availability"]["p2001"]);
}

TEST(ProfileSitesTest, WithoutMapsTheDefaultsStandAndStandardErrorSaysSo) {
    // No maps where lookups look: the environment's folder and the user's are empty.
    fs::create_directories(scratch("empty"));
    ::setenv("TROPOLINK_MAPS", scratch("empty").c_str(), 1);
    ::setenv("XDG_DATA_HOME", scratch("empty").c_str(), 1);
    const CliRun run = runCli(demArgs({}));
    ::unsetenv("TROPOLINK_MAPS");
    ::unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_THAT(run.err, HasSubstr("the ITU-R maps would give N0, delta-N and the climate zone"));
    EXPECT_THAT(run.out, HasSubstr("climate zone            6, default"));
}

// A folder the user named is never passed over for the defaults.
TEST(ProfileSitesTest, ANamedMapsFolderWithoutTheMapsIsRefused) {
    fs::create_directories(scratch("empty"));
    const CliRun run = runCli(demArgs({"--maps", scratch("empty").string()}));
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "tropolink-cli: " + scratch("empty").string() +
                           ": lacks N050.TXT, DN50.TXT and TropoClim.txt (allowed: a maps folder holding the ITU-R maps "
                           "N050.TXT, DN50.TXT and TropoClim.txt)\n");
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace tropolink::cli
