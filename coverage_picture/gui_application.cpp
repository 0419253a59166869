#include "coverage_picture/gui_application.h"

#include <QGuiApplication>

#include <cstdio>
#include <stdexcept>

namespace tropolink::coverage {
namespace {

char kName[] = "tropolink";
char kPlatformOption[] = "-platform";
char kPlatform[] = "offscreen";

void onlyFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

OffscreenApplication::OffscreenApplication() : argv_{kName, kPlatformOption, kPlatform, nullptr} {
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw std::runtime_error("the pictures need a Qt GUI application, and this program runs another kind");
        return;
    }
    // Its start-up notes (no runtime folder, say) mean nothing to the user of
    // a command-line program; fatal messages still end the program.
    const QtMessageHandler previous = qInstallMessageHandler(onlyFatal);
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    qInstallMessageHandler(previous);
}

OffscreenApplication::~OffscreenApplication() = default;

}  // namespace tropolink::coverage
