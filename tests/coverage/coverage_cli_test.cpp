// `tropolink-cli coverage`: what it refuses before any work, in one line and
// with exit status 2, leaving no file; what a run prints and writes; the
// same bytes for any --jobs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "climate/map_format.h"
#include "coverage_fixtures.h"
#include "link/p2001_maps.h"
#include "run_cli.h"
#include "tests/climate/synthetic_maps.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;
using cli::testing_support::runCli;

// `coverage` with `options`, `changes` replacing them, or added after them
// when the name starts with "+" or is not among them; an empty value is a flag.
std::vector<std::string> commandLine(std::vector<std::pair<std::string, std::string>> options,
                                     const std::vector<std::pair<std::string, std::string>>& changes) {
    const std::size_t given = options.size();
    for (const auto& [name, value] : changes) {
        std::size_t i = 0;
        while (i < given && options[i].first != name) ++i;
        if (i < given)
            options[i].second = value;
        else
            options.emplace_back(name.front() == '+' ? name.substr(1) : name, value);
    }
    std::vector<std::string> line{"coverage"};
    for (const auto& [name, value] : options) {
        line.push_back(name);
        if (!value.empty()) line.push_back(value);
    }
    return line;
}

class CoverageCliTest : public ::testing::Test {
protected:
    CoverageCliTest() {
        fs::create_directory(maps.path() / "climate");
        const fs::path folder = maps.path() / "climate";
        climate::testing::writeFile(folder / "N050.TXT", climate::testing::n0Text());
        climate::testing::writeFile(folder / "DN50.TXT", climate::testing::deltaNText());
        climate::testing::writeFile(folder / "TropoClim.txt", climate::testing::zoneText(5));
    }
    // A small P.617 map around the tile's site, with `changes` replacing its
    // options, or added after them when the name starts with "+".
    std::vector<std::string> args(const std::vector<std::pair<std::string, std::string>>& changes = {}) const {
        std::vector<std::pair<std::string, std::string>> options{
            {"--site", "44.5,-71.5"},      {"--radius-km", "8"},     {"--cell-m", "500"},
            {"--dem", tiles.paths[0]},     {"--frequency-mhz", "2000"}, {"--percent", "99.9"},
            {"--s1-mast-m", "30"},         {"--s2-mast-m", "10"},    {"--method", "p617"},
            {"--maps", (maps.path() / "climate").string()}, {"--out", (out.path() / "map.tif").string()}};
        return commandLine(options, changes);
    }

    Tiles tiles;
    TempDir maps;
    TempDir out;
};

