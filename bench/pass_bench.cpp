// The pass alone over the headless window, all 52 box texts written.
#include <benchmark/benchmark.h>

#include "bench/settings_mix.h"
#include "engine/headless_window.h"
#include "engine/recalculate.h"

namespace tropolink::bench {
namespace {

void passAtStartPositions(benchmark::State& state) {
    HeadlessWindow window;
    for (auto _ : state) {
        Recalculate(window);
        benchmark::DoNotOptimize(window.boxText(ResultBox::Text49).data());
    }
}
BENCHMARK(passAtStartPositions);

void passOverSettingsMix(benchmark::State& state) {
    const std::vector<Setting> mix = settingsMix(1000);
    HeadlessWindow window;
    std::size_t next = 0;
    for (auto _ : state) {
        const Setting& s = mix[next];
        next = (next + 1) % mix.size();
        for (const SliderSpec& info : kSliders)
            window.setSliderPosition(info.slider, s.positions[static_cast<std::size_t>(sliderIndex(info.slider))]);
        window.setPowerDividedBy1000(s.powerDividedBy1000);
        Recalculate(window);
        benchmark::DoNotOptimize(window.boxText(ResultBox::Text49).data());
    }
}
BENCHMARK(passOverSettingsMix);

}  // namespace
}  // namespace tropolink::bench
