// The one verdict, "does not apply", how the signal arrives and the
// polarisation field: each shows the plan result's own figures.
#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>

#include <cmath>

#include "plan/plan_check.h"
#include "plan/plan_toml.h"
#include "planner/mechanism_texts.h"
#include "planner/mechanism_view.h"
#include "planner/plan_editor.h"
#include "planner/plan_fields.h"
#include "planner/probability_axis.h"
#include "planner/result_texts.h"
#include "planner/results_view.h"
#include "plan_report/mechanism_svg.h"
#include "planner_test_support.h"

using namespace tropolink;
using namespace tropolink::planner;
using namespace tropolink::planner::testing;

namespace {

PlanResult resultOf(const std::string& text) {
    return runPlan(checkPlan(parsePlan(text, TROPOLINK_EXAMPLES_DIR "/t.tropolink.toml")), MapsInUse{});
}

// The complete method's figures made up, not computed: the window only shows them.
void madeUpMechanisms(PlanResult& r) {
    PlanMechanisms& m = r.mechanisms;
    m.skip = MechanismSkip::None;
    m.reason.clear();
    m.stations.clear();
    const auto at = [](double p, double offset) {
        MechanismLosses l;
        l.percent = p;
        const double z = normalQuantile(p / 100);
        l.subModels = {.lbm1Db = 196 + 4 * z + offset, .lbm2Db = 185 + 14 * z + offset, .lbm3Db = 190 + 6 * z + offset,
                       .lbm4Db = 260 + 2 * z + offset};
        l.lbDb = std::min({l.subModels.lbm1Db, l.subModels.lbm2Db, l.subModels.lbm3Db}) - 0.5;
        l.deciding = decidingMechanisms(l.subModels);
        return l;
    };
    for (const int station : {2, 1}) {
        MechanismStation s;
        s.receivingStation = station;
        for (const double p : r.plan.availability.percents) s.atPercents.push_back(at(p, station));
        for (const double p : yearCurvePercents()) s.overYear.push_back(at(p, station));
        s.atRequired = at(r.plan.requiredAvailabilityPercent, station);
        m.stations.push_back(std::move(s));
    }
}

const std::string kHillPlan = "[path]\nprofile = \"hill-path.csv\"\n[requirement]\nsnr-db = 10\n";

}  // namespace

class PlannerMechanismTest : public QObject {
    Q_OBJECT
private slots:
    void theTableAndChartAreTheResultsFigures() {
        PlanResult r = resultOf(kHillPlan);
        madeUpMechanisms(r);
        MechanismView view;
        view.show(r);
        QTableWidget* table = view.table();
        const std::size_t percents = r.plan.availability.percents.size();
        QCOMPARE(table->rowCount(), static_cast<int>(2 * percents));
        for (std::size_t i = 0; i < percents; ++i)
            for (std::size_t k = 0; k < 2; ++k) {
                const MechanismStation& s = r.mechanisms.stations[k];
                const MechanismLosses& at = s.atPercents[i];
                const int row = static_cast<int>(2 * i + k);
                QCOMPARE(table->item(row, 0)->text().toDouble(), at.percent);
                QCOMPARE(table->item(row, 1)->text(),
                         QString::fromStdString(s.receivingStation == 1 ? r.plan.station1.name : r.plan.station2.name));
                for (std::size_t c = 0; c < kMechanismCurves; ++c)
                    QVERIFY(std::abs(table->item(row, static_cast<int>(2 + c))->text().toDouble() - curveLossDb(at, c)) <= 0.005);
                QCOMPARE(table->item(row, 7)->text(), QString::fromStdString(decidingMechanismsText(at.deciding)));
            }
        // The chart: the first direction's five curves, point for point.
        const MechanismStation& first = r.mechanisms.stations.front();
        int curves = 0;
        for (QAbstractSeries* series : view.chart()->series()) {
            auto* line = qobject_cast<QLineSeries*>(series);
            for (std::size_t c = 0; c < kMechanismCurves; ++c) {
                if (line->name() != QString::fromUtf8(curveName(c).data(), static_cast<qsizetype>(curveName(c).size())))
                    continue;
                ++curves;
                const QList<QPointF> points = line->points();
                QCOMPARE(static_cast<std::size_t>(points.size()), first.overYear.size());
                for (std::size_t i = 0; i < first.overYear.size(); ++i) {
                    QCOMPARE(points[static_cast<int>(i)].x(), probabilityPosition(first.overYear[i].percent));
                    QCOMPARE(points[static_cast<int>(i)].y(), curveLossDb(first.overYear[i], c));
                }
            }
        }
        QCOMPARE(curves, static_cast<int>(kMechanismCurves));
        QVERIFY(view.summary().contains(QString::fromStdString(decidingMechanismsText(first.atRequired->deciding))));
    }

    // Without sites, or without the maps, the tab says why in the result's words.
    void whereTheMethodDidNotRunTheTabSaysWhy() {
        for (const MechanismSkip skip : {MechanismSkip::NoSites, MechanismSkip::NoMaps}) {
            PlanResult r = resultOf(kHillPlan);
            r.mechanisms.skip = skip;
            r.mechanisms.stations.clear();
            if (skip == MechanismSkip::NoMaps)
                r.mechanisms.reason = "the 14 maps are missing; install them with: tropolink-cli maps download";
            MechanismView view;
            view.show(r);
            QCOMPARE(view.summary(), QStringLiteral("The complete ITU-R P.2001 did not run: %1.")
                                         .arg(QString::fromStdString(r.mechanisms.reason)));
            QVERIFY(!r.mechanisms.reason.empty());
            QCOMPARE(view.table()->rowCount(), 0);
            QVERIFY(view.chart()->series().isEmpty());
        }
    }

    // A method without a figure reads "does not apply" with its reason, never "not met".
    void aMethodWithoutAFigureDoesNotApply() {
        PlanResult r = resultOf(kHillPlan);
        QVERIFY(!r.verdicts.empty());
        PlanVerdict v = r.verdicts.front();
        v.applies = false;
        v.met = false;
        v.reason = "line of sight";
        const VerdictTexts texts = verdictTexts(r, v);
        QCOMPARE(texts.met, QStringLiteral("does not apply"));
        QCOMPARE(texts.availability, QStringLiteral("line of sight"));
        QVERIFY(texts.outage.isEmpty());
    }

    // The window shows the one verdict's lines above the rows.
    void theWindowShowsTheOneVerdict() {
        const PlanResult r = resultOf(kHillPlan);
        QVERIFY(r.decision);
        ResultsView view;
        view.showResult(r);
        const QString shown = view.decisionText();
        QVERIFY(shown.startsWith(QString::fromStdString(r.decision->firstLine)));
        for (const std::string& sentence : r.decision->sentences) QVERIFY(shown.contains(QString::fromStdString(sentence)));
        QCOMPARE(view.verdictTable()->rowCount(), static_cast<int>(r.verdicts.size()));
    }

    void thePolarisationFieldIsInTheForm() {
        const PlanField* field = fieldForKey("path.polarisation");
        QVERIFY(field);
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        const QString name = QString::fromStdString(field->group + " " + field->label);
        bool found = false;
        for (QWidget* w : window.planEditor()->findChildren<QWidget*>())
            if (w->accessibleName() == name) found = true;
        QVERIFY2(found, qPrintable(name));
    }
};

QTEST_MAIN(PlannerMechanismTest)
#include "planner_mechanism_test.moc"
