#include "planner/guarded_application.h"

#include <QMessageBox>

#include <exception>

#include "planner/error_text.h"

namespace tropolink::planner {

GuardedApplication::GuardedApplication(int& argc, char** argv, Reporter report)
    : QApplication(argc, argv), report_(std::move(report)) {
    if (!report_)
        report_ = [](const QString& text) { QMessageBox::critical(activeWindow(), applicationName(), text); };
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report_(errorText(e));
    } catch (...) {
        report_(tr("An unexpected error stopped this action; the plan and its files are as they were."));
    }
    return false;
}

}  // namespace tropolink::planner
