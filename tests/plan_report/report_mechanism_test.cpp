#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "plan_report/budget_rows.h"
#include "plan_report/budget_svg.h"
#include "plan_report/html_escape.h"
#include "plan_report/mechanism_svg.h"
#include "plan_report/plan_report.h"
#include "plan_report/report_sections.h"
#include "report_fixture.h"

namespace tropolink {
namespace {

std::string sectionOf(const test::ReportFixture& f) {
    const std::string html =
        planReportHtml(f.plan, f.result, {"2026-12-09 12:00 UTC", "1.0.0", f.plan.file.string()});
    const std::size_t at = html.find("<section id=\"mechanisms\">");
    if (at == std::string::npos) return {};
    return html.substr(at, html.find("</section>", at) - at);
}

std::size_t count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The path of one curve as drawn: its points in pixels.
std::vector<std::pair<double, double>> drawnPoints(const std::string& svg, std::string_view curve) {
    const std::regex path("<path data-curve=\"" + std::string(curve) + "\" d=\"([^\"]*)\"");
    std::smatch m;
    if (!std::regex_search(svg, m, path)) return {};
    std::vector<std::pair<double, double>> points;
    std::istringstream in(std::regex_replace(m[1].str(), std::regex("[ML]"), " "));
    double x = 0;
    double y = 0;
    while (in >> x >> y) points.emplace_back(x, y);
    return points;
}

// Every point of every curve is the result's loss at its percentage, on the
// chart's axes, to the tenth of a pixel the picture is written with.
TEST(ReportMechanisms, TheChartsPointsAreTheResultsCurves) {
    const test::ReportFixture f = test::mechanismFixture();
    for (const MechanismStation& s : f.result.mechanisms.stations) {
        const double limit = (*f.result.highestLossDb)[static_cast<std::size_t>(s.receivingStation - 1)];
        const std::string svg = mechanismSvg(s, limit, 99.9, "clip");
        const MechanismChartAxes axes = mechanismChartAxes(s, limit);
        for (std::size_t c = 0; c < kMechanismCurves; ++c) {
            const auto points = drawnPoints(svg, curveName(c));
            ASSERT_EQ(points.size(), s.overYear.size()) << curveName(c);
            for (std::size_t i = 0; i < points.size(); ++i) {
                EXPECT_NEAR(points[i].first, axes.x(s.overYear[i].percent), 0.05 + 1e-9) << curveName(c) << i;
                EXPECT_NEAR(points[i].second, axes.y(curveLossDb(s.overYear[i], c)), 0.05 + 1e-9) << curveName(c) << i;
            }
        }
        // Lb and the limit stay inside the frame, whatever the sub-models do.
        for (const MechanismLosses& at : s.overYear) {
            EXPECT_GE(axes.y(at.lbDb), axes.box.top);
            EXPECT_LE(axes.y(at.lbDb), axes.box.bottom());
        }
        EXPECT_GE(axes.y(limit), axes.box.top);
        EXPECT_LE(axes.y(limit), axes.box.bottom());
    }
}

TEST(ReportMechanisms, TheCurvesNamedAsTheSubModels) {
    const MechanismLosses at{.percent = 50,
                             .lbDb = 1,
                             .subModels = {.lbm1Db = 2, .lbm2Db = 3, .lbm3Db = 4, .lbm4Db = 5},
                             .deciding = {}};
    for (std::size_t c = 0; c < kMechanismCurves; ++c) EXPECT_EQ(curveLossDb(at, c), static_cast<double>(c + 1));
    EXPECT_EQ(curveName(0), "Lb");
    EXPECT_EQ(curveName(4), "Lbm4");
}

// Where the method ran: a chart per direction, a row per percentage and
// direction with its figures and its mechanism in words.
TEST(ReportMechanisms, TheSectionShowsWhatCarriesTheSignal) {
    const test::ReportFixture f = test::mechanismFixture();
    const std::string section = sectionOf(f);
    EXPECT_NE(section.find("<h2>How the signal arrives</h2>"), std::string::npos);
    EXPECT_EQ(count(section, "<svg"), 2u);
    EXPECT_EQ(count(section, "mechanism-clip-1\""), 1u);
    EXPECT_EQ(count(section, "mechanism-clip-2\""), 1u);
    for (const MechanismStation& s : f.result.mechanisms.stations) {
        for (const MechanismLosses& at : s.atPercents) {
            std::string row = "<tr><th>" + percentText(at.percent) + "</th><td class=\"name\">" +
                              htmlEscaped(s.receivingStation == 1 ? f.result.plan.station1.name
                                                                  : f.result.plan.station2.name) +
                              "</td>";
            for (std::size_t c = 0; c < kMechanismCurves; ++c) row += "<td>" + numberCell(curveLossDb(at, c), 2) + "</td>";
            row += "<td class=\"name\">" + decidingMechanismsText(at.deciding) + "</td></tr>";
            EXPECT_EQ(count(section, row), 1u) << row;
        }
        EXPECT_NE(section.find("the signal arrives by <b>" + decidingMechanismsText(s.atRequired->deciding) + "</b>"),
                  std::string::npos);
    }
    for (const char* words : {"diffraction and clear-air propagation near the surface", "ducting and layer reflection",
                              "troposcatter", "sporadic-E", "Hill path: the maps are synthetic"})
        EXPECT_NE(section.find(words), std::string::npos) << words;
}

// Where it did not run the section stays, saying why and nothing more.
TEST(ReportMechanisms, WithoutTheMethodTheSectionSaysWhy) {
    struct Case {
        MechanismSkip skip;
        std::string reason;
        std::string shown;
    };
    const Case cases[] = {
        {MechanismSkip::NoSites, "", "it needs the ends' coordinates to read its maps, and this plan gives no sites."},
        {MechanismSkip::NoMaps, "the maps <are> missing: install them with tropolink-cli maps download",
         "the maps &lt;are&gt; missing: install them with tropolink-cli maps download."},
        {MechanismSkip::Refused, "the path is 2000 km long", "the path is 2000 km long."},
    };
    for (const Case& c : cases) {
        test::ReportFixture f = test::mechanismFixture();
        f.result.mechanisms.skip = c.skip;
        f.result.mechanisms.reason = c.reason;
        f.result.mechanisms.stations.clear();
        const std::string section = sectionOf(f);
        EXPECT_NE(section.find("did not run: " + c.shown), std::string::npos) << section;
        EXPECT_EQ(count(section, "<svg"), 0u);
        EXPECT_EQ(count(section, "<table"), 0u);
    }
    EXPECT_NE(sectionOf(test::settingsFixture()).find("did not run"), std::string::npos);
}

// The budget carries the complete method's Lb of each direction, and its
// waterfall shows it, naming it, wherever the method ran.
TEST(ReportMechanisms, TheBudgetBarShowsTheCompleteMethodWhereItRan) {
    const std::string complete = itur::recommendationName(itur::ItuMethod::P2001All);
    struct Case {
        bool ran;
        double required;  // 99.9 is among the plan's percentages, 99.5 not
        std::string shown;
    };
    const Case cases[] = {
        {true, 99.9, complete + " not exceeded for 99.9 % of the year"},
        {true, 99.5, complete + " not exceeded for 99.5 % of the year"},
        {false, 99.9, "ITU-R P.2001 troposcatter not exceeded for 99.9 % of the year"},
    };
    for (const Case& c : cases) {
        test::ReportFixture f = test::mechanismFixture();
        PlanResult& r = f.result;
        r.plan.requiredAvailabilityPercent = c.required;
        for (MechanismStation& s : r.mechanisms.stations) s.atRequired->percent = c.required;
        if (!c.ran) {
            r.mechanisms.skip = MechanismSkip::NoMaps;
            r.mechanisms.stations.clear();
        }
        const BudgetDirection a = budgetDirection(r, 1);
        const BudgetDirection b = budgetDirection(r, 2);
        ASSERT_EQ(a.rows.size(), b.rows.size());
        for (const BudgetDirection* d : {&a, &b}) {
            const std::optional<std::size_t> row = waterfallRow(*d, r.plan);
            ASSERT_TRUE(row);
            const BudgetLossRow& shown = d->rows[*row];
            EXPECT_EQ(shown.percent, c.required);
            if (c.ran) {
                const MechanismStation& s = r.mechanisms.stations[static_cast<std::size_t>(d->receiving - 1)];
                ASSERT_EQ(s.receivingStation, d->receiving);
                EXPECT_EQ(shown.ituMethod, itur::ItuMethod::P2001All);
                EXPECT_EQ(shown.pathLossDb, s.atRequired->lbDb);
                std::size_t rows = 0;
                for (const BudgetLossRow& each : d->rows)
                    if (each.ituMethod == itur::ItuMethod::P2001All) {
                        const MechanismLosses& at = rows < s.atPercents.size() ? s.atPercents[rows] : *s.atRequired;
                        EXPECT_EQ(each.percent, at.percent);
                        EXPECT_EQ(each.pathLossDb, at.lbDb);
                        ++rows;
                    }
                EXPECT_EQ(rows, s.atPercents.size() + (c.required == 99.5 ? 1 : 0));
            } else {
                EXPECT_EQ(shown.ituMethod, itur::ItuMethod::P2001);
            }
        }
        const std::string svg = budgetWaterfallSvg(a, b, r.plan);
        EXPECT_EQ(count(svg, "Path loss: " + c.shown), 2u) << c.shown;
        EXPECT_NE(waterfallCaption(a, r.plan).find(c.shown), std::string::npos);
    }
}

}  // namespace
}  // namespace tropolink
