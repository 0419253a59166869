// Fading within the hour: the short-term outage over many margins, the
// yearly integral of one link, and the margin an availability needs; beside
// them, what one would write instead (a scalar loop over the C library) and
// today's hourly-median-only availability of one link.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "itur/availability.h"
#include "itur/fading_availability.h"
#include "itur/short_term_outage.h"
#include "itur/yearly_outage.h"

namespace {

using namespace tropolink::itur;

constexpr std::size_t kMargins = 4096;

const std::vector<double>& margins() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(1);
        std::vector<double> v(kMargins);
        for (double& m : v) m = std::uniform_real_distribution(-20.0, 60.0)(random);
        return v;
    }();
    return values;
}

const Diversity kForms[] = {{1, Combiner::Selection, 0},    {2, Combiner::Selection, 0},
                            {4, Combiner::Selection, 0},    {2, Combiner::MaximalRatio, 0},
                            {4, Combiner::MaximalRatio, 0}, {2, Combiner::MaximalRatio, 0.5},
                            {2, Combiner::Selection, 0.5}};

void shortTermOutages(benchmark::State& state) {
    const Diversity& d = kForms[state.range(0)];
    std::vector<double> q(kMargins);
    for (auto _ : state) {
        shortTermOutages(margins(), d, q);
        benchmark::DoNotOptimize(q.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kMargins));
    state.SetLabel(std::to_string(d.order) + " " + std::string(combinerName(d.combiner)) + " rho " +
                   std::to_string(d.branchCorrelation).substr(0, 3));
}
BENCHMARK(shortTermOutages)->DenseRange(0, 6);

// One branch the way one would write it: a scalar loop over the C library.
void oneBranchScalarLoop(benchmark::State& state) {
    std::vector<double> q(kMargins);
    for (auto _ : state) {
        const std::vector<double>& m = margins();
        for (std::size_t i = 0; i < kMargins; ++i) q[i] = -std::expm1(-std::log(2.0) * std::pow(10.0, -m[i] / 10));
        benchmark::DoNotOptimize(q.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kMargins));
}
BENCHMARK(oneBranchScalarLoop);

// The start positions of the sliders.
ItuLink startLink() {
    constexpr StationSite site{0.010, 0.005, 5};
    ItuLink link;
    link.geometry = geometryFromSites(site, site, 250, effectiveEarthRadiusKm(40));
    link.frequencyMhz = 432;
    link.gain1Dbi = 15;
    link.gain2Dbi = 15;
    link.surfaceRefractivity = 310;
    return link;
}

constexpr LinkBudget kBudget{20, 23, -180, -184};
constexpr Diversity kDualMaximalRatio{2, Combiner::MaximalRatio, 0};

// The nodes of one link (L(p) at each) and one outage on them.
void yearlyOutagePerLink(benchmark::State& state) {
    const ItuLink link = startLink();
    const auto method = static_cast<ItuMethod>(state.range(0));
    for (auto _ : state) {
        const FadeNodes nodes = *methodFadeNodes(method, link);
        benchmark::DoNotOptimize(yearlyOutage(nodes, 25, kDualMaximalRatio).outage);
    }
    state.SetLabel(method == ItuMethod::P617 ? "P.617" : "P.2001");
}
BENCHMARK(yearlyOutagePerLink)->Arg(0)->Arg(1);

// One more outage on nodes already made: what each margin of a sweep costs.
void yearlyOutageOnNodes(benchmark::State& state) {
    const FadeNodes nodes = *methodFadeNodes(ItuMethod::P617, startLink());
    for (auto _ : state) benchmark::DoNotOptimize(yearlyOutage(nodes, 25, kForms[state.range(0)]).outage);
}
BENCHMARK(yearlyOutageOnNodes)->DenseRange(0, 6);

// The hourly-median-only availability of one station, as today.
void todayStationAvailability(benchmark::State& state) {
    const ItuLink link = startLink();
    for (auto _ : state)
        benchmark::DoNotOptimize(stationAvailability(ItuMethod::P617, link, kBudget, 1, 10).percent);
}
BENCHMARK(todayStationAvailability);

void marginForAvailability(benchmark::State& state) {
    const FadeNodes nodes = *methodFadeNodes(ItuMethod::P617, startLink());
    for (auto _ : state) benchmark::DoNotOptimize(medianMarginForOutage(nodes, 1e-4, kForms[state.range(0)]));
}
BENCHMARK(marginForAvailability)->DenseRange(0, 6);

// Everything a front end shows for one method: two stations, one receiver
// and dual maximal-ratio, the margins at 99.9, 99.99 and a required 99.95 %.
void methodFadingFigures(benchmark::State& state) {
    const ItuLink link = startLink();
    const FadingRequest request{kDualMaximalRatio, 99.95};
    for (auto _ : state) benchmark::DoNotOptimize(methodFading(ItuMethod::P617, link, kBudget, 10.0, request));
}
BENCHMARK(methodFadingFigures);

// One line of `availability --batch --required-snr 10` without the pass:
// today's answer, then the availabilities with dual maximal-ratio fading on
// top (what the batch needs), then the whole answer with the margins too.
const std::vector<double> kBatchPercents{50, 90, 99, 99.9, 99.99};

void batchAnswerToday(benchmark::State& state) {
    const ItuLink link = startLink();
    for (auto _ : state) benchmark::DoNotOptimize(answerAvailability(link, kBudget, kBatchPercents, 10.0));
}
BENCHMARK(batchAnswerToday);

void batchAnswerWithFadingAvailabilities(benchmark::State& state) {
    const ItuLink link = startLink();
    for (auto _ : state) {
        AvailabilityAnswer a = answerAvailability(link, kBudget, kBatchPercents, 10.0);
        for (const ItuMethod method : kItuMethods) {
            const FadeNodes nodes = *methodFadeNodes(method, link);
            const double median = methodLoss(method, link, 50).lossDb;
            for (const double margin : {snrAtStation1(kBudget, median) - 10, snrAtStation2(kBudget, median) - 10}) {
                benchmark::DoNotOptimize(yearlyOutage(nodes, margin, Diversity{}));
                benchmark::DoNotOptimize(yearlyOutage(nodes, margin, kDualMaximalRatio));
            }
        }
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(batchAnswerWithFadingAvailabilities);

void batchAnswerWithFadingAndMargins(benchmark::State& state) {
    const ItuLink link = startLink();
    const FadingRequest request{kDualMaximalRatio, std::nullopt};
    for (auto _ : state) benchmark::DoNotOptimize(answerAvailability(link, kBudget, kBatchPercents, 10.0, request));
}
BENCHMARK(batchAnswerWithFadingAndMargins);

}  // namespace
