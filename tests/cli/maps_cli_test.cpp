// `tropolink-cli maps` as a user runs it, on synthetic maps (the ITU's may not
// be copied): N0 and ΔN are planes in the grid's row and column, so that the
// bilinear lookup gives them exactly.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/maps_run.h"
#include "climate/sha256.h"
#include "run_cli.h"
#include "tests/climate/local_server.h"
#include "tests/climate/synthetic_itu_maps.h"
#include "tests/climate/zip_writer.h"

namespace tropolink::cli {
namespace {

using namespace climate::testing;
using testing_support::CliRun;
using testing_support::runCli;
using nlohmann::json;
namespace fs = std::filesystem;

// Sets an environment variable for the runs of one test, then puts it back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Zone 5 in the cell of kLand, sea elsewhere.
constexpr int kLandRow = 73;  // (89.75 - 53.25) / 0.5
constexpr int kLandColumn = 350;  // (-4.95 + 179.75) / 0.5 = 349.6, rounded
std::string landZoneText() { return zoneText(0, {{{kLandRow, kLandColumn}, 5}}); }

void writeMaps(const fs::path& folder) {
    fs::create_directories(folder);
    writeFile(folder / "N050.TXT", n0Text());
    writeFile(folder / "DN50.TXT", deltaNText());
    writeFile(folder / "TropoClim.txt", landZoneText());
}

// Row 3 of N050.TXT with one value off the map's range at column 5.
std::string n0WithBadValue() {
    return gridText(121, 241, [](int r, int c) { return r == 2 && c == 4 ? 999 : planeN0(r, c); });
}

// The maps only the complete P.2001 method reads, as messages list them.
const std::string kP2001OnlyMaps =
    "DN_Median.txt, DN_SupSlope.txt, DN_SubSlope.txt, dndz_01.txt, surfwv_50_fixed.txt, h0.txt, "
    "Esarain_Pr6_v5.txt, Esarain_Mt_v5.txt, Esarain_Beta_v5.txt, FoEs0.1.txt, FoEs01.txt, FoEs10.txt and FoEs50.txt";
const std::string kP2001Needs =
    "; the complete P.2001 method also needs " + kP2001OnlyMaps + " (from the ZIP of ITU-R P.2001)";

std::vector<std::string> withMaps(const fs::path& folder, std::vector<std::string> args) {
    args.insert(args.begin(), "maps");
    args.push_back("--maps");
    args.push_back(folder.string());
    return args;
}

TEST(MapsCliTest, ImportsFromZipsNestedZipsAndPlainFiles) {
    const ScratchDir dir;
    writeZip(dir / "p1812.zip", {{"R-REC-P.1812/readme.pdf", "%PDF"},
                                 {"R-REC-P.1812/maps/n050.txt", n0Text()},
                                 {"R-REC-P.1812/maps/DN50.TXT", deltaNText()}});
    writeZip(dir / "inner.zip", {{"TropoClim.txt", landZoneText()}});
    writeZip(dir / "p2001.zip", {{"P.2001/maps.zip", readFile(dir / "inner.zip")}});
    fs::create_directories(dir / "plain");
    writeFile(dir / "plain" / "N050.TXT", n0Text());
    writeFile(dir / "plain" / "dn50.txt", deltaNText());
    struct Case {
        std::vector<std::string> files;
        std::string printed;  // after "installed "
    };
    const std::vector<Case> cases{
        {{(dir / "p1812.zip").string(), (dir / "p2001.zip").string()}, "N050.TXT, DN50.TXT and TropoClim.txt in "},
        {{(dir / "p1812.zip").string()}, "N050.TXT and DN50.TXT in "},
        {{(dir / "plain" / "N050.TXT").string(), (dir / "plain" / "dn50.txt").string()},
         "N050.TXT and DN50.TXT in "},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const fs::path target = dir / ("maps" + std::to_string(i));
        std::vector<std::string> args{"import"};
        args.insert(args.end(), cases[i].files.begin(), cases[i].files.end());
        const CliRun run = runCli(withMaps(target, args));
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const bool complete = cases[i].files.size() == 2 && i == 0;
        EXPECT_EQ(run.out, "installed " + cases[i].printed + target.string() +
                               (complete ? "" : "; still missing TropoClim.txt (from the ZIP of ITU-R P.2001)") +
                               kP2001Needs + "\n");
        EXPECT_EQ(readFile(target / "N050.TXT"), n0Text());
        EXPECT_EQ(readFile(target / "DN50.TXT"), deltaNText());
        EXPECT_EQ(fs::exists(target / "TropoClim.txt"), complete);
    }
}

TEST(MapsCliTest, WithoutMapsOptionImportWritesTheUserDataFolder) {
    const ScratchDir dir;
    const ScopedEnvironment data("XDG_DATA_HOME", (dir / "data").string());
    const ScopedEnvironment maps("TROPOLINK_MAPS", (dir / "elsewhere").string());
    writeFile(dir / "TropoClim.txt", landZoneText());
    const CliRun run = runCli({"maps", "import", (dir / "TropoClim.txt").string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(readFile(dir / "data" / "tropolink" / "itu-r" / "TropoClim.txt"), landZoneText());
    EXPECT_FALSE(fs::exists(dir / "elsewhere"));
}

struct BadInput {
    std::string name;
    std::vector<std::string> args;  // after "maps"; @ stands for the scratch folder
    std::string message;            // the whole line after "tropolink-cli: ", @ as above
};

TEST(MapsCliTest, BadInputGetsOneLineAndStatus2) {
    const ScratchDir dir;
    const std::string d = dir.path().string();
    writeFile(dir / "N050.TXT", n0WithBadValue());
    fs::create_directories(dir / "short");
    writeFile(dir / "short" / "DN50.TXT", gridText(120, 241, [](int r, int c) { return planeDeltaN(r, c); }));
    writeZip(dir / "other.zip", {{"readme.txt", "no maps"}});
    writeFile(dir / "a-file", "x");
    fs::create_directories(dir / "good");
    writeFile(dir / "good" / "N050.TXT", n0Text());
    const std::vector<BadInput> cases{
        {"bad value", {"import", "@/N050.TXT", "--maps", "@/m"},
         "@/N050.TXT: row 3, column 5: 999 is out of range (allowed: N0 from 250 to 450 N-units)"},
        {"wrong shape", {"import", "@/short/DN50.TXT", "--maps", "@/m"},
         "@/short/DN50.TXT: 120 rows (allowed: 121 rows of 241 values)"},
        {"zip without maps", {"import", "@/other.zip", "--maps", "@/m"},
         "@/other.zip: holds none of N050.TXT, DN50.TXT, TropoClim.txt, " + kP2001OnlyMaps +
             ", not even in a ZIP within it"},
        {"not a map", {"import", "@/a-file", "--maps", "@/m"},
         "@/a-file: neither a ZIP nor one of N050.TXT, DN50.TXT, TropoClim.txt, " + kP2001OnlyMaps},
        {"no such file", {"import", "@/absent.zip", "--maps", "@/m"}, "@/absent.zip: no such file"},
        {"folder not writable", {"import", "@/good/N050.TXT", "--maps", "@/a-file/maps"},
         "cannot write the maps folder @/a-file/maps: Not a directory"},
        {"latitude out of range", {"at", "90.5,0", "--maps", "@/good"},
         "maps at 90.5,0: latitude out of range (allowed: LAT,LON in decimal degrees, latitude -90 to 90, "
         "longitude -180 to 180)"},
        {"longitude out of range", {"at", "0,-180.01", "--maps", "@/good"},
         "maps at 0,-180.01: longitude out of range (allowed: LAT,LON in decimal degrees, latitude -90 to 90, "
         "longitude -180 to 180)"},
        {"malformed", {"at", "1e1,0", "--maps", "@/good"},
         "maps at 1e1,0: latitude is not a plain decimal number (allowed: LAT,LON in decimal degrees, latitude -90 "
         "to 90, longitude -180 to 180)"},
        {"missing maps", {"at", "0,0", "--maps", "@/good"},
         "@/good: lacks DN50.TXT and TropoClim.txt (allowed: a maps folder holding the ITU-R maps N050.TXT, DN50.TXT "
         "and TropoClim.txt); install them with "
         "`tropolink-cli maps download`, or `tropolink-cli maps import FILE...` from the Recommendations' ZIPs"},
        {"maps twice", {"status", "--maps", "@/a", "--maps", "@/b"},
         "--maps @/b: --maps given twice (allowed: one folder)"},
        {"empty maps", {"status", "--maps", ""}, "--maps \"\": empty (allowed: a folder)"},
        {"no subcommand", {}, "A subcommand is required (allowed: import, download, status, at, --maps DIR, --help)"},
        {"import without file", {"import"}, "file is required (allowed: FILE..., --maps DIR, --help)"},
        {"option of another", {"status", "--url", "x"},
         "The following arguments were not expected: x --url (allowed: --json, --maps DIR, --help)"},
    };
    const auto expand = [&](std::string text) {
        for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + d.size()))
            text.replace(at, 1, d);
        return text;
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{"maps"};
        for (const std::string& a : c.args) args.push_back(expand(a));
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "tropolink-cli: " + expand(c.message) + "\n");
        EXPECT_FALSE(fs::exists(dir / "m"));
    }
}

TEST(MapsCliTest, ABrokenImportLeavesTheEarlierMapsIntact) {
    const ScratchDir dir;
    writeMaps(dir / "maps");
    // A good N0 beside a refused ΔN: neither is written.
    writeZip(dir / "broken.zip", {{"N050.TXT", gridText(121, 241, [](int, int) { return 333.0; })},
                                  {"DN50.TXT", "1 2 3\n"}});
    const CliRun run = runCli(withMaps(dir / "maps", {"import", (dir / "broken.zip").string()}));
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tropolink-cli: " + (dir / "broken.zip").string() +
                           "/DN50.TXT: 1 rows (allowed: 121 rows of 241 values)\n");
    EXPECT_EQ(readFile(dir / "maps" / "N050.TXT"), n0Text());
    EXPECT_EQ(readFile(dir / "maps" / "DN50.TXT"), deltaNText());
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(dir / "maps")) left.push_back(entry.path().filename());
    EXPECT_EQ(left.size(), 3u);
}

