#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/method_columns.h"
#include "link/pass_window.h"
#include "engine/status_words.h"
#include "run_cli.h"
#include "sweep/svg_plot.h"
#include "sweep/sweep_columns.h"
#include "sweep/sweep_csv.h"
#include "cli/sweep_run.h"

namespace tropolink::cli {
namespace {

using nlohmann::json;
using testing::HasSubstr;
using testing_support::CliRun;
using testing_support::runCli;
using Row = std::vector<std::string>;

// The rows of a table, checking that every line ends in CRLF.
std::vector<Row> csvRows(const std::string& text) {
    std::vector<Row> rows;
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CRLF: " << text.substr(start);
            break;
        }
        Row row(1);
        for (const char c : std::string_view(text).substr(start, end - start)) {
            if (c == ',')
                row.emplace_back();
            else
                row.back() += c;
        }
        rows.push_back(row);
        start = end + 2;
    }
    return rows;
}

std::size_t columnOf(const std::string& name) {
    const auto& names = sweepCsvColumns();
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin()) + 1;
}

// A cell read back exactly; none when empty.
std::optional<double> cellNumber(const std::string& cell) {
    if (cell.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    EXPECT_TRUE(error == std::errc() && end == cell.data() + cell.size()) << cell;
    return value;
}

std::optional<double> jsonNumber(const json& value) {
    if (value.is_null()) return std::nullopt;
    return value.get<double>();
}

std::string csvVerdict(const json& verdict) {
    if (verdict == "lineOfSight") return "line of sight";
    if (verdict == "outOfRange") return "out of range";
    return "ok";
}

// Three grid points: a line-of-sight path, one where ITT and Collins are out
// of range, one where every method gives a loss.
TEST(SweepTest, RowsHoldTheFiguresOfSinglePasses) {
    const std::vector<std::string> set{"--set", "frequency-mhz=1000", "--set", "s2.antenna-height-m=50"};
    std::vector<std::string> args{"sweep", "distance-km=10:910:50"};
    args.insert(args.end(), set.begin(), set.end());
    const CliRun sweep = runCli(args);
    ASSERT_EQ(sweep.exitStatus, 0) << sweep.err;
    const std::vector<Row> rows = csvRows(sweep.out);
    for (const int distance : {10, 60, 460}) {
        const Row& row = rows.at(static_cast<std::size_t>(1 + (distance - 10) / 50));
        std::vector<std::string> single{"--values", "--set", "distance-km=" + std::to_string(distance)};
        single.insert(single.end(), set.begin(), set.end());
        const json v = json::parse(runCli(single).out)["values"];
        SCOPED_TRACE(distance);
        EXPECT_EQ(row[0], std::to_string(distance));
        EXPECT_EQ(cellNumber(row[columnOf("scattering-angle-deg")]), v["scatteringAngle"].get<double>());
        for (const std::string_view key : kMethodKeys) {
            const std::string m(key);
            const json& method = v[m];
            EXPECT_EQ(row[columnOf(m + "-verdict")], csvVerdict(method["verdict"])) << m;
            const auto loss = method["verdict"] == "valid" ? jsonNumber(method["loss"]) : std::nullopt;
            EXPECT_EQ(cellNumber(row[columnOf(m + "-loss-db")]), loss) << m;
            EXPECT_EQ(cellNumber(row[columnOf("s1." + m + "-sn-db")]),
                      jsonNumber(method["signalToNoise"]["atStation1"]));
            EXPECT_EQ(cellNumber(row[columnOf("s2." + m + "-sn-db")]),
                      jsonNumber(method["signalToNoise"]["atStation2"]));
        }
        EXPECT_EQ(cellNumber(row[columnOf("line-of-sight-loss-db")]), v["lineOfSightLoss"].get<double>());
        EXPECT_EQ(cellNumber(row[columnOf("perfect-duct-loss-db")]), v["perfectDuctLoss"].get<double>());
        EXPECT_EQ(cellNumber(row[columnOf("average-loss-db")]), jsonNumber(v["averageLoss"]));
        EXPECT_EQ(cellNumber(row[columnOf("atmospheric-attenuation-db")]), v["atmosphericAttenuation"].get<double>());
    }
}

struct MethodBoxes {
    std::string_view key;
    ResultBox pathLoss, atStation1, atStation2;
};

constexpr std::array<MethodBoxes, kMethodCount> kMethodBoxes{{
    {"yeh", ResultBox::Text26, ResultBox::Text30, ResultBox::Text34},
    {"itt", ResultBox::Text27, ResultBox::Text31, ResultBox::Text35},
    {"ccir", ResultBox::Text28, ResultBox::Text32, ResultBox::Text36},
    {"collins", ResultBox::Text29, ResultBox::Text33, ResultBox::Text37},
    {"rider", ResultBox::Text46, ResultBox::Text47, ResultBox::Text48},
}};

// Every grid point from a line-of-sight path to beyond every method's range.
TEST(SweepTest, CellsAreEmptyExactlyWhereTheWindowShowsWords) {
    const SweepPlan plan = planSweep({"distance-km=1:1500:3", {}, 0, {}, {}, 0});
    const std::vector<SweepPoint> points = runSweepPasses(plan);
    std::string csv;
    appendSweepCsv(csv, plan, points);
    const std::vector<Row> rows = csvRows(csv);
    ASSERT_EQ(rows.size(), points.size() + 1);
    std::set<std::string> wordsSeen;  // copies: the box texts change with every pass
    HeadlessWindow window;
    for (std::size_t i = 0; i < points.size(); ++i) {
        runPass(window, plan.settingsAt(static_cast<int>(i)));
        const Row& row = rows[i + 1];
        for (const MethodBoxes& m : kMethodBoxes) {
            const std::string key(m.key);
            const std::string_view loss = window.boxText(m.pathLoss);
            const bool word = loss == kLineOfSight || loss == kOutOfRange || loss == kRiderOutOfRange;
            if (word) wordsSeen.emplace(loss);
            EXPECT_EQ(row[columnOf(key + "-loss-db")].empty(), word) << row[0] << " " << key;
            EXPECT_EQ(row[columnOf("s1." + key + "-sn-db")].empty(), window.boxText(m.atStation1) == kNoData);
            EXPECT_EQ(row[columnOf("s2." + key + "-sn-db")].empty(), window.boxText(m.atStation2) == kNoData);
            if (window.boxText(m.atStation1) == kNoData) wordsSeen.emplace(kNoData);
        }
        EXPECT_EQ(row[columnOf("average-loss-db")].empty(), window.boxText(ResultBox::Text49).ends_with(" - LOS"));
    }
    EXPECT_EQ(wordsSeen.size(), 4U) << "line of sight, both out-of-range words and No Data";
}

TEST(SweepTest, HeaderAndOneRowPerGridPoint) {
    const std::vector<Row> rows = csvRows(runCli({"sweep", "distance-km=1:10:4"}).out);
    ASSERT_EQ(rows.size(), 4U);
    Row header{"distance-km"};
    header.insert(header.end(), sweepCsvColumns().begin(), sweepCsvColumns().end());
    EXPECT_EQ(rows[0], header);
    EXPECT_EQ(header.size(), 26U);
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].size(), header.size());
    EXPECT_EQ(rows[1][0], "1");
    EXPECT_EQ(rows[3][0], "9");  // the last step not beyond TO

    const std::vector<Row> power = csvRows(runCli({"sweep", "s1.tx-power=0.1:0.3", "--power-div-1000"}).out);
    ASSERT_EQ(power.size(), 4U);
    EXPECT_EQ(power[0][0], "s1.tx-power");
    EXPECT_EQ(power[3][0], "0.3");
    EXPECT_EQ(csvRows(runCli({"sweep", "HScroll5=0:20:10"}).out).size(), 4U);
}

