#include "validation_files.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tropolink::p2001::testing_support {
namespace fs = std::filesystem;
namespace {

std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) {
        if (!field.empty() && field.back() == '\r') field.pop_back();
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

double parse(const std::string& text, const fs::path& file, std::size_t line) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') {
        throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": not a number: '" + text + "'");
    }
    return v;
}

// Header lines "key,value,", then "Points,N", then N lines "d,h,zone".
void readProfile(const fs::path& file, PathInput& path) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    std::string line;
    std::size_t lineNo = 0;
    std::size_t points = 0;
    while (points == 0 && std::getline(in, line)) {
        ++lineNo;
        const std::vector<std::string> f = splitCsv(line);
        if (f.size() < 2) continue;
        if (f[0] == "TxCoordE") path.tx.lonDeg = parse(f[1], file, lineNo);
        if (f[0] == "TxCoordN") path.tx.latDeg = parse(f[1], file, lineNo);
        if (f[0] == "RxCoordE") path.rx.lonDeg = parse(f[1], file, lineNo);
        if (f[0] == "RxCoordN") path.rx.latDeg = parse(f[1], file, lineNo);
        if (f[0] == "Points") points = static_cast<std::size_t>(parse(f[1], file, lineNo));
    }
    while (path.distanceKm.size() < points && std::getline(in, line)) {
        ++lineNo;
        const std::vector<std::string> f = splitCsv(line);
        if (f.size() < 3)
            throw std::runtime_error(file.string() + ":" + std::to_string(lineNo) + ": expected d,h,zone");
        path.distanceKm.push_back(parse(f[0], file, lineNo));
        path.heightM.push_back(parse(f[1], file, lineNo));
        path.zone.push_back(static_cast<int>(parse(f[2], file, lineNo)));
    }
    if (points == 0 || path.distanceKm.size() != points) {
        throw std::runtime_error(file.string() + ": expected " + std::to_string(points) + " points");
    }
}

ValidationTable readTable(const fs::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    ValidationTable t;
    t.file = file;
    std::string line;
    std::getline(in, line);
    t.header = splitCsv(line);
    while (std::getline(in, line)) {
        if (line.empty() || line == "\r") continue;
        t.rows.push_back(splitCsv(line));
        if (t.rows.back().size() != t.header.size()) {
            throw std::runtime_error(file.string() + ":" + std::to_string(t.rows.size() + 1) + ": " +
                                     std::to_string(t.rows.back().size()) + " fields, header has " +
                                     std::to_string(t.header.size()));
        }
    }
    return t;
}

}  // namespace

std::size_t ValidationTable::column(const std::string& name) const {
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (header[i] == name) return i;
    }
    throw std::runtime_error(file.string() + ": no column " + name);
}

double ValidationTable::number(std::size_t row, const std::string& name) const {
    return parse(rows[row][column(name)], file, row + 2);
}

std::optional<fs::path> validationFolder() {
    const fs::path folder = TROPOLINK_P2001_VALIDATION_DIR;
    if (!fs::is_directory(folder)) return std::nullopt;
    return folder;
}

RainPoints readRainPoints(const std::string& name) {
    const fs::path sheet = fs::path(TROPOLINK_P2001_VALIDATION_DIR).parent_path() / "itu-p2001.md";
    std::ifstream in(sheet);
    if (!in) throw std::runtime_error(sheet.string() + ": cannot be read");
    // Rows "| path | point | lon | lat | P_r6 | M_T | beta_rain | h_0 |".
    const std::array<std::pair<std::string, RainMapValues RainPoints::*>, 3> points{{
        {"mid-point", &RainPoints::mid},
        {"Tx\u2192cv mid-point", &RainPoints::txSegment},
        {"Rx\u2192cv mid-point", &RainPoints::rxSegment},
    }};
    RainPoints rain;
    int found = 0;
    std::string line;
    for (std::size_t lineNo = 1; std::getline(in, line); ++lineNo) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');) {
            const auto first = cell.find_first_not_of(' ');
            const auto last = cell.find_last_not_of(' ');
            cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
        }
        if (cells.size() != 9 || cells[1] != name) continue;
        for (const auto& [label, member] : points) {
            if (cells[2] != label) continue;
            rain.*member = {parse(cells[5], sheet, lineNo), parse(cells[6], sheet, lineNo),
                            parse(cells[7], sheet, lineNo), parse(cells[8], sheet, lineNo)};
            ++found;
        }
    }
    if (found != 3) throw std::runtime_error(sheet.string() + ": no rain-map rows for " + name);
    return rain;
}

ValidationCase readValidationCase(const fs::path& folder, const std::string& name) {
    ValidationCase c;
    c.name = name;
    readProfile(folder / ("Validation_examples_ITU-R_P_2001_" + name + "_profile.csv"), c.path);
    c.table = readTable(folder / ("p2001-4_" + name + "_results_all_columns.csv"));
    c.path.tx.antennaHeightM = c.table.number(0, "Htg");
    c.path.rx.antennaHeightM = c.table.number(0, "Hrg");
    c.path.tx.gainDbi = c.table.number(0, "Grt");
    c.path.rx.gainDbi = c.table.number(0, "Grx");
    c.path.polarisation = c.table.number(0, "FlagVp") == 1 ? Polarisation::Vertical : Polarisation::Horizontal;
    return c;
}

}  // namespace tropolink::p2001::testing_support
