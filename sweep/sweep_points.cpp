#include "sweep/sweep_points.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "link/availability_link.h"
#include "batch/ordered_workers.h"
#include "link/pass_window.h"

namespace tropolink {

namespace {

// The ITU-R figures of a point, with the default options of their methods.
void addItuFigures(SweepPoint& point, const std::vector<double>& percents) {
    if (percents.empty()) return;
    AvailabilityOptions options;
    options.percents = percents;
    const itur::ItuLink link = ituLink(point.values, options);
    const itur::LinkBudget budget = linkBudget(point.values);
    for (const double p : percents) {
        point.p617.push_back(itur::percentFigures(itur::ItuMethod::P617, link, budget, p));
        point.p2001.push_back(itur::percentFigures(itur::ItuMethod::P2001, link, budget, p));
    }
}

}  // namespace

std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan, int jobs) {
    constexpr int kChunkPoints = 64;
    struct Chunk {
        int first = 0;
        std::optional<NumericFault> fault;  // the first point of the chunk that failed
        int faultAt = 0;
    };
    std::vector<SweepPoint> points(static_cast<std::size_t>(plan.pointCount()));
    const auto slots = static_cast<std::size_t>(2 * jobs + 2);
    std::vector<Chunk> chunks(slots);
    std::optional<NumericFault> fault;
    int faultAt = plan.pointCount();
    OrderedWorkers workers(
        jobs, slots,
        [&]() -> OrderedWorkers::Work {
            return [&, window = std::make_shared<HeadlessWindow>()](std::size_t slot) {
                Chunk& chunk = chunks[slot];
                const int end = std::min(chunk.first + kChunkPoints, plan.pointCount());
                try {
                    for (int i = chunk.first; i < end; ++i) {
                        chunk.faultAt = i;
                        SweepPoint& point = points[static_cast<std::size_t>(i)];
                        point = {plan.position(i), runPass(*window, plan.settingsAt(i)), {}, {}};
                        addItuFigures(point, plan.percents);
                    }
                } catch (const NumericFault& e) {
                    chunk.fault = e;
                }
            };
        },
        [&](std::size_t slot) {
            Chunk& chunk = chunks[slot];
            if (chunk.fault && chunk.faultAt < faultAt) {
                fault = chunk.fault;
                faultAt = chunk.faultAt;
            }
            return true;
        });
    for (int first = 0; first < plan.pointCount(); first += kChunkPoints) {
        const auto slot = workers.acquire();
        if (!slot) break;
        chunks[*slot] = {first, std::nullopt, 0};
        workers.submit();
    }
    workers.finish();
    if (fault) throw *fault;
    return points;
}

}  // namespace tropolink