struct BadRangeCase {
    std::vector<std::string> args;
    std::string message;
};

class BadRangeTest : public testing::TestWithParam<BadRangeCase> {};

TEST_P(BadRangeTest, OneLineAndStatus2) {
    std::vector<std::string> args{"sweep"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tropolink-cli: " + GetParam().message + "\n");
}

constexpr std::string_view kDistances = "(allowed: 1 to 2000 km in steps of 1)";

INSTANTIATE_TEST_SUITE_P(
    Ranges, BadRangeTest,
    testing::Values(
        BadRangeCase{{"distance-km=0:2000"}, "distance-km=0:2000: out of range " + std::string(kDistances)},
        BadRangeCase{{"distance-km=1:2001"}, "distance-km=1:2001: out of range " + std::string(kDistances)},
        BadRangeCase{{"distance-km=1.5:9"},
                     "distance-km=1.5:9: between two steps of the slider " + std::string(kDistances)},
        BadRangeCase{{"distance-km=1:x"}, "distance-km=1:x: not a plain decimal number " + std::string(kDistances)},
        BadRangeCase{{"distance-km=10:1"},
                     "distance-km=10:1: FROM is above TO (allowed: FROM at most TO, both 1 to 2000 km in steps of 1)"},
        BadRangeCase{{"distance-km=1:9:0"},
                     "distance-km=1:9:0: STEP is not a positive multiple of the slider step (allowed: STEP 1 km or "
                     "a whole multiple of it)"},
        BadRangeCase{{"s1.tx-line-loss-db=0:1:0.05"},
                     "s1.tx-line-loss-db=0:1:0.05: STEP is not a positive multiple of the slider step (allowed: "
                     "STEP 0.1 dB or a whole multiple of it)"},
        BadRangeCase{{"distance-km=300"},
                     "distance-km=300: not NAME=FROM:TO or NAME=FROM:TO:STEP " + std::string(kDistances)},
        BadRangeCase{{"distance-km"},
                     "distance-km: not NAME=FROM:TO or NAME=FROM:TO:STEP (allowed: HScroll1 to HScroll23 or an "
                     "alias that --help lists as NAME)"},
        BadRangeCase{{"depth-m=1:2"},
                     "depth-m=1:2: unknown name (allowed: HScroll1 to HScroll23 or an alias that --help lists)"},
        BadRangeCase{{"distance-km=1:9", "--set", "HScroll22=5"},
                     "distance-km=1:9: HScroll22 is also given with --set (allowed: each slider either swept or set)"},
        BadRangeCase{{"distance-km=1:9", "--set", "frequency-mhz=1"},
                     "frequency-mhz=1: out of range (allowed: 50 to 25000 MHz in steps of 1)"},
        BadRangeCase{{},
                     "range is required (allowed: NAME=FROM:TO[:STEP], --set NAME=VALUE, --power-div-1000, "
                     "--csv FILE, --svg FILE, --percent P, --delta-n DN, --ground-height-km HS, --climate-zone Z, "
                     "--required-snr DB, --log-x, --jobs N, --help)"},
        BadRangeCase{{"distance-km=1:9", "--percent", "100"},
                     "--percent 100: out of range (allowed: a plain decimal strictly between 0 and 100)"},
        // The ITU-R options change nothing without a percentage, and read as availability reads them.
        BadRangeCase{{"distance-km=1:9", "--delta-n", "50"},
                     "--delta-n 50: given without --percent (allowed: --delta-n with --percent P)"},
        BadRangeCase{{"distance-km=1:9", "--required-snr", "5"},
                     "--required-snr 5: given without --percent (allowed: --required-snr with --percent P)"},
        BadRangeCase{{"distance-km=1:9", "--percent", "50", "--delta-n", "80.1"},
                     "--delta-n 80.1: out of range (allowed: a plain decimal from 20 to 80 N-units/km)"},
        BadRangeCase{{"distance-km=1:9", "--percent", "50", "--climate-zone", "0"},
                     "--climate-zone 0: out of range (allowed: a whole number from 1 to 7)"},
        BadRangeCase{{"distance-km=1:9", "--percent", "50", "--ground-height-km", "1", "--ground-height-km", "2"},
                     "--ground-height-km 2: given twice (allowed: --ground-height-km once, 0 to 5 km in steps of "
                     "0.001)"},
        BadRangeCase{{"distance-km=1:9", "--percent", "50", "--required-snr", "-50.5"},
                     "--required-snr -50.5: out of range (allowed: a plain decimal from -50 to 100 dB)"},
        BadRangeCase{{"s1.antenna-height-m=0:100", "--log-x"},
                     "--log-x: the swept range s1.antenna-height-m=0:100 reaches 0 or below (allowed: --log-x with "
                     "FROM above 0)"},
        BadRangeCase{{"distance-km=1:9", "--log-x", "--log-x"},
                     "--log-x: given twice (allowed: --log-x at most once)"}));

TEST(SweepTest, LogXTakesTheLowestPositiveStart) {
    EXPECT_EQ(runCli({"sweep", "s1.antenna-height-m=1:100:33", "--log-x"}).exitStatus, 0);
}

TEST(SweepTest, AtMost64Percentages) {
    SweepArguments request{"distance-km=1:9", {}, 0, std::vector<std::string>(kMaxSweepPercents, "50"), {}, 0};
    EXPECT_EQ(planSweep(request).percents.size(), 64U);
    std::vector<std::string> args{"sweep", "distance-km=1:9"};
    for (int i = 1; i <= 65; ++i) args.insert(args.end(), {"--percent", std::to_string(i)});
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "tropolink-cli: --percent 65: more than 64 percentages (allowed: at most 64 --percent options in a "
              "sweep)\n");
}

