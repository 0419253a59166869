#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "grammar/settings.h"
#include "link/availability_options.h"
#include "p2001/path_input.h"
#include "plan/plan.h"
#include "plan/plan_radio.h"
#include "terrain/path_profile.h"
#include "terrain/site.h"

namespace tropolink {

// A refused plan. what() is the one line printed: "FILE:LINE:COLUMN: KEY: what
// is wrong; what is allowed" (the file and position left out when the plan
// was made in memory). `key` is the dotted key ("station1.tx-power") so that a
// form can show the message beside its field.
class PlanError : public std::runtime_error {
public:
    PlanError(const std::string& message, std::string key, PlanPosition at)
        : std::runtime_error(message), key_(std::move(key)), at_(at) {}
    const std::string& key() const { return key_; }
    PlanPosition at() const { return at_; }

private:
    std::string key_;
    PlanPosition at_;
};

// How the plan gives its ground.
enum class PlanForm {
    DemWithSites,      // sites and [path].dem: the terrain from the DEMs
    ProfileWithSites,  // a profile CSV placed on the earth by the sites
    Profile,           // a profile CSV alone
    Settings,          // the calculator's sliders alone
};

struct CheckedStation {
    std::string name;  // "Station 1" when none is given
    std::optional<terrain::Site> site;
    double mastM = 10;  // with a profile or DEM
};

// A plan checked exactly as --set and the availability options check their
// values; what the run needs, with paths resolved.
struct CheckedPlan {
    PlanForm form = PlanForm::Settings;
    std::string title;
    std::string notes;
    CheckedStation station1;
    CheckedStation station2;
    SettingsBuilder requested{false};  // the sliders the plan sets, and power/1000
    PlanRadio radio;                   // the radio values that are no slider positions
    AvailabilityOptions availability;  // percents, [itu] values given, the required S/N
    double requiredAvailabilityPercent = 99.9;
    std::vector<std::string> dems;  // resolved against the plan's folder
    std::optional<std::filesystem::path> profile;
    terrain::ProfileOptions profileOptions;
    p2001::Polarisation polarisation = p2001::Polarisation::Vertical;  // of the complete P.2001
};

// Throws PlanError for an out-of-range or malformed value, a key of another
// form, or a DEM or profile path that does not exist.
CheckedPlan checkPlan(const Plan& plan);

}  // namespace tropolink
