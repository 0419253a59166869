#include "planner/result_texts.h"

#include <cstddef>

#include "itur/p2001_method.h"
#include "link/method_columns.h"
#include "planner/figure_text.h"

namespace tropolink::planner {
namespace {

constexpr const char* kLegacyNames[] = {"Yeh", "ITT", "CCIR", "Collins", "Rider"};
constexpr int kAvailabilityDecimals = 4;

QString text(const std::string& s) { return QString::fromStdString(s); }

QString stationName(const PlanResult& result, int station) {
    return text(station == 1 ? result.plan.station1.name : result.plan.station2.name);
}

// "map /path/N050.TXT" for a map's value, else "option" or "default".
QString sourceText(const ClimateValue& value) {
    QString source = text(std::string(climateSourceName(value.source)));
    if (value.source == ClimateSource::Map) source += QLatin1Char(' ') + QString::fromStdString(value.file.string());
    return source;
}

QString whereText(const ClimateValue& value) {
    if (value.source != ClimateSource::Map) return {};
    return QStringLiteral("%1 (%2, %3)")
        .arg(text(value.where), QString::number(value.at.latDeg, 'f', 4), QString::number(value.at.lonDeg, 'f', 4));
}

QString legacyVerdict(ColumnVerdict verdict) {
    switch (verdict) {
        case ColumnVerdict::Valid: return QStringLiteral("valid");
        case ColumnVerdict::OutOfRange: return QStringLiteral("out of range");
        case ColumnVerdict::LineOfSight: return QStringLiteral("line of sight");
    }
    return {};
}

QString optionalDb(const std::optional<double>& value) {
    return value ? figure(*value) + QStringLiteral(" dB") : QStringLiteral("no data");
}

}  // namespace

VerdictTexts verdictTexts(const PlanResult& result, const PlanVerdict& verdict) {
    VerdictTexts texts;
    texts.method = text(itur::recommendationName(verdict.method));
    texts.receiving = stationName(result, verdict.receivingStation);
    const itur::StationAvailability& a = verdict.availability;
    switch (a.bound) {
        case itur::AvailabilityBound::None:
            texts.availability = a.percent ? figure(*a.percent, kAvailabilityDecimals) + QStringLiteral(" %") : QString();
            break;
        case itur::AvailabilityBound::Above:
            texts.availability = QStringLiteral("above %1 %").arg(figure(itur::kHighestPercent, 3));
            break;
        case itur::AvailabilityBound::Below:
            texts.availability = QStringLiteral("below %1 %").arg(figure(itur::kLowestPercent, 3));
            break;
        case itur::AvailabilityBound::LineOfSight: texts.availability = QStringLiteral("line of sight"); break;
        case itur::AvailabilityBound::OutOfRange: texts.availability = QStringLiteral("out of range"); break;
    }
    texts.outage = a.outageMinutesPerYear ? figure(*a.outageMinutesPerYear) + QStringLiteral(" min/year") : QStringLiteral("none given");
    texts.met = verdict.met ? QStringLiteral("met") : QStringLiteral("not met");
    if (verdict.withDiversity) {
        texts.hourlyMedianOnly = texts.availability + QStringLiteral(", ") + texts.outage;
        texts.availability = figure(verdict.withDiversity->percent, kAvailabilityDecimals) + QStringLiteral(" %");
        texts.outage = figure(verdict.withDiversity->outageMinutesPerYear) + QStringLiteral(" min/year");
    }
    if (!verdict.applies) {
        texts.availability = text(verdict.reason);
        texts.outage.clear();
        texts.met = QStringLiteral("does not apply");
    }
    return texts;
}

std::vector<QStringList> legacyTexts(const PlanResult& result) {
    const MethodColumns columns = methodColumns(result.values);
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const MethodColumn& c = columns[i];
        rows.push_back({QLatin1String(kLegacyNames[i]),
                        c.shownLoss() ? figure(*c.shownLoss()) + QStringLiteral(" dB") : QStringLiteral("none"),
                        legacyVerdict(c.verdict), optionalDb(c.atStation1), optionalDb(c.atStation2)});
    }
    return rows;
}

std::vector<QStringList> climateTexts(const PlanResult& result) {
    std::vector<QStringList> rows;
    if (result.climate) {
        const SiteClimate& c = *result.climate;
        rows.push_back({QStringLiteral("N0"), figure(c.n0.value) + QStringLiteral(" N-units"), sourceText(c.n0),
                        whereText(c.n0)});
        rows.push_back({QStringLiteral("ΔN"), figure(c.deltaN.value) + QStringLiteral(" N-units/km"),
                        sourceText(c.deltaN), whereText(c.deltaN)});
        rows.push_back({QStringLiteral("Climate zone"), QString::number(c.climateZone.value, 'f', 0),
                        sourceText(c.climateZone), whereText(c.climateZone)});
        rows.push_back({QStringLiteral("ΔN for the earth radius"), figure(c.deltaNRadius.value) + QStringLiteral(" N-units/km"),
                        sourceText(c.deltaNRadius), whereText(c.deltaNRadius)});
        rows.push_back({QStringLiteral("Effective earth radius"), figure(c.effectiveEarthRadiusKm) + QStringLiteral(" km"),
                        QStringLiteral("from ΔN"), QString()});
        return rows;
    }
    // Without sites nothing is looked up: each value is the plan's or the default.
    const AvailabilityOptions& o = result.plan.availability;
    const QString plan = QStringLiteral("option");
    const QString byDefault = QStringLiteral("default");
    rows.push_back({QStringLiteral("N0"), figure(result.link.surfaceRefractivity) + QStringLiteral(" N-units"),
                    o.n0 ? plan : QStringLiteral("slider"), QString()});
    rows.push_back({QStringLiteral("ΔN"), figure(result.link.deltaN) + QStringLiteral(" N-units/km"),
                    o.deltaNGiven ? plan : byDefault, QString()});
    rows.push_back({QStringLiteral("Climate zone"),
                    QString::number(static_cast<int>(result.link.climateZone)) + QStringLiteral(" (") +
                        text(std::string(itur::climateZoneName(result.link.climateZone))) + QStringLiteral(")"),
                    o.climateZoneGiven ? plan : byDefault, QString()});
    return rows;
}

QString profileDescription(const PlanResult& result) {
    QStringList parts;
    if (result.derived) parts << QStringLiteral("Path %1 km long").arg(figure(result.derived->distanceKm));
    if (result.climate) {
        const SiteClimate& c = *result.climate;
        parts << QStringLiteral("horizon of station 1 at %1 km, %2 m high, elevation %3 mrad")
                     .arg(figure(c.horizon1.distanceKm), figure(c.horizon1.heightM, 0), figure(c.horizon1.angleMrad));
        parts << QStringLiteral("horizon of station 2 at %1 km, %2 m high, elevation %3 mrad")
                     .arg(figure(c.horizon2.distanceKm), figure(c.horizon2.heightM, 0), figure(c.horizon2.angleMrad));
    }
    const auto& geometry = result.availability.geometry;
    if (geometry.lineOfSight()) {
        parts << QStringLiteral("line of sight");
    } else {
        parts << QStringLiteral("scatter angle %1 mrad").arg(figure(geometry.scatterAngleMrad()));
    }
    if (result.availability.commonVolumeHeightKm) {
        parts << QStringLiteral("common volume %1 km above sea level").arg(figure(*result.availability.commonVolumeHeightKm, 2));
    }
    return parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

}  // namespace tropolink::planner
