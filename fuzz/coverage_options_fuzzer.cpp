// Feeds arbitrary bytes to the readers of a coverage map's texts: the first
// byte picks the site, the radius, the cell size, the sector, the method, the
// polarisation, the frequency or a gain, the rest is the text. An accepted value lies in its range and reads back the same from
// its shortest text; a refusal is one printable line that names the option
// and says what is allowed.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "coverage/coverage_options.h"
#include "fuzz/fuzz_checks.h"
#include "grammar/input_error.h"
#include "terrain/terrain_error.h"

namespace {

using tropolink::fuzz::isPlainAscii;
using tropolink::fuzz::require;
using namespace tropolink::coverage;

// Fixed notation, as the grammar reads it: 1e-300 takes over 300 characters.
std::string shortest(double value) {
    char text[512];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return std::string(text, end);
}

void checkRefusal(const std::string& message, std::string_view option) {
    require(message.rfind(std::string(option) + " ", 0) == 0, "names the option");
    require(message.find("(allowed: ") != std::string::npos, "says what is allowed");
    require(message.size() < 400, "short");
    require(isPlainAscii(message), "one printable line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int which = data[0] % 8;
    constexpr std::string_view kOptions[] = {"--site",   "--radius-km",    "--cell-m",        "--sector",
                                             "--method", "--polarisation", "--frequency-mhz", "--s1-gain-dbi"};
    const std::string_view option = kOptions[which];
    try {
        switch (which) {
            case 0: {
                const tropolink::terrain::Site site = parseCoverageSite(text);
                require(std::fabs(site.latDeg) <= 90 && std::fabs(site.lonDeg) <= 180, "site in range");
                break;
            }
            case 1: {
                const double km = parseRadiusKm(text);
                require(km >= 1 && km <= kMaxRadiusKm, "radius in range");
                require(parseRadiusKm(shortest(km)) == km, "radius reads back");
                break;
            }
            case 2: {
                const double m = parseCellM(text);
                require(m >= kMinCellM && m <= kMaxCellM, "cell in range");
                require(parseCellM(shortest(m)) == m, "cell reads back");
                break;
            }
            case 4:
                require(methodName(parseMethod(text)) == text, "a method reads back as its name");
                break;
            case 5:
                require(text == (parsePolarisation(text) == tropolink::p2001::Polarisation::Vertical ? "vertical"
                                                                                                      : "horizontal"),
                        "a polarisation is its name");
                break;
            case 6:
            case 7: {
                const tropolink::NumberOption& number = which == 6 ? kFrequencyOption : kGain1Option;
                const double value = tropolink::readNumberOption(number, text);
                require(value >= (which == 6 ? 30 : -20) && value <= (which == 6 ? 50000 : 80), "in range");
                require(tropolink::readNumberOption(number, shortest(value)) == value, "reads back");
                break;
            }
            default: {
                const Sector sector = parseSector(text);
                require(sector.azimuthDeg >= 0 && sector.azimuthDeg <= 360, "azimuth in range");
                require(sector.widthDeg > 0 && sector.widthDeg <= 360, "width in range");
                const Sector again = parseSector(shortest(sector.azimuthDeg) + "," + shortest(sector.widthDeg));
                require(again.azimuthDeg == sector.azimuthDeg && again.widthDeg == sector.widthDeg, "sector reads back");
                require(sector.contains(sector.azimuthDeg), "the centre lies in the sector");
                break;
            }
        }
    } catch (const tropolink::InputError& e) {
        checkRefusal(e.what(), option);
    } catch (const tropolink::terrain::TerrainError& e) {
        require(which == 0, "only the site is refused by the terrain");
        checkRefusal(e.what(), option);
    }
    return 0;
}
