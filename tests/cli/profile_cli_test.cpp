#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "report/profile_report.h"
#include "run_cli.h"

namespace tropolink::cli {
namespace {

using nlohmann::json;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;
using testing_support::CliRun;
using testing_support::runCli;

// Sea level every 100 m over 250 km, with a 300 m hill 8 km from station 1.
std::string hillProfile() {
    std::string text = "distance_km,height_m\n# hill\n";
    for (int i = 0; i <= 2500; ++i)
        text += std::to_string(i / 10) + "." + std::to_string(i % 10) + (i == 80 ? ",300\n" : ",0\n");
    return text;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(ProfileCliTest, HillIsTheHorizonAndTheBoxesAreThoseOfTheBatchLine) {
    const CliRun run = runCli({"profile", "-", "--s2-mast-m", "25", "--set", "frequency-mhz=2000"}, hillProfile());
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 1 + 1 + 3 + 1 + 52u);
    EXPECT_EQ(out[0],
              "s1.antenna-height-m=10 s1.obstruction-height-m=300 s1.obstruction-distance-km=8 s2.antenna-height-m=25 "
              "s2.obstruction-height-m=0 s2.obstruction-distance-km=21 frequency-mhz=2000 distance-km=250");
    EXPECT_THAT(out[3],
                StartsWith("station1    83                8.000     300.0     35.7791       35.7791           0.0000"));

    const CliRun batch = runCli({"--batch"}, out[0] + "\n");
    ASSERT_EQ(batch.exitStatus, 0);
    const json boxes = json::parse(batch.out);
    for (int n = 1; n <= 52; ++n) {
        const std::string name = "Text" + std::to_string(n);
        EXPECT_THAT(out[static_cast<std::size_t>(5 + n)], StartsWith(name + "\t" + boxes[name].get<std::string>() + "\t"));
    }

    const CliRun asJson =
        runCli({"profile", "-", "--json", "--s2-mast-m=25", "--set=frequency-mhz=2000"}, hillProfile());
    ASSERT_EQ(asJson.exitStatus, 0);
    const json j = json::parse(asJson.out);
    EXPECT_EQ(j["boxes"], boxes);
    EXPECT_EQ(j["settings"],
              json::parse(R"({"s1.antenna-height-m":10,"s1.obstruction-height-m":300,"s1.obstruction-distance-km":8,
                "s2.antenna-height-m":25,"s2.obstruction-height-m":0,"s2.obstruction-distance-km":21,"distance-km":250})"));
    EXPECT_EQ(j["horizon"]["station1"]["distanceKm"], 8.0);
    EXPECT_EQ(j["horizon"]["station1"]["heightM"], 300.0);
    EXPECT_EQ(j["horizon"]["station1"]["row"], 83);
    // Station 2 sees the sea about √(2 R 0.025) = 20.6 km out; the grid moves it to 21 km and 1 m.
    EXPECT_NEAR(j["horizon"]["station2"]["distanceKm"].get<double>(), 20.6, 0.1);
    EXPECT_GT(j["horizon"]["station2"]["angleMradOnGrid"].get<double>(),
              j["horizon"]["station2"]["angleMrad"].get<double>());
}

TEST(ProfileCliTest, RefusedInputIsOneLineWithTheRowAndNothingOnStdout) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string message;
    };
    const std::string ok = "0,0\n5,40\n10,0\n";
    const std::vector<Case> cases{
        {{}, "0,0\n5,x\n10,0\n", "standard input: row 2: x: height is not a number (allowed: decimal numbers"},
        {{}, "km,m\n0,0\n5,NaN\n10,0\n", "standard input: row 3: NaN: height is not a finite number"},
        {{}, "0,0\ninf,1\n10,0\n", "standard input: row 2: inf: distance is not a finite number"},
        {{},
         "0,0\n5,0\n5,0\n",
         "standard input: row 3: 5: distance does not rise (allowed: distances that rise "
         "strictly, beyond row 2)"},
        {{}, "0,0\n10,0\n", "standard input: row 2: only 2 points (allowed: 3 to 100000 points)"},
        {{},
         "0,0\n5,10001\n10,0\n",
         "standard input: row 2: the horizon of station 1 at 10001 m asl is out of "
         "range (allowed: 0 to 10000 m asl, rounded to the metre)"},
        {{},
         "0,0\n5,0\n1999.7,0\n2000.5,0\n",
         "standard input: row 4: the path distance 2000.5 km is out of range (allowed: "
         "1 to 2000 km, rounded to the km)"},
        {{"--s1-mast-m", "10000.5"}, ok, "--s1-mast-m 10000.5: out of range (allowed: a plain decimal from 0 to 10000 m)"},
        {{"--s2-mast-m", "ten"}, ok, "--s2-mast-m ten: not a plain decimal number"},
        {{"--set", "distance-km=100"}, ok, "distance-km=100: distance-km is fixed by the profile"},
        {{"--set", "HScroll12=7"}, ok, "HScroll12=7: HScroll12 is fixed by the profile"},
        {{"--set", "frequency-mhz=10"}, ok, "frequency-mhz=10: out of range (allowed: 50 to 25000 MHz"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"profile", "-"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = runCli(args, c.input);
        SCOPED_TRACE(c.input);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, StartsWith("tropolink-cli: " + c.message));
        EXPECT_EQ(lines(run.err).size(), 1u);
    }
    const CliRun named = runCli({"profile", "/nonexistent/dir/p.csv"});
    EXPECT_EQ(named.exitStatus, 2);
    EXPECT_EQ(named.err, "tropolink-cli: cannot read /nonexistent/dir/p.csv: No such file or directory\n");
    const CliRun folder = runCli({"profile", "/"});
    EXPECT_EQ(folder.exitStatus, 2);
    EXPECT_EQ(folder.err, "tropolink-cli: cannot read /: Is a directory\n");
}

