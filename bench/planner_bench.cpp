// Times the planner from an edit in its form to the results on screen, on a
// plan without terrain and on a 300 km path across four 3" SRTM tiles written
// here. Each figure is the median of a run of edits that alternate one value,
// so that every edit recomputes the whole plan; targets 200 ms and 1 s.
// Usage: planner_bench SLIDER-PLAN (docs/examples/st-anthony-gander.tropolink.toml)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/synthetic_tile.h"
#include "planner/plan_editor.h"
#include "planner/planner_window.h"
#include "planner/results_view.h"

namespace {

using tropolink::bench::writeSyntheticTile;
using tropolink::planner::PlannerWindow;

constexpr int kEdits = 15;
constexpr double kNoTerrainTargetMs = 200;
constexpr double kTerrainTargetMs = 1000;

// The path runs east along 45.5 N from 0.05 E to 3.95 E: about 304 km.
std::string writeTerrainPlan(const QString& dir) {
    QDir(dir).mkdir(QStringLiteral("tiles"));
    for (int lon = 0; lon < 4; ++lon) {
        writeSyntheticTile((dir + QStringLiteral("/tiles/N45E00%1.hgt").arg(lon)).toStdString(), 45, lon);
    }
    const std::string plan = (dir + QStringLiteral("/long-path.tropolink.toml")).toStdString();
    std::ofstream(plan) << "title = \"300 km across four tiles\"\n"
                           "[station1]\nsite = [45.5, 0.05]\nmast-m = 30\n"
                           "[station2]\nsite = [45.5, 3.95]\nmast-m = 30\n"
                           "[path]\nfrequency-mhz = 900\ndem = [\"tiles/\"]\n"
                           "[requirement]\nsnr-db = 10\n";
    return plan;
}

bool waitIdle(const PlannerWindow& window) {
    QElapsedTimer waited;
    waited.start();
    while (window.runner()->busy()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (waited.elapsed() > 60000) return false;
    }
    QApplication::processEvents();
    return true;
}

// Median milliseconds from an edit of `key` to its results on screen.
double editToResults(PlannerWindow& window, const std::string& key, const QString& a, const QString& b) {
    std::vector<double> times;
    for (int i = 0; i < kEdits; ++i) {
        QElapsedTimer timer;
        timer.start();
        window.planEditor()->setFieldText(key, i % 2 ? a : b);
        if (!waitIdle(window) || window.results()->stale()) return -1;
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double ms, double targetMs) {
    std::printf("%-48s %8.1f ms   (target <= %.0f ms)%s\n", what, ms, targetMs, ms <= targetMs ? "" : "  over");
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: planner_bench SLIDER-PLAN\n", stderr);
        return 2;
    }
    PlannerWindow window;
    window.resize(1280, 860);
    window.show();

    QElapsedTimer opened;
    opened.start();
    if (!window.openPlan(QString::fromLocal8Bit(argv[1])) || !waitIdle(window)) return 1;
    report("open, plan without terrain", static_cast<double>(opened.elapsed()), kNoTerrainTargetMs);
    report("edit to results, plan without terrain",
           editToResults(window, "station1.tx-power", QStringLiteral("1000"), QStringLiteral("900")),
           kNoTerrainTargetMs);

    QTemporaryDir dir;
    const std::string plan = writeTerrainPlan(dir.path());
    opened.restart();
    if (!window.openPlan(QString::fromStdString(plan)) || !waitIdle(window) || window.results()->stale()) {
        std::fputs("planner_bench: the 300 km plan gave no results\n", stderr);
        return 1;
    }
    report("open, 300 km DEM path", static_cast<double>(opened.elapsed()), kTerrainTargetMs);
    report("edit to results, 300 km DEM path (mast)",
           editToResults(window, "station1.mast-m", QStringLiteral("30"), QStringLiteral("40")), kTerrainTargetMs);
    report("edit to results, 300 km DEM path (power)",
           editToResults(window, "station1.tx-power", QStringLiteral("10"), QStringLiteral("20")), kTerrainTargetMs);
    return 0;
}
