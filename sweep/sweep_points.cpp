#include "sweep/sweep_points.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "link/availability_link.h"
#include "batch/ordered_workers.h"
#include "link/pass_window.h"

namespace tropolink {

namespace {

// The ITU-R figures of a point, with the sweep's options of their methods.
void addItuFigures(SweepPoint& point, const AvailabilityOptions& options) {
    if (options.percents.empty()) return;
    const itur::ItuLink link = ituLink(point.values, options);
    const itur::LinkBudget budget = linkBudget(point.values);
    for (const double p : options.percents) {
        point.p617.push_back(itur::percentFigures(itur::ItuMethod::P617, link, budget, p));
        point.p2001.push_back(itur::percentFigures(itur::ItuMethod::P2001, link, budget, p));
    }
    if (!options.requiredSnrDb) return;
    for (const itur::ItuMethod method : itur::kItuMethods)
        for (const int station : {1, 2})
            point.availability.push_back(
                itur::stationAvailability(method, link, budget, station, *options.requiredSnrDb));
}

}  // namespace

bool runSweepPasses(const SweepPlan& plan, const SweepSink& sink, int jobs) {
    constexpr int kChunkPoints = 64;
    struct Chunk {
        int first = 0;
        std::vector<SweepPoint> points;
        std::optional<NumericFault> fault;  // of the point after the last in `points`
    };
    const auto slots = static_cast<std::size_t>(2 * jobs + 2);
    std::vector<Chunk> chunks(slots);
    std::optional<NumericFault> fault;
    bool sinkStopped = false;
    OrderedWorkers workers(
        jobs, slots,
        [&]() -> OrderedWorkers::Work {
            return [&, window = std::make_shared<HeadlessWindow>()](std::size_t slot) {
                Chunk& chunk = chunks[slot];
                const int end = std::min(chunk.first + kChunkPoints, plan.pointCount());
                try {
                    for (int i = chunk.first; i < end; ++i) {
                        SweepPoint point{plan.position(i), runPass(*window, plan.settingsAt(i)), {}, {}, {}};
                        addItuFigures(point, plan.methodOptions);
                        chunk.points.push_back(std::move(point));
                    }
                } catch (const NumericFault& e) {
                    chunk.fault = e;
                }
            };
        },
        // In grid order: the first chunk with a fault holds the first fault.
        [&](std::size_t slot) {
            Chunk& chunk = chunks[slot];
            for (const SweepPoint& point : chunk.points)
                if (!sink(point)) {
                    sinkStopped = true;
                    return false;
                }
            if (!chunk.fault) return true;
            fault = chunk.fault;
            return false;
        });
    for (int first = 0; first < plan.pointCount(); first += kChunkPoints) {
        const auto slot = workers.acquire();
        if (!slot) break;
        chunks[*slot] = {first, {}, std::nullopt};
        chunks[*slot].points.reserve(kChunkPoints);
        workers.submit();
    }
    workers.finish();
    if (fault) throw *fault;
    return !sinkStopped;
}

std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan, int jobs) {
    std::vector<SweepPoint> points;
    points.reserve(static_cast<std::size_t>(plan.pointCount()));
    runSweepPasses(
        plan,
        [&points](const SweepPoint& point) {
            points.push_back(point);
            return true;
        },
        jobs);
    return points;
}

}  // namespace tropolink