TEST(ProfileCliTest, AvailabilityUsesTheExactProfileGeometry) {
    // A hill of 297.4 m at 7.6 km: the grid moves it to 297 m at 8 km.
    std::string text;
    for (int i = 0; i <= 2500; ++i)
        text += std::to_string(i / 10) + "." + std::to_string(i % 10) + (i == 76 ? ",297.4\n" : ",0\n");
    const CliRun run = runCli({"profile", "-", "--json", "--availability", "--percent", "99"}, text);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const json j = json::parse(run.out);
    const json& geometry = j["availability"]["geometry"];
    EXPECT_EQ(geometry["thetaTMrad"], j["horizon"]["station1"]["angleMrad"]);
    EXPECT_EQ(geometry["thetaRMrad"], j["horizon"]["station2"]["angleMrad"]);
    EXPECT_EQ(j["availability"]["p617"].size(), 1u);

    // The availability subcommand on the rounded sliders sees another angle.
    std::vector<std::string> args{"availability", "--json", "--percent", "99"};
    for (const auto& [name, value] : j["settings"].items()) {
        args.push_back("--set");
        args.push_back(name + "=" + std::to_string(value.get<int>()));
    }
    const json onGrid = json::parse(runCli(args).out);
    EXPECT_GT(std::abs(onGrid["geometry"]["thetaTMrad"].get<double>() - geometry["thetaTMrad"].get<double>()), 0.1);

    const CliRun textRun = runCli({"profile", "-", "--availability"}, text);
    EXPECT_THAT(textRun.out, HasSubstr("\nITU-R methods on the profile's own geometry: horizon angles "));
    EXPECT_EQ(runCli({"profile", "-", "--delta-n", "40"}, text).exitStatus, 2);
}

TEST(ProfileCliTest, PictureOfThePath) {
    const auto path = std::filesystem::temp_directory_path() / "tropolink-profile-test.svg";
    const CliRun run = runCli({"profile", "-", "--svg", path.string()}, hillProfile());
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    const std::string svg = testing_support::readAll(fd);
    ::close(fd);
    std::filesystem::remove(path);
    EXPECT_THAT(svg, HasSubstr("Effective earth radius 8495 km (k-factor 1.33); heights exaggerated"));
    EXPECT_THAT(svg, Not(HasSubstr("8494.64543")));
    // Each horizon's distance is from its own station; its height is read on the axis, bulge added.
    EXPECT_THAT(svg, HasSubstr(">8.0 km from station 1, 300 m + 114 m bulge</text>"));
    EXPECT_THAT(svg, HasSubstr(" km from station 2, 0 m + "));
    EXPECT_THAT(svg, HasSubstr(">lowest point of the common volume: "));
    EXPECT_THAT(svg, HasSubstr(">Distance from station 1 (km)</text>"));
    EXPECT_THAT(svg, HasSubstr(">Height above sea level + earth bulge (m)</text>"));
    // No frequency was set: the slider's default does not draw a Fresnel zone.
    EXPECT_THAT(svg, HasSubstr("No frequency given: no Fresnel zone drawn"));
    EXPECT_THAT(svg, Not(HasSubstr("id=\"fresnel-zone\"")));
    EXPECT_THAT(svg, HasSubstr("the direct line between the antennas meets the ground"));
    EXPECT_TRUE(svg.ends_with("</svg>\n"));
}

// Where each column's entry ends on a line of the table.
std::vector<std::size_t> columnEnds(const std::string& line) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] != ' ' && (i + 1 == line.size() || line[i + 1] == ' ')) ends.push_back(i + 1);
    return ends;
}

TEST(ProfileReportTest, HorizonHeadingsStandOverTheirFigures) {
    struct Case {
        double distanceKm;
        double heightM;
        long row;
    };
    for (const Case& c : {Case{13.5, 605, 31}, Case{1234567.5, 12345678.9, 1234567}, Case{0.001, -0.04, 2}}) {
        profile::ProfileSettings p;
        p.station1.horizonRow = c.row;
        p.station1.horizon.distanceKm = c.distanceKm;
        p.station1.horizon.heightM = c.heightM;
        p.station2.horizonRow = 3;
        std::string out;
        appendHorizonTable(out, p);
        const auto table = lines(out);
        ASSERT_EQ(table.size(), 3u);
        EXPECT_THAT(table[0], StartsWith("horizon   "));
        EXPECT_THAT(table[0], HasSubstr("km-from-own-station"));
        const auto header = columnEnds(table[0]);
        ASSERT_EQ(header.size(), 7u);
        // The names start at the left; every figure ends where its heading does.
        for (std::size_t r = 1; r < 3; ++r) {
            const auto ends = columnEnds(table[r]);
            ASSERT_EQ(ends.size(), 7u) << table[r];
            for (std::size_t col = 1; col < 7; ++col) EXPECT_EQ(ends[col], header[col]) << table[r];
        }
        if (c.distanceKm >= 1e6) {
            EXPECT_THAT(table[1], HasSubstr(" 1.235e+06 "));
        }
    }
}

}  // namespace
}  // namespace tropolink::cli
