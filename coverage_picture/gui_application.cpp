#include "coverage_picture/gui_application.h"

#include <QGuiApplication>

#include <mutex>
#include <stdexcept>

namespace tropolink::coverage {

void ensureGuiApplication() {
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw std::runtime_error("the pictures need a Qt GUI application, and this program runs another kind");
        return;
    }
    // Qt keeps argc and argv for the application's life, which is the process's.
    static int argc = 3;
    static char name[] = "tropolink";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace tropolink::coverage
