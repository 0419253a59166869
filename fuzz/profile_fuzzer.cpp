// Feeds arbitrary bytes to the profile readers (the CSV with or without its
// zone column, and the ITU's layout with "Points,N"), checking what must hold
// for every input: accepted points start at 0, rise strictly, are finite and
// carry a zone on every point or on none, 1, 3 or 4; a refusal is one
// printable line naming the file and row; a text without the ITU layout reads
// exactly as the CSV reader reads it.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "profile/itu_profile.h"
#include "profile/profile_csv.h"
#include "profile/profile_file.h"

namespace {

using namespace tropolink::profile;
using tropolink::fuzz::require;

struct Outcome {
    std::vector<ProfilePoint> points;
    bool refused = false;
    long row = 0;
    std::string problem;
};

template <typename Read>
Outcome attempt(Read read) {
    Outcome o;
    try {
        o.points = read();
    } catch (const ProfileError& e) {
        o.refused = true;
        o.row = e.row();
        o.problem = e.problem();
        const std::string message = profileMessage("p.csv", e);
        require(message.rfind("\"p.csv\"", 0) == 0 || message.rfind("p.csv", 0) == 0, "names the file");
        require(message.find("(allowed: ") != std::string::npos, "says what is allowed");
        require(tropolink::fuzz::isPlainAscii(message), "one printable line");
    }
    return o;
}

void checkPoints(const std::vector<ProfilePoint>& points) {
    require(points.size() >= kMinProfilePoints && points.size() <= kMaxProfilePoints, "point count");
    require(points.front().distanceKm == 0, "starts at 0");
    const bool zoned = hasZones(points);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ProfilePoint& p = points[i];
        require(std::isfinite(p.distanceKm) && std::isfinite(p.heightM), "finite");
        require(i == 0 || p.distanceKm > points[i - 1].distanceKm, "rises strictly");
        require(i == 0 || p.row > points[i - 1].row, "rows in order");
        if (zoned)
            require(p.zone == kSeaZone || p.zone == kCoastalLandZone || p.zone == kInlandZone, "zone code");
        else
            require(p.zone == 0, "no zone without the column");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Outcome any = attempt([&] { return readAnyProfile(text); });
    if (!any.refused) checkPoints(any.points);
    const Outcome csv = attempt([&] { return readProfile(text); });
    if (!csv.refused) checkPoints(csv.points);
    // Without a "Points" line the layouts cannot differ.
    if (text.find("Points") == std::string_view::npos) {
        require(any.refused == csv.refused && any.row == csv.row && any.problem == csv.problem, "same refusal");
        require(any.points.size() == csv.points.size(), "same points");
    }
    return 0;
}
