// Renders the planner window with a plan and its results to a PNG file, for
// the documentation. Usage: tropolink-planner-screenshot PLAN OUTPUT.png [TAB [end]] [fit]
// TAB is the results page shown; "end" scrolls the form to its last field;
// "fit" sizes the window to the screen as the planner opens, not to 1280 × 860.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QThread>
#include <cstdio>

#include "planner/planner_window.h"
#include "planner/results_view.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fputs("usage: tropolink-planner-screenshot PLAN OUTPUT.png [TAB]\n", stderr);
        return 2;
    }
    tropolink::planner::PlannerWindow window;
    if (args.contains(QLatin1String("fit")))
        window.fitToScreen();
    else
        window.resize(1280, 860);
    window.show();
    if (!window.openPlan(args[1])) return 1;
    QElapsedTimer waited;
    waited.start();
    while (window.runner()->busy() && waited.elapsed() < 30000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    if (args.size() > 3 && args[3] != QLatin1String("fit")) {
        if (auto* tabs = window.results()->findChild<QTabWidget*>()) tabs->setCurrentIndex(args[3].toInt());
    }
    if (args.size() > 4 && args[4] == QLatin1String("end")) {
        if (auto* scroll = window.findChild<QScrollArea*>()) {
            QApplication::processEvents();
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        }
    }
    QApplication::processEvents();
    if (!window.grab().save(args[2])) {
        std::fprintf(stderr, "tropolink-planner-screenshot: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