TEST_F(CoverageCliTest, RefusalsBeforeAnyWork) {
    const std::string missing = (out.path() / "none" / "map.tif").string();
    const struct {
        std::vector<std::pair<std::string, std::string>> changes;
        std::string message;
    } cases[] = {
        {{{"--radius-km", "1000.5"}}, "--radius-km 1000.5: out of range (allowed: a plain decimal from 1 to 1000 km)"},
        {{{"--cell-m", "29.9"}}, "--cell-m 29.9: out of range (allowed: a plain decimal from 30 to 100000 m)"},
        {{{"--radius-km", "1000"}, {"--cell-m", "30"}}, "--radius-km 1000 with --cell-m 30: "},
        {{{"--site", "46.5,-71.5"}}, "--site 46.5,-71.5: outside every DEM (allowed: a site that a --dem file or tile holds)"},
        {{{"--site", "44.5"}}, "--site 44.5: "},
        {{{"--out", missing}}, "--out " + missing + ": cannot be written: No such file or directory"},
        {{{"--png", (out.path() / "map.tif").string()}}, "--png=" + (out.path() / "map.tif").string() + ": the same file as --out"},
        {{{"--out", "-"}}, "--out=-: standard output (allowed: a file name: the map is written whole)"},
        {{{"--method", "p618"}}, "--method p618: no such method (allowed: p2001-all, p617 or p2001-troposcatter)"},
        {{{"--percent", "100"}}, "--percent 100: "},
        {{{"--frequency-mhz", "20"}}, "--frequency-mhz 20: out of range (allowed: a plain decimal from 30 to 50000 MHz)"},
        {{{"--s2-mast-m", "-1"}}, "--s2-mast-m -1: "},
        {{{"--s1-gain-dbi", "90"}}, "--s1-gain-dbi 90: out of range (allowed: a plain decimal from -20 to 80 dBi)"},
        {{{"--sector", "90"}}, "--sector 90: not two numbers"},
        {{{"--sector", "90,0"}}, "--sector width 0: no width"},
        {{{"--polarisation", "vertical"}}, "--polarisation: given with --method p617"},
        {{{"--method", "p2001-troposcatter"}, {"--polarisation", "circular"}},
         "--polarisation circular: no such polarisation (allowed: vertical or horizontal)"},
        {{{"--jobs", "0"}}, "--jobs 0: "},
        {{{"--step-m", "0.5"}}, "--step-m 0.5: "},
        {{{"--fill-voids", ""}, {"+--fill-voids", ""}}, "--fill-voids: given twice"},
        {{{"--dem", (out.path() / "none.hgt").string()}}, "DEM " + (out.path() / "none.hgt").string() + ": no such file or folder"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(args(c.changes));
        SCOPED_TRACE(c.message);
        EXPECT_EQ(run.exitStatus, 2) << run.err;
        EXPECT_EQ(run.err.rfind("tropolink-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(filesIn(out.path()).empty());
    }
}

TEST_F(CoverageCliTest, RunPrintsTheCountsAndWritesTheMap) {
    const auto run = runCli(args({{"--sector", "90,180"}, {"+--percent", "50"}}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no terminal: no progress
    for (const char* line : {"computed: ", "outside the sector: ", "beyond the radius: ", " paths in "})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    EXPECT_EQ(filesIn(out.path()), std::vector<std::string>{"map.tif"});
    EXPECT_EQ(readBand((out.path() / "map.tif").string(), 2).size(), readBand((out.path() / "map.tif").string(), 1).size());
}

// The 14 maps of the complete P.2001, each a constant of a temperate climate.
void writeP2001Maps(const fs::path& folder) {
    const std::pair<p2001::MapFile, double> values[] = {
        {p2001::MapFile::DnMedian, 45},   {p2001::MapFile::DnSupSlope, 14},         {p2001::MapFile::DnSubSlope, 9},
        {p2001::MapFile::Dndz01, -250},   {p2001::MapFile::SurfaceWaterVapour, 7.5}, {p2001::MapFile::ZeroDegreeHeight, 2.5},
        {p2001::MapFile::RainPr6, 4.5},   {p2001::MapFile::RainMt, 900},            {p2001::MapFile::RainBeta, 0.25},
        {p2001::MapFile::FoEs01, 9.5},    {p2001::MapFile::FoEs1, 6.5},             {p2001::MapFile::FoEs10, 4.2},
        {p2001::MapFile::FoEs50, 2.6},    {p2001::MapFile::TropoClim, 4},
    };
    fs::create_directories(folder);
    for (const auto& [file, value] : values) {
        const climate::MapFormat& f = climate::mapFormat(p2001MapKind(file));
        climate::testing::writeFile(folder / std::string(f.fileName),
                                    climate::testing::gridText(f.rows, f.columns, [v = value](int, int) { return v; }));
    }
}

TEST_F(CoverageCliTest, P2001AllReadsTheInstalledMapsAndIsRefusedWithoutThem) {
    const fs::path none = maps.path() / "none";
    fs::create_directory(none);
    const auto refused = runCli(args({{"--method", "p2001-all"}, {"--maps", none.string()}}));
    EXPECT_EQ(refused.exitStatus, 2) << refused.err;
    EXPECT_NE(refused.err.find("needs its 14 ITU-R maps; " + none.string() + " lacks DN_Median.txt, "), std::string::npos)
        << refused.err;
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    EXPECT_TRUE(filesIn(out.path()).empty());

    writeP2001Maps(maps.path() / "p2001");
    const auto run = runCli(args({{"--method", "p2001-all"}, {"--maps", (maps.path() / "p2001").string()},
                                  {"--radius-km", "4"}, {"--polarisation", "horizontal"}}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("computed: "), std::string::npos) << run.out;
    const std::vector<float> band = readBand((out.path() / "map.tif").string(), 1);
    EXPECT_TRUE(std::any_of(band.begin(), band.end(), [](float v) { return v > 100 && v < 250; }));
}

TEST_F(CoverageCliTest, SameFilesForAnyJobs) {
    std::vector<std::string> bytes;
    for (const char* jobs : {"1", "2", "3"}) {
        const std::string tif = (out.path() / (std::string("map") + jobs + ".tif")).string();
        const auto run = runCli(args({{"--jobs", jobs}, {"--out", tif}, {"--fill-voids", ""}}));
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        bytes.push_back(fileBytes(tif));
    }
    EXPECT_EQ(bytes[0], bytes[1]);
    EXPECT_EQ(bytes[0], bytes[2]);
}

// A plan's link around the same site, and the map's options beside it.
class CoveragePlanCliTest : public CoverageCliTest {
protected:
    CoveragePlanCliTest() { write(""); }
    void write(const std::string& extra) const {
        std::ofstream(plan) << "[station1]\nsite = [44.5, -71.5]\nmast-m = 30\ntx-power = 100\nantenna-gain-dbi = 30\n"
                               "[station2]\nsite = [44.6, -71.6]\nantenna-gain-dbi = 20\nrx-bandwidth-hz = 3000\n"
                               "[path]\nfrequency-mhz = 2000\ndem = [\""
                            << tiles.paths[0] << "\"]\n" << extra
                            << "[requirement]\nsnr-db = 10\navailability-percent = 99.9\npercent = [50]\n";
    }
    std::vector<std::string> planArgs(const std::vector<std::pair<std::string, std::string>>& changes = {}) const {
        return commandLine({{"--plan", plan},
                            {"--radius-km", "8"},
                            {"--cell-m", "500"},
                            {"--method", "p617"},
                            {"--maps", (maps.path() / "climate").string()},
                            {"--out", (out.path() / "map.tif").string()}},
                           changes);
    }
    TempDir planDir;
    std::string plan = (planDir.path() / "link.tropolink.toml").string();
};

TEST_F(CoveragePlanCliTest, RefusalsBeforeAnyWork) {
    const std::string none = (planDir.path() / "none.tropolink.toml").string();
    const struct {
        std::string planExtra;
        std::vector<std::pair<std::string, std::string>> added;
        std::string message;
    } cases[] = {
        {"", {{"--plan", none}}, none + ": "},
        {"frequency-mhz = 2000\n", {}, plan + ":13:17: not TOML: "},
        {"polarisation = \"circular\"\n", {}, plan + ":13:16: path.polarisation: not a polarisation"},
        {"", {{"--frequency-mhz", "2100"}},
         "--frequency-mhz 2100: contradicts the plan " + plan + " (allowed: the plan's frequency 2000, or leave it out)"},
        {"", {{"--site", "44.5,-71.4"}}, "--site 44.5,-71.4: contradicts the plan "},
        {"", {{"--s2-mast-m", "12"}}, "--s2-mast-m 12: contradicts the plan " + plan + " (allowed: the plan's station 2's mast 10, "},
        {"", {{"--s1-gain-dbi", "0"}}, "--s1-gain-dbi 0: contradicts the plan "},
        {"", {{"--fill-voids", ""}}, "--fill-voids: contradicts the plan " + plan + " (allowed: the plan's fill-voids = false, "},
        {"", {{"--step-m", "30"}}, "--step-m 30: contradicts the plan "},
        {"", {{"--percent", "100"}}, "--percent 100: out of range"},
        {"", {{"--method", "p2001-troposcatter"}, {"--polarisation", "horizontal"}},
         "--polarisation horizontal: contradicts the plan " + plan + " (allowed: the plan's vertical, "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        write(c.planExtra);
        const auto run = runCli(planArgs(c.added));
        EXPECT_EQ(run.exitStatus, 2) << run.err;
        EXPECT_EQ(run.err.rfind("tropolink-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(filesIn(out.path()).empty());
    }
    std::ofstream(plan) << "[path]\nfrequency-mhz = 2000\n[requirement]\nsnr-db = 10\n";
    const auto noSites = runCli(planArgs());
    EXPECT_EQ(noSites.exitStatus, 2);
    EXPECT_NE(noSites.err.find("--plan: " + plan + " has no sites (allowed: "), std::string::npos) << noSites.err;
}

TEST_F(CoveragePlanCliTest, TheBandsAreTheMarginAtThePlansPercentages) {
    const auto run = runCli(planArgs({{"--frequency-mhz", "2000"}, {"--s1-mast-m", "30"}}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string tif = (out.path() / "map.tif").string();
    const auto metadata = metadataOf(tif);
    EXPECT_EQ(metadata.at("PLAN"), plan);
    EXPECT_EQ(metadata.at("VALUES"), "S/N margin, dB");
    EXPECT_EQ(metadata.at("LIMIT"), "0");
    EXPECT_EQ(metadata.at("REQUIRED_SNR_DB"), "10");
    EXPECT_EQ(metadata.at("PERCENTAGES"), "50 99.9");
    EXPECT_EQ(metadata.at("DEMS"), tiles.paths[0]);
    const std::vector<float> median = readBand(tif, 1), year = readBand(tif, 2);
    std::size_t computed = 0;
    for (std::size_t i = 0; i < median.size(); ++i)
        if (!std::isnan(median[i])) {
            ++computed;
            EXPECT_GT(median[i], year[i]);  // the margin shrinks as p rises
        }
    EXPECT_GT(computed, 50u);

    const auto given = runCli(planArgs({{"--percent", "90"}, {"--out", (out.path() / "p.tif").string()}}));
    ASSERT_EQ(given.exitStatus, 0) << given.err;
    EXPECT_EQ(metadataOf((out.path() / "p.tif").string()).at("PERCENTAGES"), "90");
}

}  // namespace
}  // namespace tropolink::coverage
