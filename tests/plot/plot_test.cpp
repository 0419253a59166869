#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "plot/label_placement.h"
#include "plot/plot_axis.h"
#include "plot/plot_page.h"
#include "plot/polyline.h"
#include "plot/svg_writer.h"

namespace tropolink::plot {
namespace {

struct TicksCase {
    Range range;
    int target;
    bool around;
    std::vector<std::string> labels;
};

class TicksTest : public testing::TestWithParam<TicksCase> {};

TEST_P(TicksTest, RoundNumbers) {
    const TicksCase& c = GetParam();
    const Ticks ticks = c.around ? ticksAround(c.range, c.target) : ticksWithin(c.range, c.target);
    std::vector<std::string> labels;
    for (const double v : ticks.values) labels.push_back(ticks.label(v));
    EXPECT_EQ(labels, c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Axes, TicksTest,
    testing::Values(
        TicksCase{{1, 2000}, 7, false, {"200", "400", "600", "800", "1000", "1200", "1400", "1600", "1800", "2000"}},
        TicksCase{{51.47, 335.2},
                  9,
                  true,
                  {"40", "60", "80", "100", "120", "140", "160", "180", "200", "220", "240", "260", "280", "300", "320",
                   "340"}},
        TicksCase{{-3.88, 81.4}, 4, true, {"-20", "0", "20", "40", "60", "80", "100"}},
        TicksCase{{0.1, 1}, 5, false, {"0.2", "0.4", "0.6", "0.8", "1.0"}},
        TicksCase{{0, 80}, 1, false, {"0"}},  // a rough step of 80 rounds up to 100
        TicksCase{{270, 350}, 4, true, {"260", "280", "300", "320", "340", "360"}}));

// Over base-10 logarithms: the powers of ten, or 1, 2 and 5 times them within
// a range that holds fewer than two.
TEST(PlotAxisTest, LogTicksAtPowersOfTen) {
    struct Case {
        double lo;
        double hi;
        std::vector<std::string> labels;
    };
    for (const Case& c : {Case{50, 25000, {"100", "1000", "10000"}}, Case{1, 10000, {"1", "10", "100", "1000", "10000"}},
                          Case{0.01, 3, {"0.01", "0.1", "1"}}, Case{150, 900, {"200", "500"}},
                          Case{0.3, 4, {"0.5", "1", "2"}}}) {
        const Ticks ticks = logTicksWithin({std::log10(c.lo), std::log10(c.hi)});
        std::vector<std::string> labels;
        for (const double v : ticks.values) labels.push_back(ticks.label(v));
        EXPECT_EQ(labels, c.labels) << c.lo << " to " << c.hi;
    }
}

TEST(PlotAxisTest, ScaleAndEmptyRanges) {
    const LinearScale y({40, 340}, 500, 100);  // pixels grow downwards
    EXPECT_DOUBLE_EQ(y(40), 500);
    EXPECT_DOUBLE_EQ(y(190), 300);
    EXPECT_DOUBLE_EQ(y(340), 100);
    const Range single = nonEmpty({5, 5});
    EXPECT_EQ(single.lo, 4);
    EXPECT_EQ(single.hi, 6);
}

TEST(PolylineTest, KeepsTheEndsAndTheCorners) {
    const std::vector<Point> straight{{0, 0}, {1, 1}, {2, 2}, {3, 3.05}, {4, 4}};
    EXPECT_EQ(simplifyPolyline(straight, 0.1).size(), 2U);
    const std::vector<Point> corner{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 2}};
    const std::vector<Point> kept = simplifyPolyline(corner, 0.1);
    ASSERT_EQ(kept.size(), 3U);
    EXPECT_EQ(kept[1].x, 2);
    EXPECT_EQ(simplifyPolyline(std::vector<Point>{{0, 0}}, 0.1).size(), 1U);
    // A spike between two equal points is a distance from a point, not from a line.
    EXPECT_EQ(simplifyPolyline(std::vector<Point>{{0, 0}, {0, 5}, {0, 0}}, 0.1).size(), 3U);
}

TEST(SvgWriterTest, EscapesAndNests) {
    std::string out;
    SvgWriter svg(out, 10, 20);
    svg.open("g", {{"id", "a\"b'c"}});
    svg.text("text", {}, "<R&D>\x01");
    svg.finish();
    EXPECT_EQ(out,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"20\" viewBox=\"0 0 10 20\" "
              "font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" font-size=\"12\">\n"
              "  <g id=\"a&quot;b&apos;c\">\n"
              "    <text>&lt;R&amp;D&gt;\xEF\xBF\xBD</text>\n"
              "  </g>\n"
              "</svg>\n");
}

TEST(SvgWriterTest, PixelsToATenth) {
    EXPECT_EQ(px(12), "12");
    EXPECT_EQ(px(12.5), "12.5");
    EXPECT_EQ(px(12.04), "12");
    EXPECT_EQ(px(-0.01), "0");
    EXPECT_EQ(px(-3.26), "-3.3");
}

TEST(PlotPageTest, HeadingLinesStepDownAndThePlotStartsBelowThem) {
    std::string out;
    SvgWriter svg(out, kPageWidthPx, 100);
    const std::vector<std::string> subtitle{"first", "second"};
    drawHeading(svg, "T", subtitle);
    EXPECT_NE(out.find("<title>T</title>"), std::string::npos);
    EXPECT_NE(out.find("x=\"80\" y=\"32\" font-size=\"20\" font-weight=\"bold\">T</text>"), std::string::npos);
    EXPECT_NE(out.find("y=\"56\" font-size=\"13\" fill=\"#444444\">first</text>"), std::string::npos);
    EXPECT_NE(out.find("y=\"73\" font-size=\"13\" fill=\"#444444\">second</text>"), std::string::npos);
    EXPECT_EQ(belowSubtitlePx(subtitle.size()), 90);
}

TEST(LabelPlacementTest, SegmentsMeetingABox) {
    const Rect r{10, 10, 20, 20};
    struct Case {
        Point a;
        Point b;
        bool meets;
    };
    for (const Case& c : {Case{{0, 0}, {30, 30}, true},     // across a corner to corner
                          Case{{12, 12}, {14, 14}, true},   // inside
                          Case{{0, 15}, {10, 15}, true},    // ends on the left edge
                          Case{{0, 0}, {30, 0}, false},     // above, parallel
                          Case{{0, 9}, {9, 0}, false},      // beside a corner
                          Case{{21, 0}, {21, 30}, false},   // right of it, upright
                          Case{{0, 30}, {30, 21}, false}})  // below, sloping
        EXPECT_EQ(segmentMeetsRect(c.a, c.b, r), c.meets) << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y;
}

TEST(LabelPlacementTest, TakesTheFirstPlaceClearOfLinesAndLabels) {
    LabelPlacer placer;
    placer.addLine({0, 15}, {100, 15});
    const std::vector<Rect> spots{{10, 10, 30, 20}, {10, 30, 30, 40}, {10, 50, 30, 60}};
    EXPECT_EQ(placer.place(spots), 1u);  // the first crosses the line
    EXPECT_EQ(placer.place(spots), 2u);  // the second is taken now
    EXPECT_EQ(placer.place(spots), std::nullopt);
    EXPECT_EQ(placer.placeOrFirst(spots), 0u);
    // A soft line gives way only when nothing else is clear.
    LabelPlacer soft;
    soft.addSoftPolyline(std::vector<Point>{{0, 35}, {100, 35}});
    soft.addLine({0, 55}, {100, 55});
    EXPECT_EQ(soft.placeOrFirst(std::vector<Rect>{{10, 30, 30, 40}, {10, 70, 30, 80}}), 1u);
    EXPECT_EQ(soft.placeOrFirst(std::vector<Rect>{{10, 50, 30, 60}, {40, 30, 60, 40}}), 1u);
    EXPECT_EQ(textBox({100, 50}, "end", "abc").left, 100 - 3 * 6.6);
}

}  // namespace
}  // namespace tropolink::plot
