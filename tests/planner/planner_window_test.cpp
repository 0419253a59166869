// The planner window against the library: the figures it shows, its edits,
// its refusals, its saved files, superseded runs and its accessible names.
#include <QtTest>

#include <QAbstractButton>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtCharts/QChartView>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "plan/plan_check.h"
#include "plan/plan_json.h"
#include "plan/plan_paths.h"
#include "plan/plan_toml.h"
#include "plan/report_time.h"
#include "plan_report/plan_report.h"
#include "planner/plan_editor.h"
#include "planner/plan_fields.h"
#include "planner/planner_window.h"
#include "planner/profile_view.h"
#include "planner/results_view.h"
#include "planner_test_support.h"
#include "tropolink_version.h"

using namespace tropolink;
using namespace tropolink::planner;
using namespace tropolink::planner::testing;

namespace {

QJsonObject planJson(const QString& file) {
    const Plan plan = readPlan(file.toStdString());
    std::string out;
    appendPlanJson(out, plan, runPlan(checkPlan(plan), MapsInUse{}));
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
}

double leadingNumber(const QString& text) { return text.section(QLatin1Char(' '), 0, 0).toDouble(); }

}  // namespace

class PlannerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void shownFiguresEqualThePlanJson_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("sliders") << kSliderPlan;
        QTest::newRow("DEM") << kDemPlan;
    }
    void shownFiguresEqualThePlanJson() {
        QFETCH(QString, file);
        PlannerWindow window;
        QVERIFY(window.openPlan(file));
        QVERIFY(waitIdle(window));
        const QJsonArray verdicts = planJson(file).value(QStringLiteral("verdicts")).toArray();
        const QTableWidget* table = window.results()->verdictTable();
        QCOMPARE(table->rowCount(), verdicts.size());
        for (int row = 0; row < table->rowCount(); ++row) {
            const QJsonObject v = verdicts[row].toObject();
            QCOMPARE(table->item(row, 0)->text(), QStringLiteral("ITU-R ") + v[QStringLiteral("method")].toString());
            if (!v[QStringLiteral("applies")].toBool(true)) {
                QCOMPARE(table->item(row, 4)->text(), QStringLiteral("does not apply"));
                QCOMPARE(table->item(row, 2)->text(), v[QStringLiteral("reason")].toString());
                continue;
            }
            QVERIFY(std::abs(leadingNumber(table->item(row, 2)->text()) -
                             v[QStringLiteral("availabilityPercent")].toDouble()) <= 0.5e-4);
            const QJsonValue outage = v[QStringLiteral("outageMinutesPerYear")];
            if (outage.isNull()) {
                QCOMPARE(table->item(row, 3)->text(), QStringLiteral("none given"));
            } else {
                QVERIFY(std::abs(leadingNumber(table->item(row, 3)->text()) - outage.toDouble()) <= 0.05);
            }
            QCOMPARE(table->item(row, 4)->text(),
                     v[QStringLiteral("met")].toBool() ? QStringLiteral("met") : QStringLiteral("not met"));
        }
        QCOMPARE(window.results()->legacyTable()->rowCount(), 5);
        QCOMPARE(window.results()->profileView()->hasPicture(), file == kDemPlan);
        QVERIFY(!window.isWindowModified());
        QVERIFY(window.windowTitle().endsWith(QStringLiteral("[*] — Tropolink Planner")));
    }

    void anEditUpdatesTheResults() {
        PlannerWindow window;
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        const QString before = window.results()->legacyTable()->item(0, 1)->text();
        window.planEditor()->setFieldText("path.distance-km", QStringLiteral("600"));
        QVERIFY(window.isWindowModified());
        QVERIFY(waitIdle(window));
        QVERIFY(!window.results()->stale());
        QVERIFY(window.results()->legacyTable()->item(0, 1)->text() != before);
        QVERIFY(window.shownResult()->settingsLine.find("distance-km=600") != std::string::npos);
    }

    void anInvalidValueShowsTheToolsMessage_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("below the slider") << "path.frequency-mhz" << "10";
        QTest::newRow("exponent") << "station1.tx-power" << "1e3";
        QTest::newRow("line loss above") << "station2.tx-line-loss-db" << "30.5";
        QTest::newRow("percent at its bound") << "requirement.percent" << "50 100";
        QTest::newRow("lapse rate above") << "itu.delta-n" << "80.1";
        QTest::newRow("zone not whole") << "itu.climate-zone" << "6.5";
    }
    void anInvalidValueShowsTheToolsMessage() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        PlannerWindow window;
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        const QString shown = window.results()->verdictTable()->item(0, 2)->text();
        window.planEditor()->setFieldText(key.toStdString(), text);
        QVERIFY(waitIdle(window));
        // Every row is a value the tool refuses: accepting one is a fault.
        try {
            checkPlan(window.planEditor()->plan());
            QFAIL(qPrintable(key + QStringLiteral(" = ") + text + QStringLiteral(" was accepted")));
        } catch (const PlanError& e) {
            QCOMPARE(window.planEditor()->errorText(key.toStdString()), QString::fromStdString(e.what()));
            QCOMPARE(QString::fromStdString(e.key()).section(QLatin1Char('['), 0, 0), key);
        }
        QVERIFY(window.results()->stale());
        QCOMPARE(window.results()->verdictTable()->item(0, 2)->text(), shown);  // kept
        window.planEditor()->setFieldText(key.toStdString(), QString());
        QVERIFY(waitIdle(window));
        QVERIFY(window.planEditor()->errorText(key.toStdString()).isEmpty());
        QVERIFY(!window.results()->stale());
    }

    // Text no number field accepts, in every field in turn: a refusal beside
    // the field (or above the form, for a conflict of forms), or results.
    void everyFieldTakesAnyTextWithoutHarm() {
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        for (const PlanField& field : planFields()) {
            const QString before = QString::fromStdString(keyText(window.planEditor()->plan(), field));
            window.planEditor()->setFieldText(field.dotted, QStringLiteral("<b>x</b> \"1e3"));
            QVERIFY(waitIdle(window));
            // A refusal may stand at another field: a dish's diameter beside a gain is refused at the gain.
            bool refused = !window.planEditor()->generalError().isEmpty();
            for (const PlanField& other : planFields())
                refused = refused || !window.planEditor()->errorText(other.dotted).isEmpty();
            QVERIFY2(refused == window.results()->stale(), field.dotted.c_str());
            window.planEditor()->setFieldText(field.dotted, before);
            QVERIFY(waitIdle(window));
            QVERIFY2(!window.results()->stale(), field.dotted.c_str());
        }
    }

    void savedPlansRoundTripByteForByte_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("sliders") << kSliderPlan;
        QTest::newRow("DEM") << kDemPlan;
    }
    void savedPlansRoundTripByteForByte() {
        QFETCH(QString, file);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("first.tropolink.toml"));
        const QString second = dir.filePath(QStringLiteral("second.tropolink.toml"));
        {
            PlannerWindow window;
            QVERIFY(window.openPlan(file));
            QVERIFY(window.savePlanAs(first));
            QVERIFY(!window.isWindowModified());
        }
        // The hand-written plan is rewritten in the canonical layout, its values
        // unchanged but for relative paths, which now lead from the new folder.
        const Plan moved = planMovedTo(readPlan(file.toStdString()), first.toStdString());
        QCOMPARE(fileBytes(first), QByteArray::fromStdString(planToml(moved)));
        QVERIFY(checkPlan(readPlan(first.toStdString())).form == checkPlan(readPlan(file.toStdString())).form);
        PlannerWindow window;
        QVERIFY(window.openPlan(first));
        QVERIFY(window.savePlanAs(second));
        QCOMPARE(fileBytes(second), fileBytes(first));
    }

    void theReportIsTheLibrarysPageOfTheResultsShown() {
        qputenv("SOURCE_DATE_EPOCH", "1796731200");
        QTemporaryDir dir;
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        const QString report = dir.filePath(QStringLiteral("report.html"));
        QVERIFY(window.writeReport(report));
        const Plan plan = readPlan(kDemPlan.toStdString());
        const ReportStamp stamp{reportTime(), TROPOLINK_VERSION, "white-mountains.tropolink.toml"};
        QCOMPARE(fileBytes(report),
                 QByteArray::fromStdString(planReportHtml(plan, runPlan(checkPlan(plan), MapsInUse{}), stamp)));
        // An edited plan's report reproduces the plan as edited, not the file.
        window.planEditor()->setFieldText("station1.mast-m", QStringLiteral("25"));
        QVERIFY(waitIdle(window));
        QVERIFY(window.writeReport(report));
        QVERIFY(fileBytes(report).contains("mast-m = 25"));
        QVERIFY(!fileBytes(report).contains("mast-m = 20 "));
        const QString kml = dir.filePath(QStringLiteral("path.kml"));
        QVERIFY(window.writeKml(kml));
        QVERIFY(fileBytes(kml).contains("<kml"));
        // The action decides the format, as --kml does, never the file's name.
        for (const QString& name : {QStringLiteral("path.geojson"), QStringLiteral("path"), QStringLiteral("path.KML.txt")}) {
            QVERIFY(window.writeKml(dir.filePath(name)));
            QVERIFY2(fileBytes(dir.filePath(name)).contains("<kml"), qPrintable(name));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("tmp")), QStringList());
    }

    void aPlanWithoutSitesHasNoKml() {
        QTemporaryDir dir;
        PlannerWindow window;
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        QVERIFY(!window.writeKml(dir.filePath(QStringLiteral("path.kml"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("path.kml"))));
    }

    void aLaterEditSupersedesASlowRun() {
        std::atomic<int> slowDone{0};
        const PlanRunFunction run = [&slowDone](const CheckedPlan& plan, const MapsInUse& maps,
                                                const PlanRunControl& control) {
            const bool slow = plan.availability.requiredSnrDb && *plan.availability.requiredSnrDb == 11;
            if (slow) std::this_thread::sleep_for(std::chrono::milliseconds(600));  // deaf to the stop flag
            PlanResult result = runPlan(plan, maps, {});
            (void)control;
            if (slow) ++slowDone;
            return result;
        };
        PlannerWindow window(run);
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        window.planEditor()->setFieldText("requirement.snr-db", QStringLiteral("11"));
        window.planEditor()->setFieldText("requirement.snr-db", QStringLiteral("12"));
        QVERIFY(QTest::qWaitFor([&] { return slowDone == 1; }, kWaitMs));
        QVERIFY(waitIdle(window));
        QTest::qWait(50);
        QCOMPARE(*window.shownResult()->plan.availability.requiredSnrDb, 12.0);
        QVERIFY(!window.results()->stale());
    }

    void cancelKeepsTheLastResults() {
        const PlanRunFunction run = [](const CheckedPlan& plan, const MapsInUse& maps, const PlanRunControl& control) {
            if (plan.availability.requiredSnrDb && *plan.availability.requiredSnrDb == 11) {
                while (!control.stop->load()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                throw PlanCancelled();
            }
            return runPlan(plan, maps, control);
        };
        PlannerWindow window(run);
        QVERIFY(window.openPlan(kSliderPlan));
        QVERIFY(waitIdle(window));
        window.planEditor()->setFieldText("requirement.snr-db", QStringLiteral("11"));
        QVERIFY(window.runner()->busy());
        window.runner()->cancel();
        QVERIFY(waitIdle(window));
        QCOMPARE(*window.shownResult()->plan.availability.requiredSnrDb, 10.0);
    }

    void tabReachesTheFieldsInTheFilesOrder() {
        PlannerWindow window;
        window.show();
        QWidget* first = window.planEditor()->editor(planFields().front().dotted);
        std::vector<QWidget*> chain;
        for (QWidget* w = first; chain.size() < 400; w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
            if (w->nextInFocusChain() == first) break;
        }
        auto at = chain.begin();
        for (const PlanField& field : planFields()) {
            at = std::find(at, chain.end(), window.planEditor()->editor(field.dotted));
            QVERIFY2(at != chain.end(), field.dotted.c_str());
        }
        QVERIFY(std::find(chain.begin(), chain.end(), window.results()->verdictTable()) != chain.end());
    }

    void everyControlHasAUniqueAccessibleName() {
        PlannerWindow window;
        window.show();
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        std::set<QString> names;
        int controls = 0;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                 qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                                 qobject_cast<QTableWidget*>(widget) || qobject_cast<QTabWidget*>(widget) ||
                                 qobject_cast<QProgressBar*>(widget) || qobject_cast<ProfileView*>(widget) ||
                                 qobject_cast<QChartView*>(widget);
            // The tab bar's scroll arrows, the menu bar's overflow and the table's corner are Qt's own.
            if (!control || widget->inherits("QTableCornerButton") || qobject_cast<QTabBar*>(widget->parent()) ||
                widget->objectName() == QLatin1String("qt_menubar_ext_button")) {
                continue;
            }
            ++controls;
            const QString name = widget->accessibleName();
            QVERIFY2(!name.isEmpty(), qPrintable(QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
                                                  widget->parent()->metaObject()->className() + QLatin1Char(' ') + widget->objectName()));
            QVERIFY2(names.insert(name).second, qPrintable(name));
        }
        QVERIFY(controls > static_cast<int>(planFields().size()));  // every field, and more
        QVERIFY(!window.results()->profileView()->accessibleDescription().isEmpty());
    }
};

QTEST_MAIN(PlannerWindowTest)
#include "planner_window_test.moc"
