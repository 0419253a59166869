// The window's full recalculation on the offscreen platform: one START click,
// 52 box writes included.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QUrl>

#include "ui/appearance.h"
#include "ui/form1.h"

namespace tropolink::bench {
namespace {

void windowPassOnStart(benchmark::State& state) {
    Form1 window(QUrl(QStringLiteral("file:///description.html")));
    window.show();
    QApplication::processEvents();
    auto* start = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    for (auto _ : state) start->click();
    QApplication::processEvents();
}
BENCHMARK(windowPassOnStart);

}  // namespace
}  // namespace tropolink::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tropolink::configureApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
