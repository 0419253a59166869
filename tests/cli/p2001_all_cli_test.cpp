// tropolink-cli p2001-all: refusals, the three outputs, zones, and the ITU's
// own columns against a validation example on maps whose constant values are
// the example's own at the points where the method reads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../climate/synthetic_maps.h"
#include "../p2001/validation_files.h"
#include "climate/map_format.h"
#include "p2001/columns.h"
#include "run_cli.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing_support::CliRun;
using testing_support::runCli;

const std::string kDem = std::string(TROPOLINK_SOURCE_DIR) + "/docs/examples/white-mountains.tif";

fs::path scratch() {
    const fs::path dir = fs::temp_directory_path() / ("tropolink-p2001-all-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

// The 14 maps, each constant: `values` by file name, the text written as given.
fs::path writeMaps(const std::string& name, const std::map<std::string, std::string>& values) {
    const fs::path dir = scratch() / name;
    fs::create_directories(dir);
    for (const climate::MapKind kind : climate::kP2001AllMaps) {
        const climate::MapFormat& f = climate::mapFormat(kind);
        const std::string value = values.at(std::string(f.fileName));
        std::string line;
        for (int c = 0; c < f.columns; ++c) line += (c > 0 ? " " : "") + value;
        line += '\n';
        std::string text;
        for (int r = 0; r < f.rows; ++r) text += line;
        climate::testing::writeFile(dir / std::string(f.fileName), text);
    }
    return dir;
}

const std::map<std::string, std::string> kPlainMaps{
    {"DN_Median.txt", "45"},     {"DN_SupSlope.txt", "12"},      {"DN_SubSlope.txt", "8"},
    {"dndz_01.txt", "-300"},     {"surfwv_50_fixed.txt", "7.5"}, {"h0.txt", "3"},
    {"Esarain_Pr6_v5.txt", "5"}, {"Esarain_Mt_v5.txt", "600"},   {"Esarain_Beta_v5.txt", "0.2"},
    {"FoEs0.1.txt", "8"},        {"FoEs01.txt", "6"},            {"FoEs10.txt", "4"},
    {"FoEs50.txt", "3"},         {"TropoClim.txt", "4"}};

const fs::path& plainMaps() {
    static const fs::path dir = writeMaps("plain", kPlainMaps);
    return dir;
}

std::vector<std::string> demArgs(std::vector<std::string> more) {
    std::vector<std::string> args{"p2001-all", "--from", "44.2706,-71.3033", "--to", "44.9,-71.9", "--dem", kDem,
                                  "--s1-mast-m", "20", "--s2-mast-m", "30", "--maps", plainMaps().string()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A flat 20 km path of `points` points, written as a CSV; `zone` appends that zone column.
std::string flatProfile(int points, double heightM, const std::string& zone = "") {
    std::string text;
    for (int i = 0; i < points; ++i)
        text += std::to_string(20.0 * i / (points - 1)) + "," + std::to_string(heightM) + (zone.empty() ? "" : "," + zone) + "\n";
    return text;
}

std::vector<std::string> fileArgs(const fs::path& file, std::vector<std::string> more,
                                  const fs::path& maps = plainMaps()) {
    // 20 km along the meridian.
    std::vector<std::string> args{"p2001-all", file.string(), "--from", "45,10", "--to", "45.179864,10",
                                  "--maps", maps.string()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::string field;
        std::istringstream l(line);
        while (std::getline(l, field, ',')) fields.push_back(field);
        if (!line.empty() && line.back() == ',') fields.emplace_back();
        rows.push_back(fields);
    }
    return rows;
}

std::size_t columnIndex(std::string_view name) {
    const auto columns = p2001::columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) return i;
    throw std::out_of_range(std::string(name));
}

TEST(P2001AllCliTest, RefusalsAreOneLineWithStatusTwo) {
    const fs::path profile = scratch() / "flat.csv";
    climate::testing::writeFile(profile, flatProfile(21, 100));
    const fs::path shortProfile = scratch() / "short.csv";
    climate::testing::writeFile(shortProfile, flatProfile(10, 100));
    const fs::path badZone = scratch() / "bad-zone.csv";
    climate::testing::writeFile(badZone, flatProfile(21, 100, "2"));
    std::vector<std::string> manyPercents{"--frequency-mhz", "900", "--percent"};
    for (int i = 1; i <= 1001; ++i) manyPercents.push_back(std::to_string(i * 0.09));
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases{
        {fileArgs(profile, {"--frequency-mhz", "29.99"}), "--frequency-mhz 29.99: out of range"},
        {fileArgs(profile, {"--frequency-mhz", "50000.1"}), "out of range"},
        {fileArgs(profile, {"--frequency-mhz", "9e2"}), "9e2"},
        {fileArgs(profile, {}), "--frequency-mhz"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--percent", "0"}), "strictly between 0 and 100"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--percent", "100"}), "strictly between 0 and 100"},
        {fileArgs(profile, manyPercents), "at most 1000 percentages"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--s1-mast-m", "0"}), "--s1-mast-m"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--s2-mast-m", "-1"}), "--s2-mast-m"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--s1-gain-dbi", "101"}), "--s1-gain-dbi"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--polarisation", "circular"}), "vertical or horizontal"},
        {fileArgs(profile, {"--frequency-mhz", "900", "--json", "--csv"}), "--json or --csv"},
        {fileArgs(shortProfile, {"--frequency-mhz", "900"}), "10 points (allowed: more than 10 points"},
        {fileArgs(badZone, {"--frequency-mhz", "900"}), "row 1: 2: zone is not 1, 3 or 4"},
        {{"p2001-all", profile.string(), "--frequency-mhz", "900"}, "--from"},
        {fileArgs(profile, {"--frequency-mhz", "900"}, scratch() / "none"), "the complete P.2001 method needs its 14 ITU-R maps; "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_THAT(run.err, HasSubstr(c.says));
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    // Without the maps the line names them and how to install them.
    const CliRun missing = runCli(fileArgs(profile, {"--frequency-mhz", "900"}, scratch() / "none"));
    EXPECT_THAT(missing.err, HasSubstr("DN_Median.txt"));
    EXPECT_THAT(missing.err, HasSubstr("tropolink-cli maps download"));
}

