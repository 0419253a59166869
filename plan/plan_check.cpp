#include "plan/plan_check.h"

#include "grammar/decimal.h"
#include "grammar/input_error.h"
#include "grammar/number_text.h"
#include "grammar/option_ranges.h"
#include "link/profile_link.h"
#include "plan/plan_keys.h"
#include "plan/plan_numbers.h"
#include "terrain/terrain_error.h"

namespace tropolink {
namespace {

constexpr std::string_view kTerrainForms = "with [path].dem and both sites, or with [path].profile";
constexpr std::string_view kSlidersForm = "without [path].dem and [path].profile, where the sliders give the path";

class PlanChecker {
public:
    explicit PlanChecker(const Plan& plan) : plan_(plan) {}

    CheckedPlan check() {
        CheckedPlan c;
        c.form = form();
        c.title = plan_.title ? plan_.title->text : "";
        c.notes = plan_.notes ? plan_.notes->text : "";
        const bool power = plan_.powerDiv1000 && boolean("", "power-div-1000", *plan_.powerDiv1000);
        c.requested = SettingsBuilder(power);
        c.station1 = station(c, "station1", plan_.station1, "s1.", kMast1Option, "Station 1");
        c.station2 = station(c, "station2", plan_.station2, "s2.", kMast2Option, "Station 2");
        path(c);
        dish(c, 0, "station1", plan_.station1);
        dish(c, 1, "station2", plan_.station2);
        itu(c);
        requirement(c);
        diversity(c);
        // Last, so that a plan of the wrong form is told so before a path is looked for.
        files(c);
        return c;
    }

private:
    bool terrain() const { return form_ != PlanForm::Settings; }

    [[noreturn]] void fail(PlanPosition at, const std::string& key, std::string_view message) const {
        throw planError(plan_.file, at, key, message);
    }
    [[noreturn]] void refuse(const PlanText& value, std::string_view table, std::string_view name,
                             std::string_view problem, std::string_view allowed) const {
        const std::string key = dottedKey(table, name);
        fail(value.at, key, refusal(key, problem, allowed));
    }

    PlanForm form() {
        const PlanPath& p = plan_.path;
        const bool site1 = plan_.station1.site.has_value();
        const bool site2 = plan_.station2.site.has_value();
        if (!p.dem.empty() && p.profile)
            refuse(*p.profile, "path", "profile", "given with [path].dem", "[path].dem or [path].profile, not both");
        if (!p.dem.empty()) {
            if (!site1 || !site2)
                refuse(p.dem.front(), site1 ? "station2" : "station1", "site", "missing: [path].dem needs both sites",
                       "[LAT, LON] in [station1] and in [station2]");
            form_ = PlanForm::DemWithSites;
        } else if (p.profile) {
            if (site1 != site2)
                refuse((site1 ? plan_.station1.site : plan_.station2.site)->front(), site1 ? "station2" : "station1",
                       "site", "missing: the other station has a site", "both sites with [path].profile, or neither");
            form_ = site1 ? PlanForm::ProfileWithSites : PlanForm::Profile;
        } else {
            if (site1 || site2)
                refuse((site1 ? plan_.station1.site : plan_.station2.site)->front(), site1 ? "station1" : "station2",
                       "site", "given without [path].dem or [path].profile", kTerrainForms);
            form_ = PlanForm::Settings;
        }
        return form_;
    }

    bool boolean(std::string_view table, std::string_view name, const PlanText& value) const {
        if (value.text != "true" && value.text != "false") refuse(value, table, name, "not a boolean", "true or false");
        return value.text == "true";
    }

    double option(NumberOption option, std::string_view table, std::string_view name, const PlanText& value) const {
        // Read as the command-line option is, its messages naming the key.
        const std::string shownName = dottedKey(table, name) + " =";
        option.name = shownName;
        try {
            return readNumberOption(option, value.text);
        } catch (const InputError& e) {
            fail(value.at, dottedKey(table, name), e.what());
        }
    }

    void slider(CheckedPlan& c, std::string_view table, std::string_view name, std::string_view alias,
                const PlanText& value) const {
        const SettingName setting = *findSettingName(alias);
        if (terrain() && isProfileSlider(setting.slider->slider))
            refuse(value, table, name, "given with a DEM or profile, which fixes it", kSlidersForm);
        const std::string key = dottedKey(table, name);
        try {
            validatePosition(setting, decimalToPosition(value.text, setting.positionsPerUnit()),
                             c.requested.settings().powerDividedBy1000, key + " = " + value.text);
        } catch (const InputError& e) {
            fail(value.at, key, e.what());
        }
        c.requested.assign(std::string(alias) + "=" + value.text);
    }