// The rows go out as the workers finish them: memory stays flat however long
// the grid, with the most percentages a sweep takes.
TEST(SweepTest, RowsStreamInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow and quarantine memory count in the peak";
#endif
    std::vector<std::string> args{TROPOLINK_CLI_PATH, "sweep", "frequency-mhz=50:25000:2"};
    for (std::size_t i = 1; i <= kMaxSweepPercents; ++i) args.insert(args.end(), {"--percent", std::to_string(i)});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, TROPOLINK_CLI_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    ASSERT_EQ(wait4(pid, &status, 0, &usage), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // Held whole, the 12 476 rows of 410 columns would take well over 100 MB;
    // the tool's own libraries (GDAL, Qt Gui for the coverage pictures) take
    // about 40 MB before the first row.
    EXPECT_LT(usage.ru_maxrss, 64 * 1024) << "KiB";
}

// A valid Yeh column with these figures, as the sweep reports it.
ColumnVerdict yehVerdict(double scatteringAngleDeg, double lossDb) {
    PassValues v;
    v.geometry.scatteringAngle = scatteringAngleDeg;
    v.yeh.loss = lossDb;
    v.signalToNoise[0] = {true, lossDb, 1, 2};
    const MethodColumn yeh = sweepColumns(v)[0];
    EXPECT_EQ(yeh.atStation1.has_value(), yeh.verdict == ColumnVerdict::Valid);
    return yeh.verdict;
}

TEST(SweepTest, FiguresBeyondPhysicalBoundsAreOutOfRange) {
    EXPECT_EQ(yehVerdict(20, 400), ColumnVerdict::Valid);
    EXPECT_EQ(yehVerdict(20.000001, 200), ColumnVerdict::OutOfRange);
    EXPECT_EQ(yehVerdict(2, 400.000001), ColumnVerdict::OutOfRange);
    EXPECT_EQ(yehVerdict(2, std::nan("")), ColumnVerdict::OutOfRange);
    EXPECT_EQ(yehVerdict(std::numeric_limits<double>::infinity(), 200), ColumnVerdict::OutOfRange);

    // Obstructions 10 km high right at both antennas: a scattering angle of a million degrees.
    const SweepPlan plan = planSweep({"distance-km=1:3",
                                      {"s1.obstruction-height-m=10000", "s1.obstruction-distance-km=0",
                                       "s2.obstruction-height-m=10000", "s2.obstruction-distance-km=0"},
                                      0,
                                      {"50"},
                                      {},
                                      0});
    const std::vector<SweepPoint> points = runSweepPasses(plan, 1);
    std::string csv;
    appendSweepCsv(csv, plan, points);
    const std::vector<Row> rows = csvRows(csv);
    ASSERT_EQ(rows.size(), 4U);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        EXPECT_GT(*cellNumber(rows[r][columnOf("scattering-angle-deg")]), 1e6);
        for (const std::string_view key : kMethodKeys) {
            EXPECT_EQ(rows[r][columnOf(std::string(key) + "-verdict")], "out of range");
            EXPECT_EQ(rows[r][columnOf(std::string(key) + "-loss-db")], "");
        }
        EXPECT_EQ(rows[r][columnOf("average-loss-db")], "");
    }
    const std::string svg = svgPlot(plan, points);
    EXPECT_THAT(svg, HasSubstr("Not drawn as out of range: each loss, and the S/N from it, where the scattering "
                               "angle exceeds 20 deg or the loss 400 dB"));
    // Every axis label is a sane number: no loss beyond 400 dB and nothing in the billions.
    for (std::size_t at = svg.find("text-anchor=\"end\" stroke=\"none\">"); at != std::string::npos;
         at = svg.find("text-anchor=\"end\" stroke=\"none\">", at + 1)) {
        const std::size_t from = svg.find('>', at) + 1;
        EXPECT_LE(std::abs(std::stod(svg.substr(from, svg.find('<', from) - from))), 1000) << svg.substr(from, 20);
    }
    for (const std::string_view word : {"nan", "inf", "e+"}) EXPECT_EQ(svg.find(word), std::string::npos) << word;
}

