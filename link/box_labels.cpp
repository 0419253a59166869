#include "link/box_labels.h"

namespace tropolink {
namespace {

constexpr std::string_view kLineOfSightWords = "Line of Sight";
constexpr std::string_view kNoDataWords = "No Data";

constexpr std::array<BoxLabel, kResultBoxCount> kLabels{{
    {"Antenna height, station 1", "m", ""},
    {"Obstruction height, station 1", "m", ""},
    {"Obstruction distance, station 1", "km", ""},
    {"Tx power, station 1", "W", ""},
    {"Tx line loss, station 1", "dB", ""},
    {"Rx noise figure, station 1", "dB", ""},
    {"Rx line loss, station 1", "dB", ""},
    {"Antenna gain, station 1", "dBi", ""},
    {"Antenna noise temperature, station 1", "K", ""},
    {"Rx bandwidth, station 1", "Hz", ""},
    {"Antenna height, station 2", "m", ""},
    {"Obstruction height, station 2", "m", ""},
    {"Obstruction distance, station 2", "km", ""},
    {"Tx power, station 2", "W", ""},
    {"Tx line loss, station 2", "dB", ""},
    {"Rx noise figure, station 2", "dB", ""},
    {"Rx line loss, station 2", "dB", ""},
    {"Antenna gain, station 2", "dBi", ""},
    {"Antenna noise temperature, station 2", "K", ""},
    {"Rx bandwidth, station 2", "Hz", ""},
    {"Frequency", "MHz", ""},
    {"Distance", "km", ""},
    {"N value at sea level", "N-units", ""},
    {"Rx sensitivity, station 1", "dBW", ""},
    {"Rx sensitivity, station 2", "dBW", ""},
    {"Path loss, YEH", "dB", kLineOfSightWords},
    {"Path loss, ITT", "dB", "Out of Range, Line of Sight"},
    {"Path loss, CCIR", "dB", kLineOfSightWords},
    {"Path loss, COLLINS", "dB", "Out of Range, Line of Sight"},
    {"S/N at station 1, YEH", "dB", ""},
    {"S/N at station 1, ITT", "dB", kNoDataWords},
    {"S/N at station 1, CCIR", "dB", ""},
    {"S/N at station 1, COLLINS", "dB", kNoDataWords},
    {"S/N at station 2, YEH", "dB", ""},
    {"S/N at station 2, ITT", "dB", kNoDataWords},
    {"S/N at station 2, CCIR", "dB", ""},
    {"S/N at station 2, COLLINS", "dB", kNoDataWords},
    {"Scattering angle", "deg", ""},
    {"Take-off angle, station 1", "deg", "horizon limited"},
    {"Take-off angle, station 2", "deg", "horizon limited"},
    {"3 dB beamwidth, antenna 1", "deg", ""},
    {"3 dB beamwidth, antenna 2", "deg", ""},
    {"Line-of-sight loss", "dB", "Not LOS"},
    {"Aperture/medium coupling loss, YEH", "dB", ""},
    {"Aperture/medium coupling loss, CCIR", "dB", ""},
    {"Path loss, RIDER", "dB", "out of range, Line of Sight"},
    {"S/N at station 1, RIDER", "dB", kNoDataWords},
    {"S/N at station 2, RIDER", "dB", kNoDataWords},
    {"Average loss, YEH/CCIR/COLLINS", "dB", "a line-of-sight loss followed by \" - LOS\""},
    {"Atmospheric attenuation, not included in the losses", "dB", ""},
    {"Distance in miles", "miles", ""},
    {"Perfect duct loss", "dB", ""},
}};

using LabelTexts = std::array<std::string, kResultBoxCount>;

LabelTexts labelTexts(bool powerDividedBy1000) {
    LabelTexts texts;
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        const BoxLabel& b = kLabels[i];
        const bool power = b.unit == "W";
        texts[i] = std::string(b.label) + " (" + std::string(power && powerDividedBy1000 ? "mW" : b.unit) + ")";
    }
    return texts;
}

}  // namespace

const std::array<BoxLabel, kResultBoxCount>& boxLabels() { return kLabels; }

const std::string& labelWithUnit(ResultBox box, bool powerDividedBy1000) {
    static const LabelTexts watts = labelTexts(false);
    static const LabelTexts milliwatts = labelTexts(true);
    return (powerDividedBy1000 ? milliwatts : watts)[static_cast<std::size_t>(boxNumber(box) - 1)];
}

}  // namespace tropolink
