#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tropolink {

// Where a value stands in its file; line 0 when it was made in memory.
struct PlanPosition {
    long line = 0;
    long column = 0;
};

// A value as written. Numbers keep their text exactly as in the file, so
// that they are checked as --set checks them ("1e3" is refused everywhere).
struct PlanText {
    std::string text;
    PlanPosition at;
};

// [station1] and [station2]. `settings` holds the tool's station aliases
// without their "s1."/"s2." prefix: "tx-power" -> "1000", and the radio keys
// that stand for a slider's value ("rx-bandwidth-mhz", "antenna-diameter-m").
struct PlanStation {
    std::optional<PlanText> name;
    std::optional<std::array<PlanText, 2>> site;  // latitude, longitude in degrees
    std::optional<PlanText> mastM;
    std::map<std::string, PlanText> settings;
};

struct PlanPath {
    std::optional<PlanText> frequencyMhz;
    std::vector<PlanText> dem;  // files or folders, relative to the plan's folder
    std::optional<PlanText> profile;  // a profile CSV, relative to the plan's folder
    std::optional<PlanText> distanceKm;
    std::optional<PlanText> surfaceRefractivity;  // the calculator's slider, N-units
    std::optional<PlanText> stepM;
    std::optional<PlanText> seaWhereMissing;  // "true"/"false": fills the user asked for
    std::optional<PlanText> fillVoids;
    std::optional<PlanText> polarisation;  // "vertical"/"horizontal": the complete P.2001's
};

// [itu]: each value given here overrides the maps.
struct PlanItu {
    std::optional<PlanText> deltaN;
    std::optional<PlanText> n0;
    std::optional<PlanText> climateZone;
    std::optional<PlanText> groundHeightKm;
};

// [diversity]: any key given adds fading within the hour, and the verdict
// uses the diversity asked for.
struct PlanDiversity {
    std::optional<PlanText> order;
    std::optional<PlanText> combiner;
    std::optional<PlanText> branchCorrelation;
};

struct PlanRequirement {
    std::optional<PlanText> snrDb;
    std::optional<PlanText> availabilityPercent;
    std::vector<PlanText> percent;
};

// A link plan as written: every key optional. A plan read from a file keeps
// the file's path (relative paths in it resolve against its folder) and its
// text verbatim (the report reproduces it).
struct Plan {
    std::optional<PlanText> title;
    std::optional<PlanText> notes;
    std::optional<PlanText> powerDiv1000;  // "true"/"false"
    PlanStation station1;
    PlanStation station2;
    PlanPath path;
    PlanItu itu;
    PlanRequirement requirement;
    PlanDiversity diversity;
    std::filesystem::path file;
    std::string source;
};

}  // namespace tropolink
