// The planner and the climate maps: maps imported while it runs serve the
// next run at once, a run keeps the maps it started with, a refused map is
// an error naming its file, and the report names the maps of its run.
#include <QtTest>

#include <QSignalSpy>
#include <QTableWidget>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <vector>

#include "plan/plan_check.h"
#include "plan/report_time.h"
#include "planner/maps_panel.h"
#include "planner/plan_editor.h"
#include "planner/planner_window.h"
#include "planner/results_view.h"
#include "planner_test_support.h"
#include "tests/climate/synthetic_maps.h"

using namespace tropolink;
using namespace tropolink::planner;
using namespace tropolink::planner::testing;
namespace fs = std::filesystem;

namespace {

// Synthetic maps in the ITU's form, written where an import picks them up.
QStringList downloadedMaps(const fs::path& folder) {
    fs::create_directories(folder);
    climate::testing::writeFile(folder / "N050.TXT", climate::testing::n0Text());
    climate::testing::writeFile(folder / "DN50.TXT", climate::testing::deltaNText());
    climate::testing::writeFile(folder / "TropoClim.txt", climate::testing::zoneText(5));
    return {QString::fromStdString((folder / "N050.TXT").string()), QString::fromStdString((folder / "DN50.TXT").string()),
            QString::fromStdString((folder / "TropoClim.txt").string())};
}

QStringList climateSources(const PlannerWindow& window) {
    QStringList sources;
    const QTableWidget* table = window.results()->climateTable();
    for (int row = 0; row < table->rowCount(); ++row) sources << table->item(row, 2)->text();
    return sources;
}

}  // namespace

class PlannerMapsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;
    fs::path installed_;  // where an import puts the maps

private slots:
    // No maps anywhere the service looks until a test imports them.
    void init() {
        qputenv("TROPOLINK_MAPS", home_.filePath(QStringLiteral("none")).toUtf8());
        qputenv("XDG_DATA_HOME", home_.filePath(QStringLiteral("data")).toUtf8());
        installed_ = fs::path(home_.filePath(QStringLiteral("data")).toStdString()) / "tropolink" / "itu-r";
        fs::remove_all(installed_);
    }

    // While a run of the plan is still reading its ground, the user imports
    // the maps: the planner runs the plan again at once on them, the run
    // that started without maps keeps none, and the plan is not modified.
    void importedMapsServeTheNextRunWhileOneIsRunning() {
        std::atomic<bool> release{false};
        std::mutex mutex;
        std::vector<bool> runsWithMaps;  // of the plan with sites, in the order they start
        const PlanRunFunction run = [&](const CheckedPlan& plan, const MapsInUse& maps, const PlanRunControl& control) {
            bool first = false;
            if (planNeedsMaps(plan)) {
                const std::lock_guard lock(mutex);
                first = runsWithMaps.empty();
                runsWithMaps.push_back(maps != nullptr);
            }
            while (first && !release) QThread::msleep(5);  // the ground takes its time
            return runPlan(plan, maps, control);
        };
        PlannerWindow window(run);
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(QTest::qWaitFor([&] { return !runsWithMaps.empty(); }, kWaitMs));
        QVERIFY(window.runner()->busy());
        QVERIFY(window.planEditor()->mapsPanel()->statusText().contains(QStringLiteral("not installed")));

        MapsPanel* panel = window.planEditor()->mapsPanel();
        QSignalSpy finished(panel, &MapsPanel::importFinished);
        QVERIFY(panel->startImport(downloadedMaps(fs::path(home_.path().toStdString()) / "zips")));
        QVERIFY(finished.wait(kWaitMs));
        const auto imported = finished.takeFirst().at(0).value<MapsPanel::Imported>();
        QVERIFY2(imported.installed, qPrintable(imported.message));
        QVERIFY(QTest::qWaitFor([&] { return window.shownResult() && window.shownResult()->climate; }, kWaitMs));
        release = true;
        QVERIFY(waitIdle(window));

        QCOMPARE(runsWithMaps, (std::vector<bool>{false, true}));
        const SiteClimate& climate = *window.shownResult()->climate;
        QCOMPARE(climate.mapsFolder, std::optional<fs::path>(installed_));
        QCOMPARE(climate.n0.file, installed_ / "N050.TXT");
        QCOMPARE(climate.climateZone.file, installed_ / "TropoClim.txt");
        const QStringList sources = climateSources(window);
        QVERIFY2(sources[0].startsWith(QStringLiteral("map ")) && sources[0].endsWith(QStringLiteral("N050.TXT")),
                 qPrintable(sources.join(QLatin1Char('|'))));
        QVERIFY(sources[1].endsWith(QStringLiteral("DN50.TXT")));
        QVERIFY(sources[2].endsWith(QStringLiteral("TropoClim.txt")));
        QVERIFY(!window.isWindowModified());
        QCOMPARE(window.planEditor()->mapsPanel()->statusText(),
                 QStringLiteral("Climate maps installed in %1.").arg(QString::fromStdString(installed_.string())));
    }

    void withoutMapsTheSourcesAreTheDefaults() {
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        QCOMPARE(climateSources(window).mid(0, 3), (QStringList{"default", "default", "default"}));
        QVERIFY(!window.shownResult()->climate->mapsFolder);
    }

    // A refused map stops the plan with the map's own message, naming the
    // file; it never leaves the defaults standing in silence.
    void aRefusedMapIsAnErrorNamingTheFile() {
        downloadedMaps(installed_);
        climate::testing::writeFile(installed_ / "DN50.TXT", "40 41\n");
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        QVERIFY(window.results()->stale());
        const QString error = window.planEditor()->generalError();
        QVERIFY2(error.startsWith(QString::fromStdString((installed_ / "DN50.TXT").string() + ": ")), qPrintable(error));
        QVERIFY(window.planEditor()->mapsPanel()->statusText().contains(QStringLiteral("DN50.TXT")));
        // Mended, the maps serve the next run.
        downloadedMaps(installed_);
        window.planEditor()->mapsPanel()->refresh();
        window.planEditor()->setFieldText("requirement.snr-db", QStringLiteral("11"));
        QVERIFY(waitIdle(window));
        QVERIFY(!window.results()->stale());
        QVERIFY(window.shownResult()->climate->mapsFolder);
    }

    // The report is of the results shown: it names the maps that run read,
    // not the maps installed since.
    void theReportNamesTheMapsOfItsRun() {
        const fs::path first = fs::path(home_.path().toStdString()) / "first";
        downloadedMaps(first);
        qputenv("TROPOLINK_MAPS", QByteArray::fromStdString(first.string()));
        PlannerWindow window;
        QVERIFY(window.openPlan(kDemPlan));
        QVERIFY(waitIdle(window));
        downloadedMaps(installed_);
        qputenv("TROPOLINK_MAPS", home_.filePath(QStringLiteral("none")).toUtf8());
        const QString report = home_.filePath(QStringLiteral("report.html"));
        QVERIFY(window.writeReport(report));
        const QByteArray html = fileBytes(report);
        QVERIFY(html.contains(QByteArray::fromStdString((first / "N050.TXT").string())));
        QVERIFY(!html.contains(QByteArray::fromStdString(installed_.string())));
    }

    void cleanupTestCase() { qunsetenv("XDG_DATA_HOME"); }
};

QTEST_MAIN(PlannerMapsTest)
#include "planner_maps_test.moc"
