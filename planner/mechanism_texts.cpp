#include "planner/mechanism_texts.h"

#include "plan_report/mechanism_svg.h"
#include "planner/figure_text.h"

namespace tropolink::planner {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

QString stationName(const PlanResult& result, int station) {
    return text(station == 1 ? result.plan.station1.name : result.plan.station2.name);
}

QString percent(double p) { return QString::number(p, 'g', 10); }

}  // namespace

QStringList decisionLines(const PlanResult& result) {
    QStringList lines;
    if (!result.decision) return lines;
    lines << text(result.decision->firstLine);
    for (const std::string& sentence : result.decision->sentences) lines << text(sentence);
    return lines;
}

std::vector<QStringList> mechanismRows(const PlanResult& result) {
    std::vector<QStringList> rows;
    const auto& stations = result.mechanisms.stations;
    if (!result.mechanisms.ran() || stations.empty()) return rows;
    for (std::size_t i = 0; i < stations.front().atPercents.size(); ++i)
        for (const MechanismStation& s : stations) {
            if (i >= s.atPercents.size()) continue;
            const MechanismLosses& at = s.atPercents[i];
            QStringList row{percent(at.percent), stationName(result, s.receivingStation)};
            for (std::size_t c = 0; c < kMechanismCurves; ++c) row << figure(curveLossDb(at, c), 2);
            row << text(decidingMechanismsText(at.deciding));
            rows.push_back(row);
        }
    return rows;
}

QString mechanismSummary(const PlanResult& result) {
    const PlanMechanisms& m = result.mechanisms;
    if (!m.ran()) return QStringLiteral("The complete ITU-R P.2001 did not run: %1.").arg(text(m.reason));
    QStringList lines;
    for (const MechanismStation& s : m.stations) {
        if (!s.atRequired) continue;
        lines << QStringLiteral("Received at %1, at the required %2 % of the year the signal arrives by %3 (Lb %4 dB).")
                     .arg(stationName(result, s.receivingStation), percent(result.plan.requiredAvailabilityPercent),
                          text(decidingMechanismsText(s.atRequired->deciding)), figure(s.atRequired->lbDb));
    }
    if (lines.isEmpty()) lines << QStringLiteral("The plan requires no S/N: the table shows every percentage.");
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tropolink::planner
