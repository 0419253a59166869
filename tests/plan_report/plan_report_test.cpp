#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <regex>

#include "climate/map_set.h"
#include "plan/plan_decision.h"
#include "plan/plan_toml.h"
#include "plan_report/budget_rows.h"
#include "plan_report/budget_svg.h"
#include "plan_report/fading_svg.h"
#include "plan_report/html_escape.h"
#include "plan_report/plan_report.h"
#include "plan_report/probability_axis.h"
#include "plan_report/report_sections.h"
#include "report_fixture.h"

namespace tropolink {
namespace {

constexpr double kExactDb = 1e-9;
// The pass takes its logarithms with its own dB-per-neper constant: its EIRP
// and noise power differ from the exact sums by well under a micro-dB, and
// the report shows hundredths.
constexpr double kPassDb = 1e-6;

TEST(HtmlEscape, EveryCharacterThatEndsTextTagOrAttribute) {
    struct Case {
        std::string_view in;
        std::string_view out;
    };
    const Case cases[] = {
        {"<script>", "&lt;script&gt;"},
        {"</style>", "&lt;/style&gt;"},
        {"\"a\" & 'b'", "&quot;a&quot; &amp; &#39;b&#39;"},
        {"&amp;", "&amp;amp;"},
        {"tab\tline\nreturn\r", "tab\tline\nreturn\r"},
        {std::string_view("nul\0bell\x07" "del\x7f", 13), "nul\xEF\xBF\xBD" "bell\xEF\xBF\xBD" "del\xEF\xBF\xBD"},
        {"\xCE\x94N 99.9 %", "\xCE\x94N 99.9 %"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(htmlEscaped(c.in), c.out) << c.in;
}

TEST(ProbabilityAxis, QuantilesOfTheNormalDistribution) {
    struct Case {
        double p;
        double z;
    };
    const Case cases[] = {{0.5, 0},
                          {0.8413447460685429, 1},
                          {0.9772498680518208, 2},
                          {0.9986501019683699, 3},
                          {0.0013498980316301, -3},
                          {0.01, -2.3263478740408408},
                          {0.9999, 3.7190164854556804},
                          {1e-9, -5.997807015007686}};
    for (const Case& c : cases) EXPECT_NEAR(normalQuantile(c.p), c.z, 1e-12) << c.p;
    for (const double p : {0.0, 1.0, -0.1, 1.1, std::nan("")}) EXPECT_THROW(normalQuantile(p), std::domain_error) << p;
}

TEST(ProbabilityAxis, EndsOnItsPixelsAndSpreadsTheTails) {
    const ProbabilityAxis x(kYearLoPercent, kYearHiPercent, 100, 500);
    EXPECT_NEAR(x(kYearLoPercent), 100, 1e-9);
    EXPECT_NEAR(x(kYearHiPercent), 500, 1e-9);
    // 50 % lies where z = 0 does: z(1 %) = −2.326, z(99.99 %) = 3.719.
    EXPECT_NEAR(x(50), 100 + 400 * 2.3263478740408408 / (2.3263478740408408 + 3.7190164854556804), 1e-9);
    // Equal steps of z are equal steps of pixels: 16 % to 50 % as 50 % to 84 %.
    EXPECT_NEAR(x(50) - x(100 * 0.15865525393145707), x(100 * 0.8413447460685429) - x(50), 1e-9);
    double last = -INFINITY;
    for (const double p : kYearTickPercents) {
        EXPECT_GT(x(p), last) << p;
        last = x(p);
    }
}

class Budget : public ::testing::TestWithParam<bool> {
protected:
    test::ReportFixture fixture = GetParam() ? test::profileFixture() : test::settingsFixture();
};

// Each direction's dB add up: power, line loss and gain to the EIRP the pass
// computed; EIRP, path loss and receive gain to the level; level less noise
// to the S/N the pass and the ITU answer give.
TEST_P(Budget, EveryRowSumsToTheReceivedLevelAndTheSnr) {
    const PlanResult& r = fixture.result;
    for (const int from : {1, 2}) {
        SCOPED_TRACE(from);
        const BudgetDirection d = budgetDirection(r, from);
        EXPECT_NEAR(d.txPowerDbw - d.txLineLossDb + d.txGainDbi, d.eirpDbw, kPassDb);
        EXPECT_NEAR(d.eirpDbw, from == 1 ? r.budget.eirp1Dbw : r.budget.eirp2Dbw, kExactDb);
        EXPECT_NEAR(d.noisePowerDbw - d.rxGainDbi, d.sensitivityDbw, kExactDb);
        EXPECT_NEAR(d.sensitivityDbw, from == 1 ? r.budget.sensitivity2Dbw : r.budget.sensitivity1Dbw, kExactDb);
        ASSERT_EQ(d.rows.size(), kMethodCount + 2 * r.plan.availability.percents.size());
        int withLoss = 0;
        for (std::size_t i = 0; i < d.rows.size(); ++i) {
            const BudgetLossRow& row = d.rows[i];
            SCOPED_TRACE(row.method);
            if (!row.pathLossDb) {
                EXPECT_FALSE(row.words.empty());
                continue;
            }
            ++withLoss;
            EXPECT_NEAR(d.eirpDbw - *row.pathLossDb + d.rxGainDbi, *row.receivedDbw, kExactDb);
            EXPECT_NEAR(*row.receivedDbw - d.noisePowerDbw, *row.snrDb, kExactDb);
            EXPECT_NEAR(*row.snrDb - *d.requiredSnrDb, *row.marginDb, kExactDb);
            if (i < kMethodCount) {
                const SignalToNoiseColumn& c = r.values.signalToNoise[i];
                EXPECT_NEAR(*row.snrDb, from == 1 ? c.atStation2 : c.atStation1, kPassDb);
            } else {
                const std::size_t k = i - kMethodCount;
                const std::size_t n = r.plan.availability.percents.size();
                const itur::PercentFigures& f = k < n ? r.availability.p617.rows[k] : r.availability.p2001.rows[k - n];
                EXPECT_NEAR(*row.snrDb, from == 1 ? *f.snrAtStation2 : *f.snrAtStation1, kPassDb);
            }
        }
        EXPECT_GT(withLoss, kMethodCount);
        // At the highest loss that meets the requirement the margin is nil.
        EXPECT_NEAR(d.eirpDbw - *d.maxLossDb + d.rxGainDbi - d.noisePowerDbw, *d.requiredSnrDb, kExactDb);
    }
}

TEST_P(Budget, TheWaterfallFollowsTheRequiredAvailability) {
    const BudgetDirection d = budgetDirection(fixture.result, 1);
    const std::optional<std::size_t> row = waterfallRow(d, fixture.result.plan);
    ASSERT_TRUE(row);
    EXPECT_EQ(d.rows[*row].method, "ITU-R P.2001 troposcatter");
    EXPECT_EQ(d.rows[*row].percent, fixture.result.plan.requiredAvailabilityPercent);
}

INSTANTIATE_TEST_SUITE_P(Forms, Budget, ::testing::Values(false, true),
                         [](const auto& param) { return std::string(param.param ? "Profile" : "Settings"); });

std::string reportOf(const test::ReportFixture& f) {
    return planReportHtml(f.plan, f.result, {"2026-12-09 12:00 UTC", "1.0.0", f.plan.file.string()});
}

std::size_t count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(PlanReport, PlanTextsAreEscapedEverywhere) {
    const std::string hostile = "<script>x</script></style>\"&\"";
    const std::string html = reportOf(test::profileFixture(hostile));
    EXPECT_EQ(count(html, "<script"), 0u);
    EXPECT_EQ(count(html, "</style>"), 1u);  // the stylesheet's own
    const std::string escaped = "&lt;script&gt;x&lt;/script&gt;&lt;/style&gt;&quot;&amp;&quot;";
    // The title, the heading, the notes, the names in the header, the tables
    // and the pictures, and the verbatim plan.
    EXPECT_GE(count(html, escaped), 10u);
}

TEST(PlanReport, APlanWithoutFileTextShowsItsCanonicalLayout) {
    test::ReportFixture f = test::settingsFixture("A & B");
    f.plan.source.clear();
    const std::string html = reportOf(f);
    const std::string toml = planToml(f.plan);
    ASSERT_NE(toml.find("A & B"), std::string::npos);
    EXPECT_NE(html.find(htmlEscaped(toml)), std::string::npos);
}

TEST(PlanReport, SectionsInOrderAndNothingToFetch) {
    for (const bool profile : {false, true}) {
        const std::string html = reportOf(profile ? test::profileFixture() : test::settingsFixture());
        std::size_t last = 0;
        for (const char* id : {"verdict", "sites", "climate", "budget", "year", "boxes", "notes", "plan"}) {
            const std::size_t at = html.find(std::string("<section id=\"") + id + "\"");
            ASSERT_NE(at, std::string::npos) << id;
            EXPECT_GT(at, last) << id;
            last = at;
        }
        // The only URL is the SVG namespace, which names and loads nothing.
        EXPECT_EQ(count(html, "://"), count(html, "xmlns=\"http://www.w3.org/2000/svg\"")) << profile;
        EXPECT_EQ(count(html, "<svg"), profile ? 3u : 2u);
        EXPECT_EQ(count(html, "<?xml"), 0u);
    }
}

// The fading chart: with [diversity] both receivers' curves, the required
// availability and the link margin marked; without it, no chart.
TEST(FadingSvg, DrawnOnlyWithDiversityAndMarksTheRequirementAndTheMargins) {
    const auto result = [](const std::string& diversity) {
        const std::string text = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\navailability-percent = 99.5\n";
        return runPlan(checkPlan(parsePlan(text + diversity, "chart.tropolink.toml")), MapsInUse{});
    };
    EXPECT_EQ(fadingAvailabilitySvg(result("")), "");
    const PlanResult dual = result("[diversity]\norder = 2\ncombiner = \"maximal-ratio\"\n");
    const std::string svg = fadingAvailabilitySvg(dual);
    for (const std::string text : {"P.617, one receiver", "P.617, dual maximal-ratio", "required 99.5 %",
                                   "Median margin: S/N at L(50 %) over the required S/N (dB)"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    const double margin = (*dual.availability.p617.fading->stations)[0].medianMarginDb;
    EXPECT_NE(svg.find("link margin " + numberCell(margin, 1) + " dB, P.617"), std::string::npos);
    // Two curves a method.
    std::size_t paths = 0;
    for (std::size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1)) ++paths;
    EXPECT_EQ(paths, 2 * dual.fadingCurves.size());
    const std::string one = fadingAvailabilitySvg(result("[diversity]\norder = 1\n"));
    EXPECT_EQ(one.find("P.617, one receiver, "), std::string::npos);
    EXPECT_EQ(one.find("dual"), std::string::npos);
}

// The margins needed: 99.9 and 99.99 %, and the required availability once,
// marked, whether or not it is one of those two.
TEST(PlanReport, TheRequiredAvailabilityHasOneMarginRowMarked) {
    struct Case {
        std::string required;
        std::vector<std::string> rows;  // each method's, in order
    };
    const Case cases[] = {{"99.9", {"99.9 % (required)", "99.99 %"}},
                          {"99.99", {"99.9 %", "99.99 % (required)"}},
                          {"99.5", {"99.9 %", "99.99 %", "99.5 % (required)"}},
                          {"99.91", {"99.9 %", "99.99 %", "99.91 % (required)"}}};
    for (const Case& c : cases) {
        const std::string text = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\navailability-percent = " +
                                 c.required + "\n[diversity]\norder = 2\n";
        const PlanResult r = runPlan(checkPlan(parsePlan(text, "margins.tropolink.toml")), MapsInUse{});
        const std::string html = planReportHtml(Plan{}, r, {"2026-12-09 12:00 UTC", "1.0.0", "margins.tropolink.toml"});
        const std::size_t table = html.find("<th>Median margin needed, dB</th>");
        ASSERT_NE(table, std::string::npos) << c.required;
        const std::string margins = html.substr(table, html.find("</table>", table) - table);
        std::vector<std::string> rows;
        for (std::size_t at = margins.find("<tr><th>ITU-R "); at != std::string::npos;
             at = margins.find("<tr><th>ITU-R ", at + 1)) {
            const std::size_t comma = margins.find(", ", at);
            rows.push_back(margins.substr(comma + 2, margins.find("</th>", at) - comma - 2));
        }
        std::vector<std::string> expected = c.rows;
        expected.insert(expected.end(), c.rows.begin(), c.rows.end());  // P.617, then P.2001 troposcatter
        EXPECT_EQ(rows, expected) << c.required;
    }
}

// Without [diversity] the validity notes end with what fading alone would decide.
TEST(PlanReport, TheNotesSayWhatFadingAloneWouldDecide) {
    const std::string text = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\n";
    const PlanResult r = runPlan(checkPlan(parsePlan(text, "notes.tropolink.toml")), MapsInUse{});
    ASSERT_TRUE(r.fadingAlone);
    const std::string html = planReportHtml(Plan{}, r, {"2026-12-09 12:00 UTC", "1.0.0", "notes.tropolink.toml"});
    const std::size_t notes = html.find("<section id=\"notes\">");
    ASSERT_NE(notes, std::string::npos);
    std::size_t last = notes;
    for (const std::string& note : r.shownNotes()) {
        const std::size_t at = html.find("<li>" + htmlEscaped(note) + "</li>", notes);
        ASSERT_NE(at, std::string::npos) << note;
        EXPECT_GT(at, last) << note;
        last = at;
    }
}

// The fading section of the complete P.2001: its rows where troposcatter
// decides a direction's loss at the required percentage, and a sentence on the
// direction where another mechanism does, which the fading model leaves alone.
TEST(PlanReport, TheFadingSectionShowsTheCompleteMethodWhereTroposcatterDecides) {
    test::ReportFixture f = test::mechanismFixture();
    PlanResult& r = f.result;
    r.plan.station1.name = "West";
    r.plan.station2.name = "East";
    itur::FadingRequest request;
    request.diversity = {2, itur::Combiner::MaximalRatio, 0};
    request.requiredAvailabilityPercent = r.plan.requiredAvailabilityPercent;
    r.plan.availability.fading = request;
    r.availability.fading = request;
    MechanismStation& west = r.mechanisms.stations[0];
    west.atRequired->deciding = {p2001::Mechanism::Troposcatter, std::nullopt};
    west.availability = itur::StationAvailability{};
    west.fading = itur::StationFading{12.25, {91.25, 45990.4, false}, {98.5, 7889.4, false}};
    west.fadingMargins = itur::RequiredMargins{99.9, 13.5, 30.75, 16.25};
    r.mechanisms.stations[1].availability = itur::StationAvailability{};
    const std::string html = reportOf(f);
    const std::size_t at = html.find("<section id=\"fading\">");
    ASSERT_NE(at, std::string::npos);
    const std::string section = html.substr(at, html.find("</section>", at) - at);
    EXPECT_EQ(count(section, "<tr><th>ITU-R P.2001 all mechanisms, West</th><td>12.25</td><td>91.2500 %</td><td>"
                             "45990.4</td><td>98.5000 %</td><td>7889.4</td></tr>"),
              1u);
    EXPECT_EQ(count(section, "<tr><th>ITU-R P.2001 all mechanisms, West, 99.9 % (required)</th><td>13.50</td><td>"
                             "30.75</td><td>16.25</td><td>14.50</td></tr>"),
              1u);
    EXPECT_EQ(count(section, "ITU-R P.2001 all mechanisms, East"), 0u);
    EXPECT_EQ(count(section, "<p>P.2001 all mechanisms received at East: at 99.9 % of the year diffraction and "
                             "clear-air propagation near the surface"),
              1u);
    EXPECT_EQ(count(section, "does not apply there"), 1u);
}

// Angles in mrad, the calculator's degrees in parentheses; one horizon
// elevation row per definition; the settings line in the closing section.
TEST(PlanReport, AnglesInMradAndOneHorizonRowPerDefinition) {
    const test::ReportFixture f = test::profileFixture();
    const std::string html = reportOf(f);
    const std::size_t sites = html.find("<section id=\"sites\"");
    const std::string sitesHtml = html.substr(sites, html.find("</section>", sites) - sites);
    EXPECT_EQ(count(sitesHtml, "(deg)"), 0u);
    EXPECT_EQ(count(sitesHtml, "Horizon elevation over the 8495 km earth, exact (mrad)"), 1u);
    EXPECT_EQ(count(sitesHtml, "take-off angle, on its slider settings (mrad)"), 1u);
    // Without sites there is no ITU-R earth: its rows stay out.
    EXPECT_EQ(count(sitesHtml, "ITU-R earth"), 0u);
    const double takeOff = f.result.values.geometry.station1.takeOffAngle;
    char cell[80];
    std::snprintf(cell, sizeof cell, "%.2f (%.3f&deg;)", takeOff * 3.14159265358979323846 / 0.18, takeOff);
    EXPECT_NE(sitesHtml.find(cell), std::string::npos) << cell;
    EXPECT_NE(sitesHtml.find(" mrad = "), std::string::npos);  // the scatter angle

    // The picture's caption is in words; the settings line closes the report.
    EXPECT_EQ(count(sitesHtml, "Settings:"), 0u);
    const std::size_t plan = html.find("<section id=\"plan\"");
    ASSERT_FALSE(f.result.settingsLine.empty());
    EXPECT_GT(html.find("<pre class=\"settings\">" + htmlEscaped(f.result.settingsLine) + "</pre>"), plan);
}

}  // namespace
}  // namespace tropolink

namespace tropolink {
namespace {

// The one verdict heads the section; a method without a figure reads "does
// not apply" with its reason, never "not met"; the defaults sentence is left
// to the paragraph that gives the values.
TEST(PlanReport, TheVerdictSaysWhichMethodDecidedAndWhichDoNotApply) {
    test::ReportFixture f = test::profileFixture();
    ASSERT_FALSE(f.result.verdicts.empty());
    PlanDecision d;
    d.met = true;
    d.firstLine = "met, decided by <P.2001 all mechanisms>";
    d.defaults.n0 = true;
    d.sentences = {"the methods are 48.7 dB apart", defaultsSentence(d.defaults, false)};
    f.result.decision = d;
    f.result.verdicts[0].applies = false;
    f.result.verdicts[0].met = false;
    f.result.verdicts[0].reason = "the path is line of sight & short";
    const std::string html = reportOf(f);
    const std::size_t at = html.find("<section id=\"verdict\"");
    const std::string verdict = html.substr(at, html.find("</section>", at) - at);
    EXPECT_NE(verdict.find("<p class=\"decision met\">met, decided by &lt;P.2001 all mechanisms&gt;</p>"),
              std::string::npos);
    EXPECT_NE(verdict.find("<p>the methods are 48.7 dB apart</p>"), std::string::npos);
    EXPECT_EQ(verdict.find(defaultsSentence(d.defaults, false)), std::string::npos);
    EXPECT_NE(verdict.find("<tr class=\"does-not-apply\">"), std::string::npos);
    EXPECT_NE(verdict.find("does not apply: the path is line of sight &amp; short"), std::string::npos);
    EXPECT_EQ(count(verdict, "not met"), count(verdict, "<tr class=\"not-met\">"));
}

}  // namespace
}  // namespace tropolink
