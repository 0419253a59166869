#include "climate/synthetic_maps.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace tropolink::climate {
namespace {

std::string number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

void writeWhole(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::path partial = file;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.close();
        if (!out)
            throw std::filesystem::filesystem_error("cannot write", partial,
                                                    std::make_error_code(std::errc::io_error));
    }
    std::filesystem::rename(partial, file);
}

}  // namespace

double syntheticValue(MapKind kind) {
    switch (kind) {
        case MapKind::N0:
            return 310;
        case MapKind::DeltaN:
        case MapKind::DnMedian:
            return 40;
        case MapKind::Zone:
            return 6;
        case MapKind::DnSupSlope:
            return 20;
        case MapKind::DnSubSlope:
            return 15;
        case MapKind::Dndz01:
            return -400;
        case MapKind::SurfaceWaterVapour:
            return 10;
        case MapKind::ZeroDegreeHeight:
            return 3;
        case MapKind::RainPr6:
            return 30;
        case MapKind::RainMt:
            return 800;
        case MapKind::RainBeta:
            return 0.3;
        case MapKind::FoEs0p1:
            return 10;
        case MapKind::FoEs1:
            return 7;
        case MapKind::FoEs10:
            return 4.5;
        case MapKind::FoEs50:
            break;
    }
    return 3;
}

std::string gridText(int rows, int columns, const std::function<double(int, int)>& value, std::string_view lineEnd) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0) text += ' ';
            text += number(value(r, c));
        }
        text += lineEnd;
    }
    return text;
}

std::string mapText(MapKind kind, const std::function<double(int, int)>& value) {
    const MapFormat& f = mapFormat(kind);
    return gridText(f.rows, f.columns, value);
}

std::string constantMapText(MapKind kind, double value) {
    return mapText(kind, [value](int, int) { return value; });
}

std::string constantMapText(MapKind kind) { return constantMapText(kind, syntheticValue(kind)); }

std::string variedMapText(MapKind kind) {
    const MapFormat& f = mapFormat(kind);
    const double low = f.wholeNumbers ? 0 : f.minValue + 0.3 * (f.maxValue - f.minValue);
    const double step = f.wholeNumbers ? 1 : 0.4 * (f.maxValue - f.minValue) / 997;
    std::string text;
    char value[40];
    for (int r = 0; r < f.rows; ++r) {
        for (int c = 0; c < f.columns; ++c) {
            const double v = f.wholeNumbers ? (r + c) % 7 : low + step * ((r * 7 + c * 13) % 997);
            std::snprintf(value, sizeof value, f.wholeNumbers ? "%s%.0f" : "%s%.6f", c > 0 ? " " : "", v);
            text += value;
        }
        text += "\r\n";
    }
    return text;
}

void writeSyntheticMaps(const std::filesystem::path& folder, std::span<const MapKind> kinds, SyntheticFill fill,
                        ExistingMaps existing) {
    std::filesystem::create_directories(folder);
    for (const MapKind kind : kinds) {
        if (existing == ExistingMaps::Replace) break;
        const std::filesystem::path file = folder / std::string(mapFormat(kind).fileName);
        if (std::filesystem::exists(file))
            throw std::filesystem::filesystem_error("already holds a map, which is left alone", file,
                                                    std::make_error_code(std::errc::file_exists));
    }
    for (const MapKind kind : kinds)
        writeWhole(folder / std::string(mapFormat(kind).fileName),
                   fill == SyntheticFill::Constant ? constantMapText(kind) : variedMapText(kind));
}

}  // namespace tropolink::climate