    // A radio value sets its slider when it is a position of it; else the
    // pass takes it as given and the boxes are left out.
    void radio(CheckedPlan& c, std::string_view table, std::string_view prefix, const RadioKey& key,
               const PlanText& value) const {
        const std::size_t index = table == "station1" ? 0 : 1;
        const std::map<std::string, PlanText>& given = (index == 0 ? plan_.station1 : plan_.station2).settings;
        const bool megahertz = key.name == "rx-bandwidth-mhz";
        if (megahertz && given.contains("rx-bandwidth-hz"))
            refuse(value, table, key.name, "given with rx-bandwidth-hz", "rx-bandwidth-hz or rx-bandwidth-mhz, not both");
        if (key.name == "antenna-gain-dbi" && given.contains("antenna-diameter-m"))
            refuse(value, table, key.name, "given with antenna-diameter-m",
                   "antenna-gain-dbi or antenna-diameter-m, not both");
        const bool milliwatts = key.name == "tx-power" && c.requested.settings().powerDividedBy1000;
        const double read = option(milliwatts ? txPowerMilliwattOption() : key.option, table, key.name, value);
        const std::string alias = std::string(prefix) + (megahertz ? "rx-bandwidth-hz" : std::string(key.name));
        const SettingName setting = *findSettingName(alias);
        const DecimalPosition position =
            decimalToPosition(value.text, megahertz ? 1000000 : setting.positionsPerUnit());
        try {
            validatePosition(setting, position, milliwatts, alias);
            c.requested.assign(alias + "=" + shownValue(static_cast<int>(position.position), setting.positionsPerUnit()));
        } catch (const InputError&) {
            c.radio.stations[index].*key.member = milliwatts ? read / 1000 : read * key.scale;
            c.radio.offSliders.push_back(dottedKey(table, key.name) + " = " + value.text);
        }
    }

    // A dish's gain at the plan's frequency.
    void dish(CheckedPlan& c, std::size_t index, std::string_view table, const PlanStation& s) const {
        const auto diameter = s.settings.find("antenna-diameter-m");
        const auto efficiency = s.settings.find("antenna-efficiency");
        if (diameter == s.settings.end()) {
            if (efficiency != s.settings.end())
                refuse(efficiency->second, table, "antenna-efficiency", "given without antenna-diameter-m",
                       "with antenna-diameter-m");
            return;
        }
        const double d = option(kAntennaDiameterOption, table, "antenna-diameter-m", diameter->second);
        const double eta = efficiency == s.settings.end()
                               ? 0.55
                               : option(kAntennaEfficiencyOption, table, "antenna-efficiency", efficiency->second);
        const double frequencyMhz =
            c.requested.settings().positions[static_cast<std::size_t>(sliderIndex(Slider::HScroll21))];
        const double gain = dishGainDbi(d, eta, frequencyMhz);
        c.radio.stations[index].antennaGainDbi = gain;
        c.radio.offSliders.push_back(dottedKey(table, "antenna-diameter-m") + " = " + diameter->second.text + " (" +
                                     fixedText(gain, 2) + " dBi)");
    }

    CheckedStation station(CheckedPlan& c, std::string_view table, const PlanStation& s, std::string_view prefix,
                           const NumberOption& mast, std::string_view defaultName) const {
        CheckedStation checked;
        checked.name = s.name ? s.name->text : std::string(defaultName);
        for (const auto& [name, value] : s.settings) {
            if (name == "antenna-diameter-m" || name == "antenna-efficiency") continue;  // after the frequency
            if (const RadioKey* key = findRadioKey(name))
                radio(c, table, prefix, *key, value);
            else
                slider(c, table, name, std::string(prefix) + name, value);
        }
        if (s.mastM) {
            if (!terrain()) refuse(*s.mastM, table, "mast-m", "given without a DEM or profile", kTerrainForms);
            checked.mastM = option(mast, table, "mast-m", *s.mastM);
        }
        if (s.site) {
            const std::string key = dottedKey(table, "site");
            try {
                checked.site = terrain::parseSite((*s.site)[0].text + "," + (*s.site)[1].text, key);
            } catch (const terrain::TerrainError& e) {
                fail((*s.site)[0].at, key, e.what());
            }
        }
        return checked;
    }

    std::filesystem::path resolved(const PlanText& value, std::string_view name, std::string_view allowed) const {
        // An empty name would be the plan's own folder, and a NUL would cut the name short.
        if (value.text.empty()) refuse(value, "path", name, "an empty path", allowed);
        if (value.text.find('\0') != std::string::npos) refuse(value, "path", name, "a path holding a NUL byte", allowed);
        const std::filesystem::path path = plan_.file.parent_path() / value.text;
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            refuse(value, "path", name, "no such file or folder: " + quoteInput(path.string()), allowed);
        return path;
    }

