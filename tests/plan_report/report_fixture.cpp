#include "report_fixture.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/headless_window.h"
#include "link/availability_link.h"
#include "link/profile_answer.h"
#include "plot/probability_axis.h"
#include "report/availability_notes.h"

namespace tropolink::test {
namespace {

constexpr double kRequiredSnrDb = 10;
constexpr double kMastM = 20;

AvailabilityOptions options() {
    AvailabilityOptions o;
    o.percents = defaultPercents();
    o.requiredSnrDb = kRequiredSnrDb;
    return o;
}

ReportFixture named(const std::string& text) {
    ReportFixture f;
    f.plan.title = PlanText{text, {}};
    f.plan.notes = PlanText{text, {}};
    f.plan.station1.name = PlanText{text + " 1", {}};
    f.plan.station2.name = PlanText{text + " 2", {}};
    f.plan.source = "title = \"" + text + "\"\n";
    f.plan.file = "example.tropolink.toml";
    CheckedPlan& c = f.result.plan;
    c.title = text;
    c.notes = text;
    c.station1.name = text + " 1";
    c.station2.name = text + " 2";
    c.availability = options();
    return f;
}

void finish(PlanResult& r, const HeadlessWindow& window) {
    for (int i = 1; i <= kResultBoxCount; ++i)
        r.boxes[static_cast<std::size_t>(i - 1)] = window.boxText(boxFromNumber(i));
    r.budget = linkBudget(r.values);
    r.yearCurves = yearCurves(r.link);
    r.zoneAvailabilities = zoneAvailabilities(r.link, r.budget, kRequiredSnrDb);
    r.notes = availabilityNotes(r.availability);
    const double required = r.plan.requiredAvailabilityPercent;
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const itur::MethodAnswer& answer = method == itur::ItuMethod::P617 ? r.availability.p617 : r.availability.p2001;
        for (int station = 1; station <= 2; ++station) {
            PlanVerdict v;
            v.method = method;
            v.receivingStation = station;
            v.availability = (*answer.availability)[static_cast<std::size_t>(station - 1)];
            v.met = v.availability.bound == itur::AvailabilityBound::Above ||
                    (v.availability.percent && *v.availability.percent >= required);
            r.verdicts.push_back(v);
        }
    }
}

}  // namespace

ReportFixture settingsFixture(const std::string& text) {
    ReportFixture f = named(text);
    PlanResult& r = f.result;
    HeadlessWindow window;
    r.values = RecalculateWithValues(window);
    r.link = ituLink(r.values, r.plan.availability);
    r.availability = availabilityAnswer(r.values, r.plan.availability);
    finish(r, window);
    return f;
}

ReportFixture profileFixture(const std::string& text) {
    ReportFixture f = named(text);
    PlanResult& r = f.result;
    r.plan.form = PlanForm::Profile;
    r.plan.profile = std::filesystem::path(TROPOLINK_SOURCE_DIR) / "docs/examples/hill-path.csv";
    r.plan.station1.mastM = kMastM;
    r.plan.station2.mastM = kMastM;
    std::ifstream in(*r.plan.profile);
    std::stringstream text_;
    text_ << in.rdbuf();
    r.points = profile::readProfile(text_.str());
    r.derived = profile::deriveSettings(r.points, kMastM, kMastM);
    HeadlessWindow window;
    const ProfileAnswer answer =
        answerProfile({r.points, nullptr}, *r.derived, SettingsBuilder(false), &r.plan.availability, MapsInUse{}, window);
    r.settingsLine = answer.settingsLine;
    r.values = answer.values;
    r.link = *answer.link;
    r.availability = *answer.availability;
    finish(r, window);
    return f;
}

namespace {

MechanismLosses madeUpLosses(double percent, double offsetDb) {
    const double z = normalQuantile(percent / 100);
    MechanismLosses m;
    m.percent = percent;
    m.subModels = {.lbm1Db = 196 + 4 * z + offsetDb, .lbm2Db = 185 + 14 * z + offsetDb,
                   .lbm3Db = 190 + 6 * z + offsetDb, .lbm4Db = 260 + 2 * z + offsetDb};
    m.lbDb = std::min({m.subModels.lbm1Db, m.subModels.lbm2Db, m.subModels.lbm3Db, m.subModels.lbm4Db}) - 0.5;
    m.deciding = decidingMechanisms(m.subModels);
    return m;
}

}  // namespace

ReportFixture mechanismFixture(const std::string& text) {
    ReportFixture f = profileFixture(text);
    PlanResult& r = f.result;
    r.highestLossDb = std::array<double, 2>{204.6, 204.6};
    PlanMechanisms& m = r.mechanisms;
    m.skip = MechanismSkip::None;
    m.reason.clear();
    for (const int station : {1, 2}) {
        MechanismStation s;
        s.receivingStation = station;
        const double offset = station == 1 ? 1 : 0;
        for (const double p : r.plan.availability.percents) s.atPercents.push_back(madeUpLosses(p, offset));
        for (const double p : yearCurvePercents()) s.overYear.push_back(madeUpLosses(p, offset));
        s.atRequired = madeUpLosses(r.plan.requiredAvailabilityPercent, offset);
        m.stations.push_back(std::move(s));
    }
    m.notes.push_back(text + ": the maps are synthetic");
    return f;
}

}  // namespace tropolink::test
