#include "sweep/sweep_curves.h"

#include <array>

#include "cli/method_columns.h"

namespace tropolink::cli {
namespace {

// Colours that stay apart for colour-blind readers; each curve also has its own dash.
constexpr std::array<SeriesStyle, kMethodCount> kMethodStyles{{
    {"Yeh", "#0072B2", "none"},
    {"ITT", "#D55E00", "10 4"},
    {"CCIR", "#009E73", "4 3"},
    {"Collins", "#CC79A7", "12 4 2 4"},
    {"Rider", "#E69F00", "6 3 1 3 1 3"},
}};
constexpr SeriesStyle kFreeSpaceStyle{"Free space (line of sight)", "#000000", "0.5 3.5"};
constexpr SeriesStyle kDuctStyle{"Perfect duct", "#7F7F7F", "16 4 4 4"};

std::vector<IndexRun> lineOfSightRuns(std::span<const SweepPoint> points) {
    std::vector<IndexRun> runs;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i].values.geometry.lineOfSight) continue;
        if (!runs.empty() && runs.back().last + 1 == i)
            runs.back().last = i;
        else
            runs.push_back({i, i});
    }
    return runs;
}

}  // namespace

SweepCurves sweepCurves(const SweepPlan& plan, std::span<const SweepPoint> points) {
    SweepCurves c;
    c.lineOfSight = lineOfSightRuns(points);
    for (const SeriesStyle& style : kMethodStyles) {
        c.loss.push_back({&style, {}});
        c.atStation1.push_back({&style, {}});
        c.atStation2.push_back({&style, {}});
    }
    c.loss.push_back({&kFreeSpaceStyle, {}});
    c.loss.push_back({&kDuctStyle, {}});
    for (const SweepPoint& point : points) {
        c.xs.push_back(static_cast<double>(point.position) / plan.name.positionsPerUnit());
        const MethodColumns columns = methodColumns(point.values);
        for (std::size_t m = 0; m < columns.size(); ++m) {
            c.loss[m].values.push_back(columns[m].shownLoss());
            c.atStation1[m].values.push_back(columns[m].atStation1);
            c.atStation2[m].values.push_back(columns[m].atStation2);
        }
        c.loss[kMethodCount].values.emplace_back(point.values.lineOfSightLoss);
        c.loss[kMethodCount + 1].values.emplace_back(point.values.perfectDuctLoss);
    }
    return c;
}

}  // namespace tropolink::cli