TEST(P2001AllCliTest, TextGivesEachRowItsMechanismThenPathAndClimate) {
    const CliRun run = runCli(demArgs({"--frequency-mhz", "900", "--percent", "50", "99.9"}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("P.2001 all mechanisms: DEM white-mountains.tif from 44.2706,-71.3033 to 44.9,-71.9"));
    EXPECT_THAT(run.out, HasSubstr("deciding mechanism"));
    EXPECT_THAT(run.out, HasSubstr("  900       50 "));
    EXPECT_THAT(run.out, HasSubstr("  900       99.9 "));
    EXPECT_THAT(run.out, HasSubstr("trans-horizon at median refraction"));
    // Zones from the heights, with the rule's caveats.
    EXPECT_THAT(run.out, HasSubstr("zones derived from the heights"));
    EXPECT_THAT(run.out, HasSubstr("0.0 % of the path over sea"));
    EXPECT_THAT(run.out, HasSubstr("Land below sea level (polders, the Dead Sea) counts as sea"));
    EXPECT_THAT(run.out, HasSubstr("a zone column in the profile overrides it"));
    EXPECT_THAT(run.out, HasSubstr("TropoClim.txt           4                     at the common volume"));
    EXPECT_THAT(run.out, HasSubstr("maps from " + plainMaps().string()));
}

TEST(P2001AllCliTest, JsonHoldsEveryColumnOfEveryRow) {
    const CliRun run = runCli(demArgs({"--frequency-mhz", "900", "2000", "--percent", "1", "50", "90", "--json"}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    const auto& m = json.at("p2001All");
    EXPECT_EQ(m.at("method"), "P.2001 all mechanisms");
    EXPECT_EQ(m.at("zones").at("source"), "derived");
    // DN_Median, the slopes, dndz_01 and surfwv at the mid-point, surfwv at both ends, the four foEs at
    // three points, the four rain maps at three, TropoClim at the common volume and both ends.
    EXPECT_EQ(m.at("climate").at("values").size(), 34u);
    ASSERT_EQ(m.at("rows").size(), 6u);
    for (const auto& row : m.at("rows")) {
        EXPECT_EQ(row.at("columns").size(), p2001::columns().size());
        EXPECT_TRUE(row.contains("decidingMechanism"));
    }
    // Frequency outer, the percentages in their order within it.
    EXPECT_EQ(m.at("rows")[2].at("columns").at("GHz"), 0.9);
    EXPECT_EQ(m.at("rows")[2].at("columns").at("Tpc"), 90);
    EXPECT_EQ(m.at("rows")[3].at("columns").at("GHz"), 2);
    EXPECT_TRUE(m.at("rows")[0].at("columns").at("Nsrima").is_null());
}

TEST(P2001AllCliTest, AZoneColumnOverridesTheRule) {
    // Ground at sea level: sea by the rule, inland by the column.
    const fs::path derived = scratch() / "sea-level.csv";
    climate::testing::writeFile(derived, flatProfile(21, 0));
    const fs::path zoned = scratch() / "sea-level-inland.csv";
    climate::testing::writeFile(zoned, "distance_km,height_m,zone\n" + flatProfile(21, 0, "4"));
    const std::size_t fsea = columnIndex("Fsea");
    for (const auto& [file, seaFraction] : {std::pair{derived, "1"}, std::pair{zoned, "0"}}) {
        const CliRun run = runCli(fileArgs(file, {"--frequency-mhz", "900", "--percent", "50", "--csv"}));
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        const auto rows = csvRows(run.out);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1][fsea], seaFraction) << file;
        EXPECT_EQ(rows[1][columnIndex("Profile")], file.filename().string());
    }
    const CliRun text = runCli(fileArgs(zoned, {"--frequency-mhz", "900", "--percent", "50"}));
    EXPECT_THAT(text.out, HasSubstr("zones from the profile's zone column"));
}

// prof4 at 50 %, where the slopes of DN_SupSlope and DN_SubSlope do not
// count: maps constant at the example's own values (DN_Median, dndz_01,
// surfwv at the mid-point, TropoClim, the rain maps at the mid-point) give
// the example's columns, but those read elsewhere (surfwv at the ends, foEs)
// or depending on them.
TEST(P2001AllCliTest, ValidationColumnsOfTheItuLayout) {
    const auto folder = p2001::testing_support::validationFolder();
    if (!folder) GTEST_SKIP() << "no validation folder at " << TROPOLINK_P2001_VALIDATION_DIR;
    const auto c = p2001::testing_support::readValidationCase(*folder, "prof4");
    const auto& t = c.table;
    const auto rain = p2001::testing_support::readRainPoints("prof4");
    const auto text = [](double v) { return climate::testing::number(v); };
    std::map<std::string, std::string> values = kPlainMaps;
    values["DN_Median.txt"] = text(-t.number(0, "Nd1km50"));
    values["dndz_01.txt"] = text(t.number(0, "Nd65m1"));
    values["surfwv_50_fixed.txt"] = text(t.number(0, "Wvsur"));
    values["TropoClim.txt"] = text(t.number(0, "Ztropo"));
    values["Esarain_Pr6_v5.txt"] = text(rain.mid.pr6Percent);
    values["Esarain_Mt_v5.txt"] = text(rain.mid.mtMm);
    values["Esarain_Beta_v5.txt"] = text(rain.mid.betaRain);
    values["h0.txt"] = text(rain.mid.h0Km);
    const fs::path maps = writeMaps("prof4", values);

    const CliRun run = runCli({"p2001-all", (*folder / "Validation_examples_ITU-R_P_2001_prof4_profile.csv").string(),
                               "--from", "-35.691667,-69.708333", "--to", "-36.4,-69.25", "--frequency-mhz", "30",
                               "200", "2000", "20000", "50000", "--percent", "50", "--s1-mast-m", "35",
                               "--s2-mast-m", "25", "--maps", maps.string(), "--csv"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto rows = csvRows(run.out);
    ASSERT_EQ(rows.size(), 6u);
    // Exactly the validation file's header.
    std::vector<std::string> header;
    for (const p2001::Column& col : p2001::columns()) header.emplace_back(col.name);
    EXPECT_EQ(rows[0], header);
    EXPECT_EQ(t.header, header);
    const std::set<std::string> elsewhere{"Ags",     "Aws",     "Awrs",    "Awrcv", "Awrrcv", "Awrtcv",
                                          "Awtcv",   "WvSurrx", "WvSurtx", "Foes1", "Foes2",  "GAM1",
                                          "GAM2",    "Lbes1",   "Lbes2",   "Lbm3",  "Lbm4",   "Lb"};
    std::size_t compared = 0;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        if (t.rows[r][t.column("Tpc")] != "50") continue;
        const auto& got = rows[1 + compared++];
        ASSERT_EQ(got.size(), header.size());
        for (std::size_t i = 0; i < header.size(); ++i) {
            const p2001::Column& col = p2001::columns()[i];
            const std::string& expected = t.rows[r][i];
            if (col.kind == p2001::ColumnKind::Empty) {
                EXPECT_TRUE(got[i].empty()) << header[i];
                continue;
            }
            if (col.kind == p2001::ColumnKind::Text || elsewhere.count(header[i]) > 0) continue;
            const double e = std::stod(expected);
            const double g = std::stod(got[i]);
            EXPECT_TRUE(std::fabs(g - e) <= 1e-6 || std::fabs(g - e) <= 1e-9 * std::fabs(e))
                << "GHz " << t.rows[r][t.column("GHz")] << " column " << header[i] << ": expected " << expected
                << ", got " << got[i];
        }
        // Lb moves only with the troposcatter's gases at the ends here.
        EXPECT_NEAR(std::stod(got[columnIndex("Lb")]), t.number(r, "Lb"), 1e-3);
    }
    EXPECT_EQ(compared, 5u);
}

}  // namespace
}  // namespace tropolink::cli
