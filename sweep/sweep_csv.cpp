#include "sweep/sweep_csv.h"

#include "grammar/number_text.h"
#include "sweep/sweep_columns.h"

namespace tropolink {
namespace {

// No cell can hold a comma, a quote or a line break (names, numbers and the
// verdict words below), so no cell is ever quoted.
constexpr std::string_view kLineEnd = "\r\n";

std::string_view verdictWord(ColumnVerdict verdict) {
    switch (verdict) {
        case ColumnVerdict::LineOfSight:
            return "line of sight";
        case ColumnVerdict::OutOfRange:
            return "out of range";
        case ColumnVerdict::Valid:
            break;
    }
    return "ok";
}

void appendCell(std::string& out, std::optional<double> value) {
    out += ',';
    if (value) appendShortest(out, *value);
}

void appendCell(std::string& out, std::string_view text) {
    out += ',';
    out += text;
}

}  // namespace

// In the order of sweepCsvColumns().
void appendSweepCsvRow(std::string& out, const SweepPlan& plan, const SweepPoint& point) {
    const PassValues& v = point.values;
    const MethodColumns columns = sweepColumns(v);
    out += shownValue(point.position, plan.name.positionsPerUnit());
    appendCell(out, v.geometry.scatteringAngle);
    for (const MethodColumn& c : columns) appendCell(out, c.shownLoss());
    for (const MethodColumn& c : columns) appendCell(out, verdictWord(c.verdict));
    appendCell(out, v.lineOfSightLoss);
    appendCell(out, v.perfectDuctLoss);
    appendCell(out, saneAverageLoss(v));
    for (const MethodColumn& c : columns) appendCell(out, c.atStation1);
    for (const MethodColumn& c : columns) appendCell(out, c.atStation2);
    appendCell(out, v.atmosphericAttenuation);
    for (std::size_t i = 0; i < point.p617.size(); ++i)
        for (const itur::PercentFigures* f : {&point.p617[i], &point.p2001[i]}) {
            appendCell(out, f->loss);
            appendCell(out, f->snrAtStation1);
            appendCell(out, f->snrAtStation2);
        }
    // Empty where availability --json gives null: a bound, line of sight or out of range.
    for (const itur::StationAvailability& a : point.availability) appendCell(out, a.percent);
    out += kLineEnd;
}

const std::vector<std::string>& sweepCsvColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names{"scattering-angle-deg"};
        for (const std::string_view m : kMethodKeys) names.push_back(std::string(m) + "-loss-db");
        for (const std::string_view m : kMethodKeys) names.push_back(std::string(m) + "-verdict");
        names.insert(names.end(), {"line-of-sight-loss-db", "perfect-duct-loss-db", "average-loss-db"});
        for (const std::string_view m : kMethodKeys) names.push_back("s1." + std::string(m) + "-sn-db");
        for (const std::string_view m : kMethodKeys) names.push_back("s2." + std::string(m) + "-sn-db");
        names.emplace_back("atmospheric-attenuation-db");
        return names;
    }();
    return columns;
}

std::vector<std::string> sweepCsvColumns(std::span<const double> percents) {
    std::vector<std::string> names = sweepCsvColumns();
    for (const double p : percents) {
        std::string percent = "-p";
        appendShortest(percent, p);
        for (const itur::ItuMethod method : itur::kItuMethods) {
            const std::string name = std::string(itur::methodNames(method).cli) + percent;
            names.insert(names.end(), {name + "-loss-db", "s1." + name + "-sn-db", "s2." + name + "-sn-db"});
        }
    }
    return names;
}

std::vector<std::string> sweepCsvColumns(const SweepPlan& plan) {
    std::vector<std::string> names = sweepCsvColumns(plan.percents);
    if (!plan.methodOptions.requiredSnrDb) return names;
    for (const itur::ItuMethod method : itur::kItuMethods)
        for (const std::string_view station : {"s1.", "s2."})
            names.push_back(std::string(station) + std::string(itur::methodNames(method).cli) + "-availability-percent");
    return names;
}

void appendSweepCsvHeader(std::string& out, const SweepPlan& plan) {
    out += plan.name.text();
    for (const std::string& column : sweepCsvColumns(plan)) appendCell(out, column);
    out += kLineEnd;
}

void appendSweepCsv(std::string& out, const SweepPlan& plan, std::span<const SweepPoint> points) {
    appendSweepCsvHeader(out, plan);
    for (const SweepPoint& point : points) appendSweepCsvRow(out, plan, point);
}

}  // namespace tropolink
