// Prints two figures of the window on the offscreen platform: the time from
// the program's start to the window's first painted frame, and the peak
// resident memory after one START.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QUrl>
#include <cstdio>

#include "ui/appearance.h"
#include "ui/form1.h"

namespace {

// Quits the event loop at the first paint of the watched widget.
class FirstFrame final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QCoreApplication::quit();
        }
        return QObject::eventFilter(watched, event);
    }
    bool painted = false;
};

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tropolink::configureApplication(app);
    tropolink::Form1 window(QUrl(QStringLiteral("file:///description.html")));
    FirstFrame firstFrame;
    window.installEventFilter(&firstFrame);
    window.show();
    QApplication::exec();
    const double startupMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    std::printf("window start to first frame (offscreen): %.1f ms\n", startupMs);
    std::printf("window peak resident memory after START: %.1f MB\n", static_cast<double>(peakResidentKiB()) / 1024);
    return firstFrame.painted ? 0 : 1;
}
