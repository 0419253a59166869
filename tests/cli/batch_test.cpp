#include "cli/batch_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "grammar/batch_line.h"
#include "run_cli.h"

namespace tropolink::cli {
namespace {

using nlohmann::json;
using testing::HasSubstr;
using testing_support::readAll;
using testing_support::temporaryFileWith;

struct BatchRun {
    int exitStatus;
    std::vector<json> answers;  // one per output line, each parsed strictly
};

BatchRun runBatchOn(std::string_view input, bool withValues = false) {
    const int in = temporaryFileWith(input);
    const int outFd = temporaryFileWith("");
    Output out(outFd);
    const RunResult result = runBatch(in, out, withValues);
    std::istringstream lines(readAll(outFd));
    close(in);
    close(outFd);
    BatchRun run{result.exitStatus, {}};
    for (std::string line; std::getline(lines, line);) run.answers.push_back(json::parse(line));
    return run;
}

std::string errorOf(std::string_view line) {
    const BatchRun run = runBatchOn(line);
    if (run.answers.size() != 1 || !run.answers[0].contains("error")) return "no error";
    return run.answers[0]["error"];
}

TEST(BatchTest, AnswersAMixedStreamLineByLineInOrder) {
    const BatchRun run =
        runBatchOn("distance-km=160\n\n# a comment\n   \t# indented\nfoo=1\nHScroll1=10000 HScroll11=10000\n");
    ASSERT_EQ(run.answers.size(), 3U);
    EXPECT_EQ(run.answers[0]["Text29"], "Out of Range");
    EXPECT_EQ(run.answers[1].dump(), R"x({"error":"foo=1: unknown name (allowed: HScroll1 to HScroll23 or an )x"
                                     R"x(alias that --help lists)","line":5})x");
    EXPECT_EQ(run.answers[2]["Text39"], "horizon limited");
    EXPECT_EQ(run.answers[2]["Text38"], "-3.88");
    EXPECT_EQ(run.exitStatus, 2);
}

TEST(BatchTest, EveryLineStartsFromTheStartPositions) {
    const BatchRun run = runBatchOn("HScroll1=10000 HScroll11=10000 power-div-1000\ndistance-km=250\n");
    ASSERT_EQ(run.answers.size(), 2U);
    EXPECT_EQ(run.answers[0]["Text4"], "100. mW");
    EXPECT_EQ(run.answers[1]["Text1"], " 10");
    EXPECT_EQ(run.answers[1]["Text4"], " 100");
    EXPECT_EQ(run.answers[1]["Text43"], "Not LOS");  // written as a number on the line before
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(BatchTest, EmptyInputAnswersNothing) {
    for (const char* input : {"", "\n", "\n\n# only comments\n", " \t\r\n", "\r"}) {
        const BatchRun run = runBatchOn(input);
        EXPECT_TRUE(run.answers.empty()) << input;
        EXPECT_EQ(run.exitStatus, 0);
    }
}

// Tabs, CR before LF, a missing final newline and words in any order all read alike.
TEST(BatchTest, WhitespaceVariantsReadAlike) {
    const BatchRun plain = runBatchOn("distance-km=160 s1.tx-power=5\n");
    for (const char* input : {"\tdistance-km=160\ts1.tx-power=5\t\r\n", "distance-km=160   s1.tx-power=5",
                              "s1.tx-power=5 distance-km=160\r\n", "\v\fdistance-km=160 s1.tx-power=5\r\r\n"}) {
        const BatchRun run = runBatchOn(input);
        ASSERT_EQ(run.answers.size(), 1U) << input;
        EXPECT_EQ(run.answers[0], plain.answers[0]) << input;
    }
}

struct LineErrorCase {
    std::string line;
    std::string error;
};

class BatchLineErrorTest : public testing::TestWithParam<LineErrorCase> {};

TEST_P(BatchLineErrorTest, AnswersWithTheRefusal) { EXPECT_EQ(errorOf(GetParam().line), GetParam().error); }

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchLineErrorTest,
    testing::Values(
        LineErrorCase{"power-div-1000 power-div-1000",
                      "power-div-1000: given twice (allowed: power/1000 at most once)"},
        LineErrorCase{"distance-km=300 distance-km=300",
                      "distance-km=300: HScroll22 is already set (allowed: each slider once, by its slider name or "
                      "its alias)"},
        LineErrorCase{"s1.tx-power=1500.1 power-div-1000",
                      "s1.tx-power=1500.1: out of range (allowed: 0.1 to 1500 mW in steps of 0.1)"},
        LineErrorCase{"--set distance-km=3",
                      "--set: not NAME=VALUE (allowed: HScroll1 to HScroll23 or an alias that --help lists as NAME)"},
        LineErrorCase{"distance-km=-0.5",
                      "distance-km=-0.5: between two steps of the slider (allowed: 1 to 2000 km "
                      "in steps of 1)"},
        LineErrorCase{std::string("distance-km=1\0", 14),
                      "distance-km=1\\x00: not a plain decimal number (allowed: 1 to 2000 km in steps of 1)"},
        LineErrorCase{"distance-km=\xC3\x28",
                      "distance-km=\\xC3(: not a plain decimal number (allowed: 1 to 2000 km "
                      "in steps of 1)"},
        LineErrorCase{"\xff\xfe=1",
                      "\\xFF\\xFE=1: unknown name (allowed: HScroll1 to HScroll23 or an alias that "
                      "--help lists)"}));

TEST(BatchTest, ANumberOfOneIntegerSliderMayEndInZeros) {
    const BatchRun run = runBatchOn("distance-km=160.000 HScroll1=10.0\n");
    ASSERT_EQ(run.answers.size(), 1U);
    EXPECT_EQ(run.answers[0]["Text22"], " 160");
}

TEST(BatchTest, ATenMegabyteLineIsRefusedAndTheBatchGoesOn) {
    std::string input = "distance-km=" + std::string(10 * 1024 * 1024, '1') + "\ndistance-km=160\n";
    const BatchRun run = runBatchOn(input);
    ASSERT_EQ(run.answers.size(), 2U);
    EXPECT_EQ(run.answers[0]["line"], 1);
    EXPECT_EQ(run.answers[0]["error"], "distance-km=" + std::string(52, '1') +
                                           "... (10485772 bytes): longer than 65536 bytes (allowed: lines of at "
                                           "most 65536 bytes)");
    EXPECT_EQ(run.answers[1]["Text29"], "Out of Range");
    EXPECT_EQ(run.exitStatus, 2);
}

TEST(BatchTest, LongCommentsAndBlankLinesAreSkipped) {
    const std::string longBlank(200'000, ' ');
    const BatchRun run = runBatchOn("# " + std::string(10 * 1024 * 1024, 'x') + "\n" + longBlank + "\n" + longBlank +
                                    "# late comment\n" + longBlank + "foo=1\ndistance-km=160");
    ASSERT_EQ(run.answers.size(), 2U);
    EXPECT_EQ(run.answers[0]["line"], 4);
    EXPECT_THAT(std::string(run.answers[0]["error"]), HasSubstr("longer than 65536 bytes"));
    EXPECT_EQ(run.answers[1]["Text29"], "Out of Range");
}

TEST(BatchTest, ValuesGoBesideTheBoxes) {
    const BatchRun run = runBatchOn("distance-km=2000\nfoo=1\n", true);
    ASSERT_EQ(run.answers.size(), 2U);
    EXPECT_EQ(run.answers[0]["Text27"], "Out of Range");
    EXPECT_EQ(run.answers[0]["values"]["itt"]["verdict"], "outOfRange");
    EXPECT_FALSE(run.answers[1].contains("values"));
}

// No input reaches a numeric fault through validation; settings that bypass
// it show how one is answered.
TEST(BatchTest, AFailedPassIsAnsweredWithTheQuantity) {
    Settings settings;
    settings.positions[static_cast<std::size_t>(sliderIndex(Slider::HScroll22))] = 0;
    HeadlessWindow window;
    std::string out;
    EXPECT_EQ(answerSettings(settings, 7, false, window, out), LineOutcome::NumericFault);
    EXPECT_EQ(out, "{\"line\":7,\"error\":\"numeric fault: could not compute the line-of-sight loss\"}\n");
}

}  // namespace
}  // namespace tropolink::cli