// The ITU-R columns hold what availability answers for the same settings.
TEST(SweepTest, PercentColumnsHoldTheAvailabilityFigures) {
    const std::vector<Row> rows =
        csvRows(runCli({"sweep", "s1.antenna-height-m=0:10000:5000", "--percent", "99.9", "--percent", "1"}).out);
    ASSERT_EQ(rows.size(), 4U);
    const std::vector<std::string> names = sweepCsvColumns(std::vector<double>{99.9, 1});
    EXPECT_EQ(Row(rows[0].begin() + 1, rows[0].end()), names);
    const auto cell = [&](const Row& row, const std::string& name) {
        return row[static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin()) + 1];
    };
    const json a = json::parse(
        runCli({"availability", "--json", "--set", "s1.antenna-height-m=0", "--percent", "99.9", "--percent", "1"})
            .out);
    for (const std::string method : {"p617", "p2001"}) {
        EXPECT_EQ(cellNumber(cell(rows[1], method + "-p99.9-loss-db")), jsonNumber(a[method][0]["loss"]));
        EXPECT_EQ(cellNumber(cell(rows[1], "s1." + method + "-p1-sn-db")), jsonNumber(a[method][1]["snrAtStation1"]));
        EXPECT_EQ(cellNumber(cell(rows[1], "s2." + method + "-p1-sn-db")), jsonNumber(a[method][1]["snrAtStation2"]));
        // 10000 m above a 10 m antenna 250 km away: line of sight.
        EXPECT_EQ(cell(rows[3], method + "-p1-loss-db"), "");
        EXPECT_EQ(cell(rows[3], "s2." + method + "-p99.9-sn-db"), "");
    }
}

