#include "climate/map_reader.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <vector>

#include "io/input_file.h"

namespace tropolink::climate {
namespace {

// Long or binary fields are cut short in messages, so that each stays one
// readable line.
constexpr std::size_t kMaxQuotedChars = 32;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string printable(std::string_view field) {
    std::string out;
    for (const char c : field.substr(0, kMaxQuotedChars)) out += (c >= 0x20 && c < 0x7f) ? c : '?';
    if (field.size() > kMaxQuotedChars) out += "...";
    return out;
}

std::string shapeAllowed(const MapFormat& format) {
    return std::to_string(format.rows) + " rows of " + std::to_string(format.columns) + " values";
}

// The lines of the file without the blank ones after the last row.
std::vector<std::string_view> gridLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(trim(text.substr(0, end)));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

void splitValues(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
}

double readValue(std::string_view field, const MapFormat& format, std::string_view fileName, long row, long column) {
    std::string_view digits = field;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const bool parsed = end == digits.data() + digits.size() && (ec == std::errc{} || ec == std::errc::result_out_of_range);
    if (!parsed || std::isnan(value))
        throw MapError(std::string(fileName), row, column, "\"" + printable(field) + "\" is not a number",
                       std::string(format.allowedValues));
    if (ec == std::errc::result_out_of_range || !(value >= format.minValue && value <= format.maxValue))
        throw MapError(std::string(fileName), row, column, printable(field) + " is out of range",
                       std::string(format.allowedValues));
    if (format.wholeNumbers && value != std::floor(value))
        throw MapError(std::string(fileName), row, column, printable(field) + " is not a whole number",
                       std::string(format.allowedValues));
    return value;
}

}  // namespace

Grid readGrid(std::string_view text, const MapFormat& format, std::string_view fileName) {
    const std::vector<std::string_view> lines = gridLines(text);
    if (lines.size() != static_cast<std::size_t>(format.rows))
        throw MapError(std::string(fileName), 0, 0, std::to_string(lines.size()) + " rows", shapeAllowed(format));

    Grid grid{format.rows, format.columns, {}};
    grid.values.reserve(static_cast<std::size_t>(format.rows) * static_cast<std::size_t>(format.columns));
    std::vector<std::string_view> fields;
    fields.reserve(static_cast<std::size_t>(format.columns));
    long row = 0;
    for (const std::string_view line : lines) {
        ++row;
        splitValues(line, fields);
        if (fields.size() != static_cast<std::size_t>(format.columns))
            throw MapError(std::string(fileName), row, 0, std::to_string(fields.size()) + " values",
                           shapeAllowed(format));
        long column = 0;
        for (const std::string_view field : fields) grid.values.push_back(readValue(field, format, fileName, row, ++column));
    }
    return grid;
}

Grid readMap(MapKind kind, std::string_view text, std::string_view fileName) {
    const MapFormat& format = mapFormat(kind);
    return readGrid(text, format, fileName.empty() ? format.fileName : fileName);
}

std::optional<std::string> readFileBytes(const std::filesystem::path& file) {
    try {
        return readWholeFile(file.string(), kMaxMapFileBytes);
    } catch (const InputFileError&) {
        return std::nullopt;
    }
}

Grid readMapFile(MapKind kind, const std::filesystem::path& file) {
    std::string text;
    try {
        text = readWholeFile(file.string(), kMaxMapFileBytes);
    } catch (const InputFileError& e) {
        throw MapError(printablePath(file.string()), 0, 0, "cannot be read: " + std::string(e.what()),
                       "a readable text file of at most " + byteSizeText(kMaxMapFileBytes));
    }
    return readMap(kind, text, file.string());
}

}  // namespace tropolink::climate
