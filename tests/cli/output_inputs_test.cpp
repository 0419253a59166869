// An output that is one of the run's inputs is refused before any work, found
// by file identity: a report must never replace its plan, nor a profile the
// DEM tile it was read from, however the output is spelt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hostile_run.h"
#include "tests/climate/synthetic_maps.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using climate::testing::readFile;
using climate::testing::ScratchDir;
using climate::testing::writeFile;
using testing::StartsWith;
using testing_support::CliRun;
using testing_support::HostileSetup;
using testing_support::runHostile;

constexpr char kSites[] = "[station1]\nsite = [44.5, -71.5]\n[station2]\nsite = [44.6, -71.0]\n";

struct OverwriteCase {
    std::vector<std::string> args;
    std::string victim;   // the input the output would replace
    std::string refusal;  // the start of the one line
};

TEST(OutputInputsTest, AnOutputThatIsAnInputIsRefusedBeforeAnyWork) {
    const ScratchDir dir;
    writeFile(dir / "plan.tropolink.toml", std::string("[path]\ndem = [\"dem\"]\n") + kSites);
    writeFile(dir / "profile.tropolink.toml", std::string("[path]\nprofile = \"p.csv\"\n"));
    writeFile(dir / "p.csv", "0,0\n5,40\n100,0\n");
    fs::create_directories(dir / "dem");
    writeFile(dir / "dem" / "N44W072.hgt", "a tile");
    writeFile(dir / "dem" / "readme.txt", "beside the tiles");
    fs::create_symlink(dir / "plan.tropolink.toml", dir / "link.html");
    fs::create_hard_link(dir / "p.csv", dir / "hard.svg");
    fs::create_directories(dir / "maps");
    writeFile(dir / "maps" / "N050.TXT", climate::testing::n0Text());
    writeFile(dir / "maps" / "DN50.TXT", climate::testing::deltaNText());
    writeFile(dir / "maps" / "TropoClim.txt", climate::testing::zoneText());
    const std::string sites[] = {"--from", "44.5,-71.5", "--to", "44.6,-71.0"};
    const auto withSites = [&](std::vector<std::string> rest) {
        std::vector<std::string> args{"profile", sites[0], sites[1], sites[2], sites[3]};
        args.insert(args.end(), rest.begin(), rest.end());
        return args;
    };
    const std::string same = "the same file as the input ";
    const OverwriteCase cases[] = {
        {{"plan", "plan.tropolink.toml", "--report", "plan.tropolink.toml"},
         "plan.tropolink.toml",
         "--report=plan.tropolink.toml: " + same + "plan.tropolink.toml (allowed: a file that is none of the inputs"},
        {{"plan", "plan.tropolink.toml", "--svg", "./sub/../plan.tropolink.toml"}, "plan.tropolink.toml", "--svg="},
        {{"plan", "plan.tropolink.toml", "--report", "link.html"}, "plan.tropolink.toml", "--report=link.html: "},
        {{"plan", "plan.tropolink.toml", "--report", "dem/N44W072.hgt"},
         "dem/N44W072.hgt",
         "--report=dem/N44W072.hgt: " + same + "dem/N44W072.hgt"},
        {{"plan", "plan.tropolink.toml", "--kml", "dem/readme.txt"}, "dem/readme.txt", "--kml=dem/readme.txt: "},
        {{"plan", "plan.tropolink.toml", "--maps", "maps", "--geojson", "maps/N050.TXT"},
         "maps/N050.TXT",
         "--geojson=maps/N050.TXT: " + same + "maps/N050.TXT"},
        {{"plan", "profile.tropolink.toml", "--svg", "p.csv"}, "p.csv", "--svg=p.csv: " + same + "p.csv"},
        {{"profile", "p.csv", "--svg", "hard.svg"}, "p.csv", "--svg=hard.svg: " + same + "p.csv"},
        {withSites({"--dem", "dem/N44W072.hgt", "--write-profile", "dem/N44W072.hgt"}),
         "dem/N44W072.hgt",
         "--write-profile=dem/N44W072.hgt: "},
        {withSites({"--dem", "dem", "--kml", "dem/N44W072.hgt"}), "dem/N44W072.hgt", "--kml=dem/N44W072.hgt: "},
    };
    fs::create_directories(dir / "sub");
    for (const OverwriteCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const std::string before = readFile(dir / c.victim);
        HostileSetup setup;
        setup.workingDirectory = dir.path().string();
        const CliRun run = runHostile(c.args, setup);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, StartsWith("tropolink-cli: " + c.refusal));
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_EQ(readFile(dir / c.victim), before);
    }
}

}  // namespace
}  // namespace tropolink::cli