// With --required-snr, each method's availability at each station, as
// availability --json gives it for the same options; empty where it gives null.
TEST(SweepTest, AvailabilityColumnsEqualTheAvailabilitySubcommand) {
    const std::vector<std::string> options{"--percent",     "99",  "--required-snr",     "5",   "--delta-n",
                                           "50",            "--climate-zone",            "2",   "--ground-height-km",
                                           "0.5"};
    std::vector<std::string> args{"sweep", "distance-km=20:420:200"};
    args.insert(args.end(), options.begin(), options.end());
    const std::vector<Row> rows = csvRows(runCli(args).out);
    ASSERT_EQ(rows.size(), 4U);
    SweepArguments request{"distance-km=20:420:200", {}, 0, {"99"}, {{}, {"50"}, {}, {"0.5"}, {"2"}, {"5"}, {}, {}, {}}, 0};
    const std::vector<std::string> names = sweepCsvColumns(planSweep(request));
    EXPECT_EQ(Row(rows[0].begin() + 1, rows[0].end()), names);
    const std::vector<std::string> last(names.end() - 4, names.end());
    EXPECT_EQ(last, (std::vector<std::string>{"s1.p617-availability-percent", "s2.p617-availability-percent",
                                              "s1.p2001-availability-percent", "s2.p2001-availability-percent"}));
    int found = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::vector<std::string> single{"availability", "--json", "--set", "distance-km=" + rows[r][0]};
        single.insert(single.end(), options.begin(), options.end());
        const json a = json::parse(runCli(single).out)["availability"];
        for (std::size_t k = 0; k < 4; ++k) {
            const json& station = a[k < 2 ? "p617" : "p2001"][k % 2 == 0 ? "atStation1" : "atStation2"];
            EXPECT_EQ(cellNumber(rows[r][rows[r].size() - 4 + k]), jsonNumber(station["percent"]))
                << rows[r][0] << " km, " << last[k];
            found += station["percent"].is_null() ? 0 : 1;
        }
    }
    EXPECT_GT(found, 0);  // some cell holds a percentage
    // 20 km: line of sight for the methods, so no percentage.
    EXPECT_EQ(rows[1].back(), "");
}

TEST(SweepTest, WritesTheFilesAskedFor) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("sweep_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string csv = (dir / "loss.csv").string();
    const std::string svg = (dir / "loss.svg").string();
    const CliRun run = runCli({"sweep", "frequency-mhz=100:1000:100", "--csv", csv, "--svg", svg});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "");
    const int csvFd = open(csv.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string written = testing_support::readAll(csvFd);
    close(csvFd);
    EXPECT_EQ(written, runCli({"sweep", "frequency-mhz=100:1000:100"}).out);
    EXPECT_GT(std::filesystem::file_size(svg), 0U);

    const CliRun refused = runCli({"sweep", "frequency-mhz=100:1000", "--svg", (dir / "none" / "x.svg").string()});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_THAT(refused.err, HasSubstr("tropolink-cli: cannot open "));
    std::filesystem::remove_all(dir);
}

TEST(SweepTest, HelpNamesEveryColumn) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"sweep", "--help"}}) {
        const CliRun help = runCli(args);
        EXPECT_EQ(help.exitStatus, 0);
        EXPECT_THAT(help.out, HasSubstr("sweep NAME=FROM:TO[:STEP]"));
        for (const std::string& column : sweepCsvColumns()) EXPECT_THAT(help.out, HasSubstr(column));
    }
}

}  // namespace
}  // namespace tropolink::cli
