#include "cli/maps_run.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/maps_status.h"
#include "climate/download.h"
#include "climate/import.h"
#include "climate/lookup.h"
#include "climate/map_error.h"
#include "climate/maps_folder.h"
#include "climate/maps_service.h"
#include "climate/zones.h"
#include "grammar/number_text.h"
#include "io/input_file.h"
#include "terrain/site.h"
#include "terrain/terrain_error.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Six decimals are finer than the maps themselves are given.
constexpr int kTextDecimals = 6;
// A terminal line rewritten more often than this only flickers.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

std::optional<fs::path> mapsOption(const MapsRequest& request) {
    if (request.mapsFolder.empty()) return std::nullopt;
    return fs::path(request.mapsFolder.front());
}

// `value` to six decimals, without the zeros that end it.
void appendRounded(std::string& out, double value) {
    std::string text;
    appendFixed(text, value, kTextDecimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    out += text;
}

// One line on standard error, rewritten as the bytes arrive; a new line
// for each address.
class TerminalProgress {
public:
    void operator()(std::string_view url, std::int64_t received, std::int64_t total) {
        const auto now = Clock::now();
        const bool newUrl = url != url_;
        if (!newUrl && received == received_ && total == total_) return;
        if (!newUrl && received != total && now - shown_ < kProgressInterval) return;
        if (newUrl && !url_.empty()) std::fputs("\n", stderr);
        url_ = url;
        received_ = received;
        total_ = total;
        shown_ = now;
        std::fprintf(stderr, "\r%s\033[K", downloadProgressLine(url, received, total).c_str());
        std::fflush(stderr);
    }
    ~TerminalProgress() {
        if (!url_.empty()) std::fputs("\n", stderr);
    }

private:
    std::string url_;
    std::int64_t received_ = -1;
    std::int64_t total_ = -1;
    Clock::time_point shown_{};
};

RunResult flushed(Output& out) {
    if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    return {};
}

RunResult runImport(const MapsRequest& request, Output& out) {
    const std::vector<fs::path> files(request.files.begin(), request.files.end());
    const climate::ImportResult result = climate::importMaps(files, climate::installMapsFolder(mapsOption(request)));
    out.buffer() += climate::describeImport(result) + "\n";
    return flushed(out);
}

RunResult runDownload(const MapsRequest& request, Output& out) {
    const fs::path folder = climate::installMapsFolder(mapsOption(request));
    climate::ImportResult result;
    if (::isatty(STDERR_FILENO) == 1) {
        TerminalProgress progress;
        result = climate::downloadMaps(request.urls, folder, std::ref(progress));
    } else {
        result = climate::downloadMaps(request.urls, folder);
    }
    out.buffer() += climate::describeImport(result) + "\n";
    return flushed(out);
}

RunResult runStatus(const MapsRequest& request, Output& out) {
    const MapsReport report = mapsReport(climate::candidateMapsFolders(mapsOption(request)));
    if (request.json)
        appendMapsReportJson(out.buffer(), report);
    else
        appendMapsReportText(out.buffer(), report);
    return flushed(out);
}

// The complete P.2001 method's maps beyond the zone, which the lines before give.
std::vector<climate::MapKind> p2001OwnMaps() {
    std::vector<climate::MapKind> kinds;
    for (const climate::MapKind kind : climate::kP2001AllMaps)
        if (kind != climate::MapKind::Zone) kinds.push_back(kind);
    return kinds;
}

void appendP2001Text(std::string& out, const climate::MapSet& maps, terrain::Site site) {
    for (const climate::MapKind kind : p2001OwnMaps()) {
        const climate::MapFormat& format = climate::mapFormat(kind);
        out += std::string(format.fileName) + ": ";
        appendRounded(out, maps.at(kind, {site.latDeg, site.lonDeg}));
        out += format.unit.empty() ? "\n" : " " + std::string(format.unit) + "\n";
    }
}

void appendAtText(std::string& out, terrain::Site site, const climate::ClimateValues& v, const fs::path& folder,
                  const climate::MapSet* p2001) {
    out += "N0: ";
    appendRounded(out, v.n0);
    out += " N-units\ndelta-N: ";
    appendRounded(out, v.deltaN);
    out += " N-units/km\nzone: " + std::to_string(v.zoneCode) + ", " + std::string(climate::zoneName(v.zoneCode)) +
           " (--climate-zone " + std::to_string(climate::climateZoneOption(v.zoneCode)) + ")\n";
    if (p2001 != nullptr) appendP2001Text(out, *p2001, site);
    out += "maps folder: " + folder.string() + "\n";
    if (p2001 != nullptr && p2001->folder() != folder) out += "P.2001 maps folder: " + p2001->folder().string() + "\n";
}

void appendAtJson(std::string& out, terrain::Site site, const climate::ClimateValues& v, const fs::path& folder,
                  const climate::MapSet* p2001) {
    using Json = nlohmann::ordered_json;
    Json object;
    object["latitude"] = site.latDeg;
    object["longitude"] = site.lonDeg;
    object["n0"] = v.n0;
    object["deltaN"] = v.deltaN;
    object["zoneCode"] = v.zoneCode;
    object["zoneName"] = climate::zoneName(v.zoneCode);
    object["climateZone"] = climate::climateZoneOption(v.zoneCode);
    object["mapsFolder"] = folder.string();
    // The complete P.2001 method's values by file name; null where its maps are not installed.
    object["p2001All"] = nullptr;
    if (p2001 != nullptr) {
        for (const climate::MapKind kind : p2001OwnMaps())
            object["p2001All"][std::string(climate::mapFormat(kind).fileName)] =
                p2001->at(kind, {site.latDeg, site.lonDeg});
        object["p2001AllFolder"] = p2001->folder().string();
    }
    out += object.dump(-1, ' ', false, Json::error_handler_t::replace);
    out += '\n';
}

RunResult runAt(const MapsRequest& request, Output& out) {
    const terrain::Site site = terrain::parseSite(request.point, "maps at");
    std::shared_ptr<const climate::MapSet> maps;
    try {
        maps = climate::MapsService::shared().require(climate::MapSetId::Climate, mapsOption(request));
    } catch (const climate::InstallError& e) {
        throw climate::InstallError(std::string(e.what()) + "; " + std::string(climate::kMapsInstallHint));
    }
    const climate::ClimateValues values = climate::lookupAll(*maps, {site.latDeg, site.lonDeg});
    // The complete method's maps are shown when present; a named folder need not hold them.
    const auto p2001 = climate::MapsService::shared().find(climate::MapSetId::P2001All,
                                                           climate::candidateMapsFolders(mapsOption(request)));
    if (request.json) {
        appendAtJson(out.buffer(), site, values, maps->folder(), p2001.get());
    } else {
        appendAtText(out.buffer(), site, values, maps->folder(), p2001.get());
    }
    return flushed(out);
}

}  // namespace

std::string downloadProgressLine(std::string_view url, std::int64_t receivedBytes, std::int64_t totalBytes) {
    std::string line = printablePath(url);
    line += ": " + std::to_string(receivedBytes);
    if (totalBytes > 0) line += " of " + std::to_string(totalBytes);
    return line + " bytes";
}

RunResult runMaps(const MapsRequest& request, Output& out) {
    if (request.mapsFolder.size() > 1)
        return {kExitBadInput, diagnostic("--maps " + request.mapsFolder[1] + ": --maps given twice (allowed: one folder)")};
    if (!request.mapsFolder.empty() && request.mapsFolder.front().empty())
        return {kExitBadInput, diagnostic("--maps \"\": empty (allowed: a folder)")};
    try {
        switch (request.action) {
            case MapsAction::Import:
                return runImport(request, out);
            case MapsAction::Download:
                return runDownload(request, out);
            case MapsAction::Status:
                return runStatus(request, out);
            case MapsAction::At:
                break;
        }
        return runAt(request, out);
    } catch (const climate::DownloadError& e) {
        return {kExitIoError, diagnostic(e.what())};
    } catch (const climate::InstallError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const climate::MapError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const terrain::TerrainError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }
}

}  // namespace tropolink::cli
