#pragma once

#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdlib.h>
#include <string>
#include <utility>
#include <vector>

#include "climate/synthetic_maps.h"

namespace tropolink::climate::testing {

// Synthetic maps in the ITU's text form: the real ones may not be copied.

// N0 and ΔN are bilinear in the fractional row r and column c, so that the
// bilinear lookup gives them exactly between grid points.
inline double planeN0(double r, double c) { return 300 + 0.5 * r + 0.25 * c + 0.001 * r * c; }
inline double planeDeltaN(double r, double c) { return 40 + 0.1 * r + 0.2 * c; }

inline std::string number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

using climate::gridText;

inline std::string n0Text() { return gridText(121, 241, [](int r, int c) { return planeN0(r, c); }); }
inline std::string deltaNText() { return gridText(121, 241, [](int r, int c) { return planeDeltaN(r, c); }); }

// Zone `fill` everywhere but in the cells of `land`, given as (row, column).
inline std::string zoneText(int fill = 0, const std::vector<std::pair<std::pair<int, int>, int>>& land = {}) {
    return gridText(360, 720, [&](int r, int c) {
        for (const auto& [cell, code] : land)
            if (cell.first == r && cell.second == c) return double(code);
        return double(fill);
    });
}

inline void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) return {};
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// A fresh, empty folder under the system's temporary folder, removed with it.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "climate-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace tropolink::climate::testing
