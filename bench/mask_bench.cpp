// One number through a display mask.
#include <benchmark/benchmark.h>

#include <array>

#include "engine/mask.h"

namespace tropolink::bench {
namespace {

void maskOneNumber(benchmark::State& state) {
    constexpr std::array<double, 8> kValues{198.0732357, -180.6043771, 0.0649075, -5.4502299,
                                           2.1052642,   -0.0741626,   12.0,      164.3167673};
    std::size_t next = 0;
    for (auto _ : state) {
        const NumberText text = applyMask(kValues[next], kMaskLoss);
        benchmark::DoNotOptimize(text.view().data());
        next = (next + 1) % kValues.size();
    }
}
BENCHMARK(maskOneNumber);

}  // namespace
}  // namespace tropolink::bench
