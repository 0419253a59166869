#include "report/availability_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "report/availability_cells.h"

namespace tropolink {
namespace {

using testing::HasSubstr;

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

TEST(AvailabilityCells, FixedBelowAMillionScientificFromIt) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case c : {Case{-264.16329943504179, "-264.163"}, Case{999999.9994, "999999.999"},
                         Case{-1e6, "-1.000e+06"}, Case{2234999.99996, "2.235e+06"}, Case{1.5e236, "1.500e+236"}})
        EXPECT_EQ(figureText(c.value), c.text) << c.value;
}

// The geometry names were padded with 10 - size, which wrapped round for a longer name.
TEST(AvailabilityCells, PaddingNeverWrapsRound) {
    struct Case {
        std::string_view text;
        std::size_t width;
        const char* right;
        const char* left;
    };
    for (const Case c : {Case{"h0", 4, "h0  ", "  h0"}, Case{"theta", 5, "theta ", "theta"},
                         Case{"a-much-longer-name", 10, "a-much-longer-name ", "a-much-longer-name"}}) {
        std::string right;
        padRight(right, c.text, c.width);
        EXPECT_EQ(right, c.right);
        std::string left;
        padLeft(left, c.text, c.width);
        EXPECT_EQ(left, c.left);
    }
}

itur::PercentFigures row(double percent, double loss) {
    return {percent, itur::MethodVerdict::Valid, itur::OutOfRangeReason::None, loss, loss - 200, -loss, -loss};
}

// A figure of 22 characters ran into its neighbours: -264.1632994350417937900544.000.
TEST(AvailabilityTable, ColumnsWidenToTheWidestFigure) {
    itur::AvailabilityAnswer a;
    a.geometry = {250, 8549, -1, -1, 10, 10};
    a.p617.rows = {row(50, 195.614), row(99.99, -264.16329943504179)};
    a.p2001.rows = {row(50, 1.5e236), row(99.99, 2e6)};
    std::string out;
    appendAvailabilityTable(out, a, AvailabilityOptions{});
    std::istringstream lines(out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("      50") || line.starts_with("   99.99")) rows.push_back(line);
    ASSERT_EQ(rows.size(), 2U) << out;
    EXPECT_EQ(words(rows[0]), (std::vector<std::string>{"50", "195.614", "-4.386", "-195.614", "-195.614",
                                                        "1.500e+236", "1.500e+236", "-1.500e+236", "-1.500e+236"}));
    EXPECT_EQ(words(rows[1]).size(), 9U) << rows[1];
    EXPECT_EQ(rows[0].size(), rows[1].size());
    EXPECT_THAT(out, testing::Not(HasSubstr("inf")));
}

TEST(AvailabilityTable, OutOfRangeCellsAndTheScatterOnlyNote) {
    itur::AvailabilityAnswer a;
    a.geometry = {250, 8549, -1, -1, 10, 10};
    a.p617.rows = {row(5, 180), row(50, 195)};
    a.p2001.domain = {itur::MethodVerdict::OutOfRange, itur::OutOfRangeReason::NotFinite, 0};
    a.p2001.rows.assign(2, {5, itur::MethodVerdict::OutOfRange, itur::OutOfRangeReason::NotFinite, {}, {}, {}, {}});
    a.p2001.rows[1].percent = 50;
    std::string out;
    appendAvailabilityTable(out, a, AvailabilityOptions{});
    EXPECT_THAT(out, HasSubstr("       5    180.000     -20.000      -180.000      -180.000    out of range\n"));
    EXPECT_THAT(out, HasSubstr("\nNote: P.2001 troposcatter gives no figure: a term of its formula is not finite on this path.\n"));
    EXPECT_THAT(out, HasSubstr("\nNote: Below 10 % of the year ducting and layer reflection"));
}

// Each side may call the path line of sight alone; the line says which.
TEST(AvailabilityTable, CalculatorLineSaysWhereTheVerdictsDiffer) {
    struct Case {
        double itsAngleDeg;
        bool itsLineOfSight;
        const char* ending;
    };
    for (const Case c : {Case{1.5, false, "own 8494.6 km earth\n"},
                         Case{-0.001, true, "own 8494.6 km earth, where the path is line of sight\n"}}) {
        itur::AvailabilityAnswer a;
        a.geometry = {250, 8549.12, -1, -1, 10, 10};
        a.p617.rows = {row(50, 195)};
        a.p2001.rows = {row(50, 196)};
        PathGeometry calculator;
        calculator.scatteringAngle = c.itsAngleDeg;
        calculator.lineOfSight = c.itsLineOfSight;
        calculator.effectiveEarthRadius = 8494.64543;
        std::string out;
        appendAvailabilityTable(out, a, AvailabilityOptions{}, calculator);
        EXPECT_THAT(out, HasSubstr("  scatter angle 27.243 mrad (1.561 deg) on the ITU methods' earth of 8549.1 km "
                                   "(delta-N 40); the calculator's "))
            << out;
        EXPECT_THAT(out, HasSubstr(c.ending)) << out;
    }
}

// "S/N 1 dB" read like "an S/N of 1 dB"; each heading stands right over its figures.
TEST(AvailabilityTable, HeadingsNameTheStationAndTheUnitApart) {
    itur::AvailabilityAnswer a;
    a.geometry = {250, 8549, -1, -1, 10, 10};
    a.p617.rows = {row(50, 195.614)};
    a.p2001.rows = {row(50, 196.578)};
    std::string out;
    appendAvailabilityTable(out, a, AvailabilityOptions{});
    const std::string heading =
        "   p (%)  loss (dB) margin (dB) S/N at 1 (dB) S/N at 2 (dB)  loss (dB) margin (dB) S/N at 1 (dB) S/N at 2 (dB)\n";
    const std::string figures =
        "      50    195.614      -4.386      -195.614      -195.614    196.578      -3.422      -196.578      -196.578\n";
    EXPECT_THAT(out, HasSubstr(heading + figures)) << out;
}

}  // namespace
}  // namespace tropolink
