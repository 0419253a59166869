// What the results show against the plan result they show: the loss chart's
// points are the result's curves, and the texts word its figures.
#include <QtTest>

#include <QTableWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

#include "plan/plan_check.h"
#include "plan/plan_toml.h"
#include "planner/fading_view.h"
#include "planner/figure_text.h"
#include "planner/loss_chart.h"
#include "planner/profile_view.h"
#include "planner/plan_editor.h"
#include "planner/planner_window.h"
#include "planner/probability_axis.h"
#include "planner/result_texts.h"
#include "planner/results_view.h"
#include "planner_test_support.h"

using namespace tropolink;
using namespace tropolink::planner;
using namespace tropolink::planner::testing;

namespace {

QLineSeries* seriesNamed(LossChart* chart, const QString& name) {
    for (QAbstractSeries* series : chart->findChild<QChartView*>()->chart()->series())
        if (series->name() == name) return qobject_cast<QLineSeries*>(series);
    return nullptr;
}

QString labelOf(itur::ItuMethod method) { return QString::fromStdString(std::string(itur::methodNames(method).label)); }

PlanResult resultOf(const std::string& text) {
    return runPlan(checkPlan(parsePlan(text, TROPOLINK_EXAMPLES_DIR "/t.tropolink.toml")), MapsInUse{});
}

}  // namespace

