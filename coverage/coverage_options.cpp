#include "coverage/coverage_options.h"

#include <cmath>
#include <string>

#include "grammar/input_error.h"
#include "grammar/number_text.h"
#include "itur/method_names.h"

namespace tropolink::coverage {
namespace {

constexpr std::string_view kMethods = "p2001-all, p617 or p2001-troposcatter";
constexpr std::string_view kSectorForm = "AZIMUTH,WIDTH in degrees: azimuth 0 to 360, width above 0 up to 360";

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

void requireInRange(const NumberOption& option, double value, double minimum, double maximum) {
    if (!(value >= minimum && value <= maximum)) {
        std::string shown;
        appendShortest(shown, value);
        throw InputError(std::string(option.name) + " " + shown, "out of range", allowedValues(option));
    }
}

bool Sector::contains(double cellAzimuthDeg) const {
    // The angle between the two directions, 0 to 180.
    const double apart = std::fabs(std::remainder(cellAzimuthDeg - azimuthDeg, 360.0));
    return apart <= widthDeg / 2;
}

terrain::Site parseCoverageSite(std::string_view text) { return terrain::parseSite(text, "--site"); }

double parseRadiusKm(std::string_view text) { return readNumberOption(kRadiusOption, text); }

double parseCellM(std::string_view text) { return readNumberOption(kCellOption, text); }

Sector parseSector(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos)
        throw InputError("--sector " + std::string(text), "not two numbers", kSectorForm);
    Sector sector;
    sector.azimuthDeg = readNumberOption(kSectorAzimuthOption, trimBlanks(text.substr(0, comma)));
    const std::string_view width = trimBlanks(text.substr(comma + 1));
    sector.widthDeg = readNumberOption(kSectorWidthOption, width);
    if (sector.widthDeg == 0) throw InputError("--sector width " + std::string(width), "no width", kSectorForm);
    return sector;
}

MethodChoice parseMethod(std::string_view text, std::string_view option) {
    for (const MethodChoice m : {MethodChoice::P2001All, MethodChoice::P617, MethodChoice::P2001Troposcatter})
        if (text == methodName(m)) return m;
    throw InputError(std::string(option) + " " + std::string(text), "no such method", kMethods);
}

std::string_view methodName(MethodChoice method) {
    switch (method) {
        case MethodChoice::P2001All: return itur::methodNames(itur::ItuMethod::P2001All).cli;
        case MethodChoice::P617: return "p617";
        case MethodChoice::P2001Troposcatter: return "p2001-troposcatter";
    }
    return "";
}

p2001::Polarisation parsePolarisation(std::string_view text, std::string_view option) {
    if (text == "vertical") return p2001::Polarisation::Vertical;
    if (text == "horizontal") return p2001::Polarisation::Horizontal;
    throw InputError(std::string(option) + " " + std::string(text), "no such polarisation", "vertical or horizontal");
}

}  // namespace tropolink::coverage
