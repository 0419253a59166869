// Opens the planner window, with the plan named on the command line if any.
#include <QApplication>
#include <QCommandLineParser>

#include "planner/guarded_application.h"
#include "planner/planner_window.h"
#include "tropolink_version.h"

int main(int argc, char* argv[]) {
    tropolink::planner::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tropolink Planner"));
    QApplication::setOrganizationName(QStringLiteral("tropolink"));
    QApplication::setApplicationVersion(QStringLiteral(TROPOLINK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tropolink.TropolinkPlanner"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plans troposcatter links in *.tropolink.toml files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("PLAN"), QStringLiteral("the plan file to open"), QStringLiteral("[PLAN]"));
    parser.process(app);

    tropolink::planner::PlannerWindow window;
    window.fitToScreen();
    window.show();
    window.fitToScreen();
    if (!parser.positionalArguments().isEmpty()) window.openPlan(parser.positionalArguments().constFirst());
    return QApplication::exec();
}
