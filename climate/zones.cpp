#include "climate/zones.h"

#include <array>
#include <stdexcept>
#include <string>

namespace tropolink::climate {
namespace {

constexpr int kSeaZoneOption = 7;

constexpr std::array<std::string_view, kMaxZoneCode + 1> kZoneNames{
    "maritime temperate, over sea", "equatorial", "continental sub-tropical", "maritime sub-tropical", "desert",
    "continental temperate", "maritime temperate, over land",
};

void checkCode(int zoneCode) {
    if (zoneCode < kMinZoneCode || zoneCode > kMaxZoneCode)
        throw std::out_of_range("climate zone code " + std::to_string(zoneCode) + " (allowed: 0 to 6)");
}

}  // namespace

int climateZoneOption(int zoneCode) {
    checkCode(zoneCode);
    return zoneCode == 0 ? kSeaZoneOption : zoneCode;
}

std::string_view zoneName(int zoneCode) {
    checkCode(zoneCode);
    return kZoneNames[static_cast<std::size_t>(zoneCode)];
}

}  // namespace tropolink::climate