TEST(MapsCliTest, DownloadsFromTheGivenAddresses) {
    const ScratchDir dir;
    writeZip(dir / "a.zip", {{"maps/N050.TXT", n0Text()}, {"maps/DN50.TXT", deltaNText()}});
    writeZip(dir / "b.zip", {{"TropoClim.txt", landZoneText()}});
    writeZip(dir / "c.zip", {{"readme.txt", "no maps"}});
    LocalServer server({{"/a.zip", readFile(dir / "a.zip")},
                        {"/b.zip", readFile(dir / "b.zip")},
                        {"/c.zip", readFile(dir / "c.zip")}});
    const fs::path target = dir / "maps";

    const CliRun missing = runCli(withMaps(target, {"download", "--url", server.url("/a.zip"), "--url",
                                                    server.url("/gone.zip")}));
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(missing.err.starts_with("tropolink-cli: cannot download " + server.url("/gone.zip") + ": "))
        << missing.err;
    EXPECT_NE(missing.err.find("404"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(target));

    const CliRun noMaps = runCli(withMaps(target, {"download", "--url", server.url("/c.zip")}));
    EXPECT_EQ(noMaps.exitStatus, 2);
    EXPECT_EQ(noMaps.out, "");
    EXPECT_NE(noMaps.err.find("c.zip: holds none of N050.TXT, DN50.TXT, TropoClim.txt, DN_Median.txt, "), std::string::npos)
        << noMaps.err;
    EXPECT_FALSE(fs::exists(target));

    const CliRun run =
        runCli(withMaps(target, {"download", "--url", server.url("/a.zip"), "--url", server.url("/b.zip")}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no progress: standard error is no terminal
    EXPECT_EQ(run.out, "installed N050.TXT, DN50.TXT and TropoClim.txt in " + target.string() + kP2001Needs + "\n");
    EXPECT_EQ(readFile(target / "TropoClim.txt"), landZoneText());
}

TEST(MapsCliTest, StatusInTextAndJson) {
    const ScratchDir dir;
    writeMaps(dir / "maps");
    const fs::path m = dir / "maps";
    const CliRun text = runCli(withMaps(m, {"status"}));
    EXPECT_EQ(text.exitStatus, 0);
    const auto entry = [&](const char* name, const std::string& bytes, const char* grid, const char* values) {
        return std::string(name) + ": valid\n  path: " + (m / name).string() + "\n  size: " +
               std::to_string(bytes.size()) + " bytes\n  sha256: " + climate::sha256Hex(bytes) + "\n  grid: " + grid +
               "\n  values: " + values + "\n";
    };
    // The planes' corners: N0 300 + 0.5 r + 0.25 c + 0.001 r c, ΔN 40 + 0.1 r + 0.2 c.
    EXPECT_EQ(text.out, "looked in: " + m.string() + "\nmaps folder: " + m.string() + "\n" +
                            entry("N050.TXT", n0Text(), "121 rows, 241 columns", "300 to 448.8") +
                            entry("DN50.TXT", deltaNText(), "121 rows, 241 columns", "40 to 100") +
                            entry("TropoClim.txt", landZoneText(), "360 rows, 720 columns", "0 to 5") +
                            "DN_Median.txt: missing\nDN_SupSlope.txt: missing\nDN_SubSlope.txt: missing\n"
                            "dndz_01.txt: missing\nsurfwv_50_fixed.txt: missing\nh0.txt: missing\n"
                            "Esarain_Pr6_v5.txt: missing\nEsarain_Mt_v5.txt: missing\nEsarain_Beta_v5.txt: missing\n"
                            "FoEs0.1.txt: missing\nFoEs01.txt: missing\nFoEs10.txt: missing\nFoEs50.txt: missing\n"
                            "the complete P.2001 method is not ready: install them with `tropolink-cli maps download`, "
                            "or `tropolink-cli maps import FILE...` from the Recommendations' ZIPs\n");

    writeFile(m / "DN50.TXT", "40 41\n");
    fs::remove(m / "TropoClim.txt");
    const CliRun broken = runCli(withMaps(m, {"status", "--json"}));
    EXPECT_EQ(broken.exitStatus, 0);
    const json object = json::parse(broken.out);
    EXPECT_EQ(object["lookedIn"], json::array({m.string()}));
    EXPECT_EQ(object["folder"], m.string());
    EXPECT_EQ(object["ready"], false);
    EXPECT_EQ(object["p2001AllReady"], false);
    ASSERT_EQ(object["maps"].size(), 16u);
    const json& n0 = object["maps"][0];
    EXPECT_EQ(n0["file"], "N050.TXT");
    EXPECT_EQ(n0["valid"], true);
    EXPECT_EQ(n0["sizeBytes"], n0Text().size());
    EXPECT_EQ(n0["sha256"], climate::sha256Hex(n0Text()));
    EXPECT_EQ(n0["rows"], 121);
    EXPECT_EQ(n0["minValue"], 300.0);
    EXPECT_NEAR(n0["maxValue"].get<double>(), 448.8, 1e-9);
    EXPECT_EQ(n0["problem"], nullptr);
    const json& deltaN = object["maps"][1];
    EXPECT_EQ(deltaN["present"], true);
    EXPECT_EQ(deltaN["valid"], false);
    EXPECT_EQ(deltaN["rows"], nullptr);
    EXPECT_EQ(deltaN["problem"], (m / "DN50.TXT").string() + ": 1 rows (allowed: 121 rows of 241 values)");
    const json& zones = object["maps"][2];
    EXPECT_EQ(zones["present"], false);
    EXPECT_EQ(zones["path"], nullptr);
    EXPECT_EQ(object["maps"][15]["file"], "FoEs50.txt");
    EXPECT_EQ(object["maps"][15]["present"], false);

    writeAllMaps(m);
    const json all = json::parse(runCli(withMaps(m, {"status", "--json"})).out);
    EXPECT_EQ(all["ready"], true);
    EXPECT_EQ(all["p2001AllReady"], true);
    EXPECT_EQ(all["maps"][6]["file"], "dndz_01.txt");
    EXPECT_EQ(all["maps"][6]["minValue"], -400.0);
    const CliRun ready = runCli(withMaps(m, {"status"}));
    EXPECT_EQ(ready.out.find("not ready"), std::string::npos) << ready.out;
}

TEST(MapsCliTest, StatusWithoutMapsNamesThePlacesLookedIn) {
    const ScratchDir dir;
    const ScopedEnvironment maps("TROPOLINK_MAPS", (dir / "env").string());
    const ScopedEnvironment data("XDG_DATA_HOME", (dir / "data").string());
    const std::string places =
        (dir / "env").string() + ", " + (dir / "data" / "tropolink" / "itu-r").string() + ", /usr/share/tropolink/itu-r";
    const CliRun run = runCli({"maps", "status"});
    EXPECT_EQ(run.exitStatus, 0);
    if (fs::exists("/usr/share/tropolink/itu-r")) GTEST_SKIP() << "this machine has maps installed";
    EXPECT_EQ(run.out, "looked in: " + places +
                           "\nno maps found: none of the ITU-R maps in these folders; install "
                           "them with `tropolink-cli maps download`, or `tropolink-cli maps import FILE...` from the "
                           "Recommendations' ZIPs\n");
    const CliRun at = runCli({"maps", "at", "0,0"});
    EXPECT_EQ(at.exitStatus, 2);
    EXPECT_NE(at.err.find("are in none of: " + places + "; install them"), std::string::npos) << at.err;
}

TEST(MapsCliTest, AtGivesTheMapsValues) {
    const ScratchDir dir;
    writeMaps(dir / "data" / "tropolink" / "itu-r");
    const ScopedEnvironment data("XDG_DATA_HOME", (dir / "data").string());
    const fs::path folder = dir / "data" / "tropolink" / "itu-r";
    struct Case {
        std::string point;
        double r, c;       // the fractional grid row and column of the 1.5° maps
        std::string text;  // the lines before "maps folder:"
        int zoneCode, climateZone;
    };
    // 53.25 N 4.95 W: r = 24.5, c = 355.05 / 1.5 = 236.7, the land cell.
    const std::vector<Case> cases{
        {"53.25,-4.95", 24.5, 236.7,
         "N0: 377.22415 N-units\ndelta-N: 89.79 N-units/km\nzone: 5, continental temperate (--climate-zone 5)\n", 5, 5},
        {"-90,180", 120, 120,
         "N0: 404.4 N-units\ndelta-N: 76 N-units/km\nzone: 0, maritime temperate, over sea (--climate-zone 7)\n", 0,
         7},
        {"-33.5, 150.75", 82.333333333333333, 100.5,
         "N0: 374.566167 N-units\ndelta-N: 68.333333 N-units/km\nzone: 0, maritime temperate, over sea (--climate-zone "
         "7)\n",
         0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        const CliRun text = runCli({"maps", "at", c.point});
        EXPECT_EQ(text.exitStatus, 0) << text.err;
        EXPECT_EQ(text.out, c.text + "maps folder: " + folder.string() + "\n");
        const CliRun j = runCli({"maps", "at", "--json", c.point});
        ASSERT_EQ(j.exitStatus, 0) << j.err;
        const json object = json::parse(j.out);
        EXPECT_NEAR(object["n0"].get<double>(), planeN0(c.r, c.c), 1e-9);
        EXPECT_NEAR(object["deltaN"].get<double>(), planeDeltaN(c.r, c.c), 1e-9);
        EXPECT_EQ(object["zoneCode"], c.zoneCode);
        EXPECT_EQ(object["climateZone"], c.climateZone);
        EXPECT_EQ(object["mapsFolder"], folder.string());
    }
}

TEST(MapsCliTest, AtGivesTheCompleteMethodsValuesWhereItsMapsAreInstalled) {
    const ScratchDir dir;
    writeMaps(dir / "maps");
    writeP2001AllMaps(dir / "maps");  // its TropoClim.txt: zone 6 everywhere
    const CliRun text = runCli(withMaps(dir / "maps", {"at", "53.25,-4.95"}));
    ASSERT_EQ(text.exitStatus, 0) << text.err;
    EXPECT_EQ(text.out.substr(text.out.find("zone:")),
              "zone: 6, maritime temperate, over land (--climate-zone 6)\n"
              "DN_Median.txt: 40 N-units/km\nDN_SupSlope.txt: 20 N-units/km\nDN_SubSlope.txt: 15 N-units/km\n"
              "dndz_01.txt: -400 N-units/km\nsurfwv_50_fixed.txt: 10 g/m³\nh0.txt: 3 km\nEsarain_Pr6_v5.txt: 30 %\n"
              "Esarain_Mt_v5.txt: 800 mm\nEsarain_Beta_v5.txt: 0.3\nFoEs0.1.txt: 10 MHz\nFoEs01.txt: 7 MHz\n"
              "FoEs10.txt: 4.5 MHz\nFoEs50.txt: 3 MHz\nmaps folder: " +
                  (dir / "maps").string() + "\n");
    const json object = json::parse(runCli(withMaps(dir / "maps", {"at", "--json", "53.25,-4.95"})).out);
    EXPECT_EQ(object["p2001All"]["Esarain_Mt_v5.txt"], 800.0);
    EXPECT_EQ(object["p2001All"].size(), 13u);
    EXPECT_EQ(object["p2001AllFolder"], (dir / "maps").string());

    // Without them, the values of the three maps alone.
    writeMaps(dir / "three");
    const json three = json::parse(runCli(withMaps(dir / "three", {"at", "--json", "0,0"})).out);
    EXPECT_EQ(three["p2001All"], nullptr);
}

TEST(MapsCliTest, JsonHoldsPathsOfAnyBytes) {
    const ScratchDir dir;
    const fs::path folder = dir / "maps-\xff\n";
    writeMaps(folder);
    // --maps before the subcommand, as well as after it.
    const CliRun run = runCli({"maps", "--maps", folder.string(), "at", "0,0", "--json"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["mapsFolder"], (dir / "maps-\xef\xbf\xbd\n").string());
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);  // one line
}

TEST(MapsCliTest, DownloadProgressLine) {
    EXPECT_EQ(downloadProgressLine("https://a/b.zip", 0, 0), "https://a/b.zip: 0 bytes");
    EXPECT_EQ(downloadProgressLine("https://a/b.zip", 1024, 0), "https://a/b.zip: 1024 bytes");
    EXPECT_EQ(downloadProgressLine("https://a/b.zip", 1024, 4096), "https://a/b.zip: 1024 of 4096 bytes");
}

}  // namespace
}  // namespace tropolink::cli
