// Files made to hurt the tool, given to it whole: a plan nested 40 000 deep,
// a ZIP fanned out level after level, a good ZIP beside a bad map.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hostile_run.h"
#include "tests/climate/stored_zip.h"
#include "tests/climate/synthetic_maps.h"

namespace tropolink::cli {
namespace {

using climate::testing::ScratchDir;
using climate::testing::storedZip;
using climate::testing::writeFile;
using testing::StartsWith;
using testing_support::CliRun;
using testing_support::runHostile;

namespace fs = std::filesystem;

// A run that neither crashes nor hangs, refused in one line with status 2.
CliRun refused(const std::vector<std::string>& args) {
    const CliRun run = runHostile(args, {});
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    return run;
}

TEST(HostileInputsTest, APlanNested40000DeepIsRefusedInOneLine) {
    const ScratchDir dir;
    std::string header = "[a";
    for (int i = 1; i < 40000; ++i) header += ".a";
    writeFile(dir / "deep.tropolink.toml", header + "]\n");
    const CliRun run = refused({"plan", (dir / "deep.tropolink.toml").string()});
    EXPECT_THAT(run.err, StartsWith("tropolink-cli: " + (dir / "deep.tropolink.toml").string() +
                                    ":1:130: a key or value nested more than 64 deep (allowed: "));
}

TEST(HostileInputsTest, AZipFannedOutIsRefusedInsteadOfWalkedForHours) {
    const ScratchDir dir;
    std::string zip = storedZip({{"readme.txt", "nothing here", {}}});
    for (int level = 0; level < 4; ++level) {
        std::vector<std::pair<std::string, std::size_t>> copies;
        for (int i = 0; i < 299; ++i) copies.emplace_back("c" + std::to_string(10000 + i).substr(1) + ".zip", 0);
        zip = storedZip({{"inner.zip", zip, {}}}, copies);
    }
    writeFile(dir / "fan.zip", zip);
    const CliRun run = refused({"maps", "import", (dir / "fan.zip").string(), "--maps", (dir / "maps").string()});
    EXPECT_EQ(run.err, "tropolink-cli: " + (dir / "fan.zip").string() +
                           ": more than 10000 members, counting those of the ZIPs within it (allowed: at most 10000 "
                           "in all)\n");
    EXPECT_FALSE(fs::exists(dir / "maps" / "N050.TXT"));
}

TEST(HostileInputsTest, AGoodZipBesideABadMapInstallsNothing) {
    const ScratchDir dir;
    writeFile(dir / "good.zip", storedZip({{"N050.TXT", climate::testing::n0Text(), {}}}));
    fs::create_directories(dir / "bad");
    writeFile(dir / "bad" / "N050.TXT", "300\n");
    const CliRun run = refused({"maps", "import", (dir / "good.zip").string(), (dir / "bad" / "N050.TXT").string(),
                                "--maps", (dir / "maps").string()});
    EXPECT_EQ(run.err,
              "tropolink-cli: " + (dir / "bad" / "N050.TXT").string() + ": 1 rows (allowed: 121 rows of 241 values)\n");
    EXPECT_FALSE(fs::exists(dir / "maps" / "N050.TXT"));
}

}  // namespace
}  // namespace tropolink::cli