    void path(CheckedPlan& c) const {
        const PlanPath& p = plan_.path;
        if (p.frequencyMhz) slider(c, "path", "frequency-mhz", "frequency-mhz", *p.frequencyMhz);
        if (p.distanceKm) slider(c, "path", "distance-km", "distance-km", *p.distanceKm);
        if (p.surfaceRefractivity)
            slider(c, "path", "surface-refractivity", "surface-refractivity", *p.surfaceRefractivity);
        const std::pair<const std::optional<PlanText>*, std::string_view> demOnly[] = {
            {&p.stepM, "step-m"}, {&p.seaWhereMissing, "sea-where-missing"}, {&p.fillVoids, "fill-voids"}};
        for (const auto& [value, name] : demOnly)
            if (*value && form_ != PlanForm::DemWithSites)
                refuse(**value, "path", name, "given without [path].dem", "with [path].dem and both sites");
        if (p.stepM) c.profileOptions.stepM = option(kStepOption, "path", "step-m", *p.stepM);
        if (p.seaWhereMissing) c.profileOptions.seaWhereMissing = boolean("path", "sea-where-missing", *p.seaWhereMissing);
        if (p.fillVoids) c.profileOptions.fillVoids = boolean("path", "fill-voids", *p.fillVoids);
        if (p.polarisation) {
            if (p.polarisation->text != "vertical" && p.polarisation->text != "horizontal")
                refuse(*p.polarisation, "path", "polarisation", "not a polarisation: " + quoteInput(p.polarisation->text),
                       "\"vertical\" or \"horizontal\"");
            if (form_ != PlanForm::DemWithSites && form_ != PlanForm::ProfileWithSites)
                refuse(*p.polarisation, "path", "polarisation", "given without sites",
                       "with both sites and [path].dem or [path].profile, where the complete P.2001 runs");
            if (p.polarisation->text == "horizontal") c.polarisation = p2001::Polarisation::Horizontal;
        }
    }

    void files(CheckedPlan& c) const {
        const PlanPath& p = plan_.path;
        for (const PlanText& dem : p.dem)
            c.dems.push_back(resolved(dem, "dem", "DEM files or folders of SRTM tiles, relative to the plan's folder"));
        if (p.profile) c.profile = resolved(*p.profile, "profile", "a profile CSV, relative to the plan's folder");
    }

    void itu(CheckedPlan& c) const {
        const PlanItu& i = plan_.itu;
        AvailabilityOptions& o = c.availability;
        if (i.deltaN) {
            o.deltaN = option(kDeltaNOption, "itu", "delta-n", *i.deltaN);
            o.deltaNGiven = true;
        }
        if (i.n0) o.n0 = option(kN0Option, "itu", "n0", *i.n0);
        if (i.climateZone) {
            o.climateZone = static_cast<itur::ClimateZone>(option(kClimateZoneOption, "itu", "climate-zone", *i.climateZone));
            o.climateZoneGiven = true;
        }
        if (i.groundHeightKm) {
            if (terrain())
                refuse(*i.groundHeightKm, "itu", "ground-height-km", "given with a DEM or profile, which gives it",
                       kSlidersForm);
            o.groundHeightKm = option(kGroundHeightOption, "itu", "ground-height-km", *i.groundHeightKm);
        }
    }

    void requirement(CheckedPlan& c) const {
        const PlanRequirement& r = plan_.requirement;
        AvailabilityOptions& o = c.availability;
        for (const PlanText& p : r.percent) o.percents.push_back(option(kPercentOption, "requirement", "percent", p));
        if (o.percents.empty()) o.percents = defaultPercents();
        if (r.snrDb) o.requiredSnrDb = option(kRequiredSnrOption, "requirement", "snr-db", *r.snrDb);
        if (r.availabilityPercent)
            c.requiredAvailabilityPercent =
                option(kRequiredAvailabilityOption, "requirement", "availability-percent", *r.availabilityPercent);
    }

    void diversity(CheckedPlan& c) const {
        const PlanDiversity& d = plan_.diversity;
        if (!d.order && !d.combiner && !d.branchCorrelation) return;
        itur::FadingRequest request;
        request.requiredAvailabilityPercent = c.requiredAvailabilityPercent;
        itur::Diversity& diversity = request.diversity;
        // Read as the command-line options are, their messages naming the key.
        const auto read = [this](const PlanText& value, std::string_view name, const auto& reader) {
            try {
                return reader(dottedKey("diversity", name) + " =", value.text);
            } catch (const InputError& e) {
                fail(value.at, dottedKey("diversity", name), e.what());
            }
        };
        if (d.order) diversity.order = read(*d.order, "order", diversityOrderOption);
        if (d.combiner) diversity.combiner = read(*d.combiner, "combiner", combinerOption);
        if (d.branchCorrelation) {
            diversity.branchCorrelation = option(kBranchCorrelationOption, "diversity", "branch-correlation",
                                                 *d.branchCorrelation);
            read(*d.branchCorrelation, "branch-correlation", [&diversity](const std::string& name, const std::string& text) {
                requireDualForCorrelation(diversity, name + " " + text, "diversity.order =");
                return 0;
            });
        }
        c.availability.fading = request;
    }

    const Plan& plan_;
    PlanForm form_ = PlanForm::Settings;
};

}  // namespace

CheckedPlan checkPlan(const Plan& plan) { return PlanChecker(plan).check(); }

}  // namespace tropolink