class PlannerResultsTest : public QObject {
    Q_OBJECT
private slots:
    void theLossChartDrawsTheResultsCurves_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("sliders") << kSliderPlan;
        QTest::newRow("DEM") << kDemPlan;
    }
    void theLossChartDrawsTheResultsCurves() {
        QFETCH(QString, file);
        PlannerWindow window;
        QVERIFY(window.openPlan(file));
        QVERIFY(waitIdle(window));
        const PlanResult& result = *window.shownResult();
        QCOMPARE(result.yearCurves.size(), itur::kItuMethods.size());
        for (const YearCurve& curve : result.yearCurves) {
            QCOMPARE(curve.points.size(), static_cast<std::size_t>(kYearCurvePoints));
            const QLineSeries* series = seriesNamed(window.results()->lossChart(), labelOf(curve.method));
            QVERIFY(series);
            const QList<QPointF> drawn = series->points();
            QCOMPARE(static_cast<std::size_t>(drawn.size()), curve.points.size());
            for (std::size_t i = 0; i < curve.points.size(); ++i) {
                const QPointF at = drawn[static_cast<qsizetype>(i)];
                QCOMPARE(at.x(), probabilityPosition(curve.points[i].percent));
                QCOMPARE(at.y(), curve.points[i].lossDb);
            }
        }
        // The limit the required S/N sets is the result's too.
        QVERIFY(result.highestLossDb);
        const QLineSeries* limit = seriesNamed(window.results()->lossChart(), QStringLiteral("Limit for S/N at 1"));
        QVERIFY(limit);
        for (const QPointF& at : limit->points()) QCOMPARE(at.y(), (*result.highestLossDb)[0]);
    }

    // A method that gives no loss draws no curve and says so to a screen reader.
    void aPathOutsideTheMethodsDrawsNoCurve() {
        PlannerWindow window;
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        window.planEditor()->setFieldText("path.distance-km", QStringLiteral("10"));
        QVERIFY(waitIdle(window));
        for (const YearCurve& curve : window.shownResult()->yearCurves) QVERIFY(curve.points.empty());
        LossChart* chart = window.results()->lossChart();
        QVERIFY(!seriesNamed(chart, labelOf(itur::ItuMethod::P617)));
        QVERIFY(chart->findChild<QChartView*>()->accessibleDescription().contains(QStringLiteral("gives no loss")));
    }

    void theReadoutIsTheNearestPointOfTheCurve() {
        PlannerWindow window;
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        const YearCurve& curve = window.shownResult()->yearCurves.front();
        const LossPoint& median = curve.points[(curve.points.size() - 1) / 2 + 3];
        window.results()->lossChart()->readAt(curve.method, median.percent + 1e-9);
        const QString expected = labelOf(curve.method) + QStringLiteral(" at ") +
                                 QString::number(median.percent, 'g', 6) + QStringLiteral(" % of the year: ") +
                                 QString::number(median.lossDb, 'f', 1) + QStringLiteral(" dB");
        QCOMPARE(window.results()->lossChart()->readout(), expected);
    }

    void verdictTextsWordEachBound_data() {
        QTest::addColumn<int>("bound");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("availability");
        QTest::addColumn<QString>("outage");
        QTest::newRow("found") << int(itur::AvailabilityBound::None) << 99.98765432 << "99.9877 %" << "6.5 min/year";
        QTest::newRow("above") << int(itur::AvailabilityBound::Above) << 0.0 << "above 99.999 %" << "none given";
        QTest::newRow("below") << int(itur::AvailabilityBound::Below) << 0.0 << "below 0.001 %" << "none given";
        QTest::newRow("line of sight") << int(itur::AvailabilityBound::LineOfSight) << 0.0 << "line of sight"
                                       << "none given";
        QTest::newRow("out of range") << int(itur::AvailabilityBound::OutOfRange) << 0.0 << "out of range"
                                      << "none given";
    }
    void verdictTextsWordEachBound() {
        QFETCH(int, bound);
        QFETCH(double, percent);
        QFETCH(QString, availability);
        QFETCH(QString, outage);
        PlanResult result;
        result.plan.station2.name = "Far <end>";
        PlanVerdict verdict;
        verdict.method = itur::ItuMethod::P2001;
        verdict.receivingStation = 2;
        verdict.met = bound == int(itur::AvailabilityBound::Above);
        verdict.availability.bound = static_cast<itur::AvailabilityBound>(bound);
        if (percent > 0) {
            verdict.availability.percent = percent;
            verdict.availability.outageMinutesPerYear = 6.49;
        }
        const VerdictTexts texts = verdictTexts(result, verdict);
        QCOMPARE(texts.method, QStringLiteral("ITU-R P.2001 troposcatter"));
        QCOMPARE(texts.receiving, QStringLiteral("Far <end>"));
        QCOMPARE(texts.availability, availability);
        QCOMPARE(texts.outage, outage);
        QCOMPARE(texts.met, verdict.met ? QStringLiteral("met") : QStringLiteral("not met"));
    }

    void legacyTextsFollowTheBoxes() {
        const PlanResult result = resultOf("[path]\ndistance-km = 300\n");
        const std::vector<QStringList> rows = legacyTexts(result);
        QCOMPARE(rows.size(), std::size_t{5});
        const QStringList names{"Yeh", "ITT", "CCIR", "Collins", "Rider"};
        for (std::size_t i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i][0], names[static_cast<qsizetype>(i)]);
            QCOMPARE(rows[i].size(), 5);
        }
        const std::vector<QStringList> los = legacyTexts(resultOf("[path]\ndistance-km = 10\n"));
        QCOMPARE(los[0][2], QStringLiteral("line of sight"));
    }

    // Without sites each value names the plan or the default as its source.
    void climateTextsNameEachSource_data() {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QStringList>("sources");
        QTest::newRow("defaults") << "" << QStringList{"slider", "default", "default"};
        QTest::newRow("the plan's") << "[itu]\nn0 = 320\ndelta-n = 45\nclimate-zone = 2\n"
                                    << QStringList{"option", "option", "option"};
    }
    void climateTextsNameEachSource() {
        QFETCH(QString, plan);
        QFETCH(QStringList, sources);
        const std::vector<QStringList> rows = climateTexts(resultOf(plan.toStdString()));
        QCOMPARE(rows.size(), static_cast<std::size_t>(sources.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) QCOMPARE(rows[i][2], sources[static_cast<qsizetype>(i)]);
    }

    // The fading tab shows the result's own figures, and the chart; without
    // [diversity] it says why it is empty.
    void theFadingTabShowsTheResultsFigures() {
        ResultsView view;
        const std::string base = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\n";
        view.showResult(resultOf(base));
        QCOMPARE(view.fadingView()->stationTable()->rowCount(), 0);
        QVERIFY(!view.fadingView()->chart()->hasPicture());
        const PlanResult dual = resultOf(base + "[diversity]\norder = 2\ncombiner = \"maximal-ratio\"\n");
        view.showResult(dual);
        QVERIFY(view.fadingView()->chart()->hasPicture());
        const QTableWidget* stations = view.fadingView()->stationTable();
        const QTableWidget* margins = view.fadingView()->marginTable();
        QCOMPARE(stations->rowCount(), 4);  // two methods, two receiving stations
        QCOMPARE(margins->rowCount(), 4);   // 99.9 (the required one) and 99.99 %, each method
        const itur::StationFading& first = (*dual.availability.p617.fading->stations)[0];
        QCOMPARE(stations->item(0, 1)->text(), figure(first.medianMarginDb, 2));
        QCOMPARE(stations->item(0, 3)->text(), figure(first.withDiversity.percent, 4) + " %");
        QCOMPARE(stations->horizontalHeaderItem(3)->text(), QStringLiteral("dual maximal-ratio"));
        const itur::RequiredMargins& required = *dual.availability.p617.fading->atRequiredPercent;
        QCOMPARE(margins->item(0, 0)->text(), QStringLiteral("P.617, 99.9 % (required)"));
        QCOMPARE(margins->item(1, 0)->text(), QStringLiteral("P.617, 99.99 %"));
        QCOMPARE(margins->item(0, 4)->text(), figure(required.improvementDb(), 2));
    }

    // The verdict table shows the figure that decides: with [diversity] the
    // availability with fading, the hourly median's beside it; the required
    // availability lies between the two, so each decides the other way.
    void theVerdictTableShowsTheFigureThatDecides_data() {
        QTest::addColumn<QString>("diversity");
        QTest::newRow("hourly median") << QString();
        QTest::newRow("one receiver") << QStringLiteral("[diversity]\norder = 1\n");
        QTest::newRow("dual maximal-ratio") << QStringLiteral("[diversity]\norder = 2\ncombiner = \"maximal-ratio\"\n");
    }
    void theVerdictTableShowsTheFigureThatDecides() {
        QFETCH(QString, diversity);
        const std::string base = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\n";
        const PlanResult probe = resultOf(base + diversity.toStdString());
        const PlanVerdict& first = probe.verdicts[0];
        const double hourly = *first.availability.percent;
        const double decides = first.withDiversity ? first.withDiversity->percent : hourly;
        const double required = first.withDiversity ? (hourly + decides) / 2 : hourly - 1e-3;
        const PlanResult result = resultOf(base + "availability-percent = " + std::to_string(required).substr(0, 10) +
                                           "\n" + diversity.toStdString());
        ResultsView view;
        view.showResult(result);
        const QTableWidget* table = view.verdictTable();
        QCOMPARE(table->horizontalHeaderItem(5)->text(), QStringLiteral("Hourly median only"));
        QCOMPARE(table->isColumnHidden(5), diversity.isEmpty());
        for (int row = 0; row < table->rowCount(); ++row) {
            const PlanVerdict& v = result.verdicts[static_cast<std::size_t>(row)];
            const double shown = v.withDiversity ? v.withDiversity->percent : *v.availability.percent;
            QCOMPARE(table->item(row, 2)->text(), figure(shown, 4) + QStringLiteral(" %"));
            QCOMPARE(table->item(row, 4)->text(), shown >= result.plan.requiredAvailabilityPercent
                                                      ? QStringLiteral("met") : QStringLiteral("not met"));
            if (v.withDiversity)
                QVERIFY(table->item(row, 5)->text().startsWith(figure(*v.availability.percent, 4) + QStringLiteral(" %, ")));
        }
        // The hourly median alone would decide the other way.
        if (first.withDiversity) QVERIFY((hourly >= result.plan.requiredAvailabilityPercent) !=
                                         (decides >= result.plan.requiredAvailabilityPercent));
        view.showResult(resultOf("[path]\ndistance-km = 300\n"));
        QVERIFY(table->isColumnHidden(5));
    }

    void theProfileIsDescribedInWords() {
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        const QString description = profileDescription(*window.shownResult());
        QVERIFY(description.startsWith(QStringLiteral("Path ")));
        QVERIFY(description.contains(QStringLiteral("horizon of station 1 at ")));
        QVERIFY(description.contains(QStringLiteral("scatter angle ")));
        QVERIFY(description.endsWith(QLatin1Char('.')));
    }
};

QTEST_MAIN(PlannerResultsTest)
#include "planner_results_test.moc"
