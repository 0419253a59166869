#include "plan/mechanism_run.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "grammar/number_text.h"
#include "link/p2001_all.h"
#include "itur/method_domain.h"
#include "itur/yearly_outage.h"
#include "p2001/input_check.h"
#include "p2001/row_evaluation.h"
#include "plan/year_curves.h"

namespace tropolink {
namespace {

struct RowRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The rows of one direction at one frequency: the path's and the
// frequency's work done once, each percentage's rows on demand.
class PercentRows {
public:
    PercentRows(const p2001::PreparedPath& path, double fGhz)
        : path_(path), frequency_(p2001::frequencyTerms(path, fGhz)), envelopes_(p2001::bullingtonProfile(path)) {}

    MechanismLosses at(double percent) {
        p2001::Row row;
        p2001::evaluateRow(path_, frequency_, p2001::percentTerms(path_, percent, &envelopes_), row, &memos_);
        if (row.status == p2001::RowStatus::Refused) throw RowRefused(row.refusal);
        notes_ |= row.notes;
        const p2001::SubModelLosses m{row.lbm1, row.lbm2, row.lbm3, row.lbm4};
        computed_.emplace_back(percent, row.lb);
        return {percent, row.lb, m, decidingMechanisms(m)};
    }
    unsigned notes() const { return notes_; }
    // Every (p, Lb) computed so far.
    std::vector<std::pair<double, double>> computed() const { return computed_; }

private:
    const p2001::PreparedPath& path_;
    p2001::FrequencyTerms frequency_;
    p2001::BullingtonProfile envelopes_;
    p2001::FadeMemos memos_;
    unsigned notes_ = 0;
    std::vector<std::pair<double, double>> computed_;
};

// Lb falling as p rises would leave the availability search more than one
// crossing; says where it fell most.
std::optional<std::string> monotonyNote(std::vector<std::pair<double, double>> computed, int station) {
    std::sort(computed.begin(), computed.end());
    double worst = 0;
    std::pair<double, double> from{}, to{};
    for (std::size_t i = 1; i < computed.size(); ++i) {
        const double fall = computed[i - 1].second - computed[i].second;
        if (computed[i].first > computed[i - 1].first && fall > worst) {
            worst = fall;
            from = computed[i - 1];
            to = computed[i];
        }
    }
    if (worst <= 1e-9) return std::nullopt;
    return "the complete P.2001's Lb received at station " + std::to_string(station) + " falls by " +
           fixedText(worst, 6) + " dB from " + fixedText(from.first, 6) + " % to " + fixedText(to.first, 6) +
           " % of the time; its availability is the crossing the bisection found";
}

std::vector<profile::ProfilePoint> reversed(std::span<const profile::ProfilePoint> points) {
    std::vector<profile::ProfilePoint> out(points.rbegin(), points.rend());
    const double length = points.back().distanceKm;
    // The first point lies at 0 km, so the ends stay exactly 0 and the length.
    for (profile::ProfilePoint& p : out) p.distanceKm = length - p.distanceKm;
    return out;
}

double snrAt(const itur::LinkBudget& budget, int station, double lossDb) {
    return station == 1 ? itur::snrAtStation1(budget, lossDb) : itur::snrAtStation2(budget, lossDb);
}

itur::FadingAvailability availabilityOf(const itur::YearlyOutage& y) {
    return {y.availabilityPercent(), y.minutesPerYear(), y.heldMatters()};
}

// The yearly integral over this direction's Lb, as the troposcatter methods take it over theirs.
void addFading(MechanismStation& s, PercentRows& rows, const MechanismRequirement& requirement) {
    const itur::Diversity& diversity = *requirement.fading;
    const itur::FadeNodes nodes = itur::fadeNodes([&](double p) { return rows.at(p).lbDb; });
    const double medianDb = rows.at(50).lbDb;
    const double requiredPercent = *requirement.requiredPercent;
    itur::StationFading f;
    f.medianMarginDb = snrAt(requirement.budget, s.receivingStation, medianDb) - *requirement.requiredSnrDb;
    f.oneReceiver = availabilityOf(itur::yearlyOutage(nodes, f.medianMarginDb, {}));
    f.withDiversity = availabilityOf(itur::yearlyOutage(nodes, f.medianMarginDb, diversity));
    s.fading = f;
    itur::RequiredMargins m;
    m.percent = requiredPercent;
    m.hourlyMedianOnlyDb = s.atRequired->lbDb - medianDb;
    m.oneReceiverDb = itur::medianMarginForOutage(nodes, 1 - requiredPercent / 100, {});
    m.withDiversityDb = itur::medianMarginForOutage(nodes, 1 - requiredPercent / 100, diversity);
    s.fadingMargins = m;
}

MechanismStation runDirection(const MechanismPath& path, const MechanismRequirement& requirement,
                              const p2001::MapReader& read, int receivingStation) {
    const bool forward = receivingStation == 2;
    std::vector<profile::ProfilePoint> points;
    if (forward)
        points.assign(path.points.begin(), path.points.end());
    else
        points = reversed(path.points);
    const PathZones zones = pathZones(points);
    P2001AllSettings settings;
    settings.polarisation = path.polarisation;
    settings.mast1M = forward ? path.mast1M : path.mast2M;
    settings.mast2M = forward ? path.mast2M : path.mast1M;
    settings.gain1Dbi = forward ? path.gain1Dbi : path.gain2Dbi;
    settings.gain2Dbi = forward ? path.gain2Dbi : path.gain1Dbi;
    p2001::PathInput input = p2001AllInput(points, zones.zone, forward ? path.site1 : path.site2,
                                           forward ? path.site2 : path.site1, settings);
    MechanismStation s;
    s.receivingStation = receivingStation;
    s.mapValues = readP2001MapValues(input, read);
    const p2001::PreparedPath prepared = p2001::preparePath(std::move(input), collectMapValues(s.mapValues));
    if (!prepared.refusal.empty()) throw RowRefused(prepared.refusal);
    p2001::checkFrequency(path.frequencyMhz / 1000);
    PercentRows rows(prepared, path.frequencyMhz / 1000);
    for (const double p : requirement.percents) {
        p2001::checkPercent(p);
        s.atPercents.push_back(rows.at(p));
    }
    for (const double p : yearCurvePercents()) s.overYear.push_back(rows.at(p));
    if (requirement.requiredSnrDb) {
        if (requirement.requiredPercent) s.atRequired = rows.at(*requirement.requiredPercent);
        const double maxLossDb = snrAt(requirement.budget, receivingStation, 0) - *requirement.requiredSnrDb;
        s.availability = availabilityByBisection([&](double p) { return rows.at(p).lbDb; }, maxLossDb);
        if (requirement.fading && s.atRequired && s.atRequired->deciding.first == p2001::Mechanism::Troposcatter)
            addFading(s, rows, requirement);
    }
    unsigned notes = prepared.notes | rows.notes();
    for (unsigned bit = 1; bit != 0 && bit <= notes; bit <<= 1)
        if ((notes & bit) != 0) s.notes.emplace_back(p2001::noteText(static_cast<p2001::Note>(bit)));
    if (auto note = monotonyNote(rows.computed(), receivingStation)) s.notes.push_back(std::move(*note));
    return s;
}

}  // namespace

itur::StationAvailability availabilityByBisection(const std::function<double(double)>& lossAt, double maxLossDb) {
    using itur::AvailabilityBound;
    const auto meets = [&](double p) { return lossAt(p) <= maxLossDb; };
    if (meets(itur::kHighestPercent)) return {AvailabilityBound::Above, itur::OutOfRangeReason::None, {}, {}};
    if (!meets(itur::kLowestPercent)) return {AvailabilityBound::Below, itur::OutOfRangeReason::None, {}, {}};
    double lo = itur::kLowestPercent;  // met
    double hi = itur::kHighestPercent;  // not met
    while (hi - lo > 1e-6) {
        const double mid = 0.5 * (lo + hi);
        (meets(mid) ? lo : hi) = mid;
    }
    return {AvailabilityBound::None, itur::OutOfRangeReason::None, lo, (100 - lo) / 100 * itur::kMinutesPerYear};
}

PlanMechanisms skippedMechanisms(MechanismSkip skip, std::string reason, p2001::Polarisation polarisation) {
    PlanMechanisms m;
    m.skip = skip;
    m.reason = std::move(reason);
    m.polarisation = polarisation;
    return m;
}

PlanMechanisms runMechanisms(const MechanismPath& path, const MechanismRequirement& requirement,
                             const p2001::MapReader& read, const std::string& mapsSource) {
    PlanMechanisms m;
    m.skip = MechanismSkip::None;
    m.polarisation = path.polarisation;
    m.mapsSource = mapsSource;
    if (path.points.size() <= kP2001AllMinPointsExclusive)
        return skippedMechanisms(MechanismSkip::Refused,
                                 "the complete P.2001 needs more than " + std::to_string(kP2001AllMinPointsExclusive) +
                                     " profile points; the path has " + std::to_string(path.points.size()),
                                 path.polarisation);
    const PathZones zones = pathZones(path.points);
    m.zoneSource = zones.source;
    try {
        for (const int station : {1, 2}) m.stations.push_back(runDirection(path, requirement, read, station));
    } catch (const p2001::InputError& e) {
        return skippedMechanisms(MechanismSkip::Refused, std::string("the complete P.2001 does not apply: ") + e.what(),
                                 path.polarisation);
    } catch (const RowRefused& e) {
        return skippedMechanisms(MechanismSkip::Refused, std::string("the complete P.2001 does not apply: ") + e.what(),
                                 path.polarisation);
    }
    if (zones.source == ZoneSource::Column)
        m.zonesNote = "zones from the profile's zone column";
    else {
        const p2001::PathInput probe = p2001AllInput(path.points, zones.zone, path.site1, path.site2, {});
        double sea = 0;
        for (std::size_t i = 1; i < probe.distanceKm.size(); ++i)
            if (probe.zone[i] == 1 && probe.zone[i - 1] == 1) sea += probe.distanceKm[i] - probe.distanceKm[i - 1];
        m.zonesNote = derivedZonesNote(sea / probe.distanceKm.back());
    }
    return m;
}

}  // namespace tropolink
