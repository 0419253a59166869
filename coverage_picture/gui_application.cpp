#include "coverage_picture/gui_application.h"

#include <QGuiApplication>

#include <cstdio>
#include <mutex>
#include <stdexcept>

namespace tropolink::coverage {
namespace {

void onlyFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

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
    // Its start-up notes (no runtime folder, say) mean nothing to the user of
    // a command-line program; fatal messages still end the program.
    const QtMessageHandler previous = qInstallMessageHandler(onlyFatal);
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    qInstallMessageHandler(previous);
    (void)application;
}

}  // namespace tropolink::coverage
