#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/single_run.h"
#include "grammar/setting_names.h"
#include "run_cli.h"
#include "tropolink_version.h"

namespace tropolink::cli {
namespace {

using nlohmann::json;
using testing::HasSubstr;
using testing::MatchesRegex;
using testing::Not;
using testing_support::CliRun;
using testing_support::runCli;
using testing_support::Stdout;

// The "TextN<TAB>text<TAB>label" lines as a map of the texts, checking that
// all 52 come in order, each with a label.
std::map<std::string, std::string> boxesOf(const std::string& out) {
    std::map<std::string, std::string> boxes;
    std::istringstream lines(out);
    int n = 0;
    for (std::string line; std::getline(lines, line);) {
        const auto tab = line.find('\t');
        const auto labelTab = line.rfind('\t');
        EXPECT_EQ(line.substr(0, tab), "Text" + std::to_string(++n));
        EXPECT_GT(labelTab, tab) << line;
        boxes[line.substr(0, tab)] = line.substr(tab + 1, labelTab - tab - 1);
    }
    EXPECT_EQ(n, 52);
    return boxes;
}

TEST(ExecutableTest, StartPositions) {
    const CliRun run = runCli({});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    auto boxes = boxesOf(run.out);
    EXPECT_EQ(boxes["Text38"], "1.538");
    EXPECT_EQ(boxes["Text39"], "-0.074");
    EXPECT_EQ(boxes["Text40"], "-0.074");
    EXPECT_EQ(boxes["Text24"], "-180.6");
    EXPECT_EQ(boxes["Text26"], "198.07");
    EXPECT_EQ(boxes["Text51"], " = 155.3 miles");
}

// Whole lines, label column included: the label names the box's row and
// column in the window, and power/1000 turns the power unit into mW.
struct LabelCase {
    std::vector<std::string> arguments;
    std::string line;
};

class LabelColumnTest : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelColumnTest, EachBoxLineEndsWithItsLabelAndUnit) {
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_THAT("\n" + run.out, HasSubstr("\n" + GetParam().line + "\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, LabelColumnTest,
    testing::Values(LabelCase{{}, "Text1\t 10\tAntenna height, station 1 (m)"},
                    LabelCase{{"--set", "distance-km=160"}, "Text26\t188.08\tPath loss, YEH (dB)"},
                    LabelCase{{"--set", "distance-km=160"}, "Text29\tOut of Range\tPath loss, COLLINS (dB)"},
                    LabelCase{{}, "Text4\t 100\tTx power, station 1 (W)"},
                    LabelCase{{"--power-div-1000"}, "Text14\t100. mW\tTx power, station 2 (mW)"},
                    LabelCase{{}, "Text38\t1.538\tScattering angle (deg)"},
                    LabelCase{{}, "Text46\t220.05\tPath loss, RIDER (dB)"},
                    LabelCase{{}, "Text51\t = 155.3 miles\tDistance in miles (miles)"},
                    LabelCase{{}, "Text52\t109.19\tPerfect duct loss (dB)"}));

TEST(ExecutableTest, LineOfSightPath) {
    auto boxes = boxesOf(runCli({"--set", "HScroll1=10000", "--set", "HScroll11=10000"}).out);
    EXPECT_EQ(boxes["Text39"], "horizon limited");
    EXPECT_EQ(boxes["Text40"], "horizon limited");
    EXPECT_EQ(boxes["Text38"], "-3.88");
    EXPECT_EQ(boxes["Text49"], "133.2 - LOS");
}

TEST(ExecutableTest, AliasesAndOptionForms) {
    EXPECT_EQ(boxesOf(runCli({"--set", "distance-km=160"}).out)["Text29"], "Out of Range");
    EXPECT_EQ(boxesOf(runCli({"--set=distance-km=160"}).out)["Text29"], "Out of Range");
    auto boxes =
        boxesOf(runCli({"--power-div-1000", "--set", "s1.tx-power=0.1", "--set", "s2.rx-line-loss-db=0.3"}).out);
    EXPECT_EQ(boxes["Text4"], "0.1 mW");
    EXPECT_EQ(boxes["Text17"], " .3");
}

TEST(ExecutableTest, JsonHoldsTheSameBoxes) {
    const json object = json::parse(runCli({"--json", "--set", "distance-km=160"}).out);
    const auto boxes = boxesOf(runCli({"--set", "distance-km=160"}).out);
    ASSERT_EQ(object.size(), 52U);
    for (const auto& [name, text] : boxes) EXPECT_EQ(object[name], text) << name;
}

TEST(ExecutableTest, ValuesImplyJson) {
    const CliRun run = runCli({"--values"});
    const json object = json::parse(run.out);
    EXPECT_EQ(object.size(), 53U);
    EXPECT_EQ(object["Text26"], "198.07");
    EXPECT_NEAR(object["values"]["yeh"]["loss"].get<double>(), 198.0732357, 1e-6);
}

struct BadInputCase {
    std::vector<std::string> args;
    std::string message;
};

class BadInputTest : public testing::TestWithParam<BadInputCase> {};

constexpr const char* kAllowedOptions =
    " (allowed: --set NAME=VALUE, --power-div-1000, --json, --values, --batch, --jobs N, --help, --version, sweep, "
    "availability, profile, maps, plan, p2001-all, coverage)\n";

TEST_P(BadInputTest, OneLineOnStandardErrorAndStatus2) {
    const CliRun run = runCli(GetParam().args);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tropolink-cli: " + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, BadInputTest,
    testing::Values(
        BadInputCase{{"--set", "foo=1"},
                     "foo=1: unknown name (allowed: HScroll1 to HScroll23 or an alias that --help lists)\n"},
        BadInputCase{{"--set", "distance-km=300", "--set", "HScroll22=300"},
                     "HScroll22=300: HScroll22 is already set (allowed: each slider once, by its slider name or its "
                     "alias)\n"},
        BadInputCase{{"--set", "distance-km=abc"},
                     "distance-km=abc: not a plain decimal number (allowed: 1 to 2000 km in steps of 1)\n"},
        BadInputCase{{"--set", "s1.tx-line-loss-db=0.35"},
                     "s1.tx-line-loss-db=0.35: between two steps of the slider (allowed: 0 to 10 dB in steps of "
                     "0.1)\n"},
        BadInputCase{{"--set", "frequency-mhz=25001"},
                     "frequency-mhz=25001: out of range (allowed: 50 to 25000 MHz in steps of 1)\n"},
        BadInputCase{{"--set", "distance-km=\xff\n2"},
                     "distance-km=\\xFF\\x0A2: not a plain decimal number (allowed: 1 to 2000 km in steps of 1)\n"},
        BadInputCase{{"--power-div-1000", "--power-div-1000"},
                     "--power-div-1000: given twice (allowed: power/1000 at most once)\n"},
        BadInputCase{{"--frobnicate"},
                     "The following argument was not expected: --frobnicate" + std::string(kAllowedOptions)},
        BadInputCase{{"--set", "distance-km=300", "frequency-mhz=500"},
                     "The following argument was not expected: frequency-mhz=500" + std::string(kAllowedOptions)},
        BadInputCase{{"--set"}, "--set: 1 required NAME=VALUE missing" + std::string(kAllowedOptions)},
        BadInputCase{{"--batch", "--set", "distance-km=300"}, "--set excludes --batch" + std::string(kAllowedOptions)},
        BadInputCase{{"--batch", "--jobs", "0"}, "--jobs 0: out of range (allowed: a whole number from 1 to 256)\n"},
        BadInputCase{{"--batch", "--jobs=two"},
                     "--jobs two: not a plain decimal number (allowed: a whole number from 1 to 256)\n"},
        BadInputCase{{"--jobs", "2"}, "--jobs requires --batch" + std::string(kAllowedOptions)},
        BadInputCase{{"--batch", "--jobs=1e1"},
                     "--jobs 1e1: not a plain decimal number (allowed: a whole number from 1 to 256)\n"},
        // Options of a subcommand go after it.
        BadInputCase{{"--json", "availability"},
                     "--json: give the options of availability after it: tropolink-cli availability --json (allowed: "
                     "--set NAME=VALUE, --power-div-1000, --percent P, --delta-n DN, --n0 N0, --ground-height-km HS, "
                     "--climate-zone Z, --required-snr DB, --diversity-order N, --combiner NAME, --branch-correlation R, --json, "
                     "--batch, --jobs N, --help)\n"},
        BadInputCase{{"--set", "distance-km=9", "sweep", "frequency-mhz=100:200"},
                     "--set: give the options of sweep after it: tropolink-cli sweep --set (allowed: "
                     "NAME=FROM:TO[:STEP], --set NAME=VALUE, --power-div-1000, --csv FILE, --svg FILE, --percent P, "
                     "--delta-n DN, --ground-height-km HS, --climate-zone Z, --required-snr DB, --log-x, --jobs N, "
                     "--help)\n"},
        BadInputCase{{"--values", "profile", "-"},
                     "--values: not an option of profile (allowed: FILE, --from LAT,LON, --to LAT,LON, --dem PATH, "
                     "--step-m M, --sea-where-missing, --fill-voids, --write-profile FILE, --kml FILE, --geojson FILE, "
                     "--maps DIR, --s1-mast-m M, --s2-mast-m M, --set NAME=VALUE, --power-div-1000, --json, --svg "
                     "FILE, --availability, --percent P, --delta-n DN, --n0 N0, --climate-zone Z, --required-snr DB, "
                     "--diversity-order N, --combiner NAME, --branch-correlation R, --jobs N, --help)\n"}));

// The options of one --help: the lines from "Options:" to the blank line.
std::vector<std::string> optionLines(const std::string& help) {
    std::vector<std::string> lines;
    const std::size_t start = help.find("\nOptions:\n");
    if (start == std::string::npos) return lines;
    for (std::size_t at = start + 10; at < help.size() && help[at] != '\n';) {
        const std::size_t end = help.find('\n', at);
        lines.push_back(help.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// Each option and its description on one line, with no CLI11 notes between.
TEST(ExecutableTest, HelpGivesEachOptionOneLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"sweep", "--help"}, {"availability", "--help"}, {"profile", "--help"}}) {
        const std::vector<std::string> lines = optionLines(runCli(args).out);
        EXPECT_GE(lines.size(), 6U) << args[0];
        for (const std::string& line : lines) {
            EXPECT_THAT(line, MatchesRegex("  [-a-z0-9,]+( [^ ]+)*( \\.\\.\\.)? +[A-Z%].*")) << args[0];
            EXPECT_THAT(line, Not(HasSubstr("Needs:")));
            EXPECT_THAT(line, Not(HasSubstr("Excludes:")));
        }
    }
    const std::string profile = runCli({"profile", "--help"}).out;
    EXPECT_THAT(profile, HasSubstr("  --delta-n DN                With --availability: "));
    EXPECT_THAT(profile, HasSubstr("[--availability [--percent P]... [--delta-n DN]"));
    EXPECT_THAT(profile, Not(HasSubstr("as --batch would give")));
}

TEST(ExecutableTest, VersionAndHelp) {
    EXPECT_EQ(runCli({"--version"}).out, std::string("tropolink-cli ") + TROPOLINK_VERSION + "\n");
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const Alias& alias : kAliases) EXPECT_THAT(help.out, HasSubstr(std::string(alias.name) + " ")) << alias.name;
    for (const SliderSpec& slider : kSliders) EXPECT_THAT(help.out, HasSubstr(std::string(slider.name) + " "));
    EXPECT_THAT(help.out, HasSubstr("s1.tx-power                  W or mW   0.1 to 1500     0.1   100\n"));
    for (const char* name :
         {"scatteringAngle", "takeOffAngle", "horizonLimited", "lineOfSight", "rxSensitivity", "eirpDbw", "beamwidth",
          "perfectDuctLoss", "atmosphericAttenuation", "verdict", "couplingLoss", "atStation1", "averageLoss"})
        EXPECT_THAT(help.out, HasSubstr(name));
}

TEST(ExecutableTest, BatchAnswersAndReportsRefusedLines) {
    const CliRun run = runCli({"--batch"}, "distance-km=160\r\nnope\n\n# done\n");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "");
    std::istringstream lines(run.out);
    std::string first, second, extra;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_EQ(json::parse(first)["Text29"], "Out of Range");
    EXPECT_EQ(json::parse(second)["line"], 2);
    EXPECT_EQ(runCli({"--batch", "--json"}, "").exitStatus, 0);
}

struct FailedOutputCase {
    Stdout setup;
    std::vector<std::string> args;
};

class FailedOutputTest : public testing::TestWithParam<FailedOutputCase> {};

// A closed, full or abandoned standard output ends the program with status 1, not a signal.
TEST_P(FailedOutputTest, ExitsWithStatus1) {
    const CliRun run = runCli(GetParam().args, std::string(20000, '\n') + "distance-km=300\n", GetParam().setup);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(run.err, HasSubstr("tropolink-cli: cannot write to standard output: "));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, FailedOutputTest,
    testing::Values(FailedOutputCase{Stdout::Closed, {}}, FailedOutputCase{Stdout::Closed, {"--batch"}},
                    FailedOutputCase{Stdout::BrokenPipe, {}}, FailedOutputCase{Stdout::BrokenPipe, {"--batch"}},
                    FailedOutputCase{Stdout::BrokenPipe, {"--batch", "--jobs", "4"}},
                    FailedOutputCase{Stdout::Closed, {"--batch", "--jobs", "1"}},
                    FailedOutputCase{Stdout::DiskFull, {"--values"}}, FailedOutputCase{Stdout::DiskFull, {"--batch"}},
                    FailedOutputCase{Stdout::DiskFull, {"sweep", "distance-km=1:2000"}}));

// Only settings that bypass validation reach a numeric fault.
TEST(SingleRunTest, AFailedPassNamesTheQuantityWithStatus3) {
    Settings settings;
    settings.positions[static_cast<std::size_t>(sliderIndex(Slider::HScroll4))] = 0;
    Output out(-1);
    const RunResult result = printPass(settings, OutputFormat::Text, out);
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_EQ(result.diagnostic, "tropolink-cli: numeric fault: could not compute the radiated power");
}

}  // namespace
}  // namespace tropolink::cli
