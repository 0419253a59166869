#include "sweep/sweep_curves.h"

#include <array>
#include <cmath>

#include "grammar/number_text.h"
#include "sweep/sweep_columns.h"

namespace tropolink {

using namespace plot;
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
// The ITU-R methods: one colour each, one dash per percentage.
constexpr std::array<std::string_view, itur::kItuMethods.size()> kItuColours{"#56B4E9", "#882255"};
constexpr std::array<std::string_view, 4> kItuDashes{"3 2", "9 2 2 2", "1.5 2.5 5 2.5", "14 2 1 2"};

std::string_view colourOf(itur::ItuMethod method) { return kItuColours[static_cast<std::size_t>(method)]; }

// The availability panel: the method's colour, solid at station 1, dashed at 2.
const std::vector<SeriesStyle>& availabilityStyles() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> all;
        for (const itur::ItuMethod method : itur::kItuMethods)
            for (const char* station : {"1", "2"})
                all.push_back(std::string(itur::methodNames(method).label) + " at station " + station);
        return all;
    }();
    static const std::vector<SeriesStyle> styles = [] {
        std::vector<SeriesStyle> all;
        for (const itur::ItuMethod method : itur::kItuMethods)
            for (const std::string_view dash : {"none", "7 4"})
                all.push_back({labels[all.size()], colourOf(method), dash});
        return all;
    }();
    return styles;
}

// A number an axis can hold: NaN and infinities leave a gap.
std::optional<double> drawable(std::optional<double> value) {
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// Per percentage a P.617 and a P.2001 curve, after the five methods' own.
void addItuSeries(SweepCurves& c, const std::vector<double>& percents) {
    c.ituLabels.reserve(itur::kItuMethods.size() * percents.size());
    c.ituStyles.reserve(itur::kItuMethods.size() * percents.size());
    for (std::size_t i = 0; i < percents.size(); ++i)
        for (const itur::ItuMethod method : itur::kItuMethods) {
            std::string label = std::string(itur::methodNames(method).label) + " ";
            appendShortest(label, percents[i]);
            c.ituLabels.push_back(label + " %");
            c.ituStyles.push_back({c.ituLabels.back(), colourOf(method), kItuDashes[i % kItuDashes.size()]});
            const SeriesStyle* style = &c.ituStyles.back();
            c.loss.push_back({style, {}});
            c.atStation1.push_back({style, {}});
            c.atStation2.push_back({style, {}});
        }
}

}  // namespace

SweepCurves startCurves(const SweepPlan& plan) {
    SweepCurves c;
    for (const SeriesStyle& style : kMethodStyles) {
        c.loss.push_back({&style, {}});
        c.atStation1.push_back({&style, {}});
        c.atStation2.push_back({&style, {}});
    }
    c.loss.push_back({&kFreeSpaceStyle, {}});
    c.loss.push_back({&kDuctStyle, {}});
    addItuSeries(c, plan.percents);
    if (plan.methodOptions.requiredSnrDb)
        for (const SeriesStyle& style : availabilityStyles()) c.availability.push_back({&style, {}});
    return c;
}

void addPoint(SweepCurves& c, const SweepPlan& plan, const SweepPoint& point) {
    const std::size_t i = c.xs.size();
    c.xs.push_back(static_cast<double>(point.position) / plan.name.positionsPerUnit());
    if (point.values.geometry.lineOfSight) {
        if (!c.lineOfSight.empty() && c.lineOfSight.back().last + 1 == i)
            c.lineOfSight.back().last = i;
        else
            c.lineOfSight.push_back({i, i});
    }
    const MethodColumns columns = sweepColumns(point.values);
    c.beyondSaneRange = c.beyondSaneRange || beyondSaneRange(point.values);
    for (std::size_t m = 0; m < columns.size(); ++m) {
        c.loss[m].values.push_back(drawable(columns[m].shownLoss()));
        c.atStation1[m].values.push_back(drawable(columns[m].atStation1));
        c.atStation2[m].values.push_back(drawable(columns[m].atStation2));
    }
    c.loss[kMethodCount].values.push_back(drawable(point.values.lineOfSightLoss));
    c.loss[kMethodCount + 1].values.push_back(drawable(point.values.perfectDuctLoss));
    for (std::size_t p = 0; p < point.p617.size(); ++p)
        for (std::size_t m = 0; m < 2; ++m) {
            const itur::PercentFigures& f = m == 0 ? point.p617[p] : point.p2001[p];
            const std::size_t series = kMethodCount + 2 * p + m;
            // The legacy methods' bound on the loss keeps the shared axes sane.
            const bool sane = !f.loss || (std::isfinite(*f.loss) && *f.loss <= kMaxSaneLossDb);
            c.beyondSaneRange = c.beyondSaneRange || !sane;
            c.loss[series + 2].values.push_back(sane ? drawable(f.loss) : std::nullopt);
            c.atStation1[series].values.push_back(sane ? drawable(f.snrAtStation1) : std::nullopt);
            c.atStation2[series].values.push_back(sane ? drawable(f.snrAtStation2) : std::nullopt);
        }
    for (std::size_t k = 0; k < point.availability.size(); ++k)
        c.availability[k].values.push_back(drawable(point.availability[k].percent));
}

SweepCurves sweepCurves(const SweepPlan& plan, std::span<const SweepPoint> points) {
    SweepCurves c = startCurves(plan);
    for (const SweepPoint& point : points) addPoint(c, plan, point);
    return c;
}

}  // namespace tropolink
