// The pass alone over the headless window, all 52 box texts written.
//
// Where a pass over the settings mix goes (callgrind, Release, per pass,
// benchmark loop included): 20 900 instructions, 22 950 before the window
// kept its own text room and the masks divided by constant powers of ten.
// - Number texts, 9 900 (47 %): 26 masked numbers, each first reduced exactly
//   to 15 significant digits (fastDecimal15: a 128-bit product and a variable
//   shift, 87 instructions) and then rounded in decimal to the mask's places
//   (writeMasked, 117 with its fraction digits); 45 digit runs (writeDigits, 52
//   each: a compare chain for the length, then pairs from a table); 23 slider
//   echoes and 13 value echoes (2 250).
// - libm, 2 850 (14 %): 17 pow, 15 log, 5 exp. Their results are the display's
//   inputs, bit for bit, so they stay.
// - Box texts into the window, 1 420 (7 %); 4 550 before (std::string::assign).
// - The stages, the slider reads, the S/N grid and the fault checks, the rest.
//   feclearexcept takes about 3 % of the time for few instructions: it saves
//   and reloads the x87 environment along with the SSE flags.
// At about 2.0 µs a pass on a quiet core, 1.5 µs would need some 5 000
// instructions fewer. Only the number texts hold that many, and each number's
// two exact roundings are the display rule itself; what is left there is a
// formatter that rounds to the mask straight from the 128-bit product, with
// one multiplication in place of the 15-digit form and a second division.
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
