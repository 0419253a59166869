#pragma once

#include <QApplication>
#include <QString>

#include <functional>

namespace tropolink::planner {

// The planner's application: an exception that leaves an event handler (memory
// that ran out while drawing, say) is shown to the user, and the window goes
// on, where Qt would end the process.
class GuardedApplication : public QApplication {
public:
    // How an escaped error is shown; a message box unless replaced (tests do).
    using Reporter = std::function<void(const QString& text)>;

    GuardedApplication(int& argc, char** argv, Reporter report = {});
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Reporter report_;
};

}  // namespace tropolink::planner
