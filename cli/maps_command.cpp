#include "cli/maps_command.h"

#include <array>
#include <string>
#include <utility>

namespace tropolink::cli {
namespace {

constexpr std::string_view kAllowedMaps = " (allowed: import, download, status, at, --maps DIR, --help)";
constexpr std::string_view kAllowedImport = " (allowed: FILE..., --maps DIR, --help)";
constexpr std::string_view kAllowedDownload = " (allowed: --url URL, --maps DIR, --help)";
constexpr std::string_view kAllowedStatus = " (allowed: --json, --maps DIR, --help)";
constexpr std::string_view kAllowedAt = " (allowed: LAT,LON, --json, --maps DIR, --help)";

constexpr std::string_view kMapsHelp = R"(
The ITU-R digital maps: N0 and delta-N (N050.TXT, DN50.TXT, in the ZIP of
ITU-R P.1812 or P.452) and the climate zones (TropoClim.txt, in the ZIP of
ITU-R P.2001). The ITU does not allow them to be redistributed: download them
from the ITU with `maps download`, or import the ZIPs you downloaded yourself.
The maps folder: --maps DIR (before or after the subcommand); else lookups try
$TROPOLINK_MAPS, $XDG_DATA_HOME/tropolink/itu-r (~/.local/share/tropolink/itu-r)
and /usr/share/tropolink/itu-r, in that order, and take the first holding all
three maps; import and download write to --maps DIR or else the XDG folder.
Exit status: 0 done, 1 a download failed (network, server) or standard output
failed, 2 a refused input (a map, a file, a ZIP without the maps, a maps folder
that cannot be written, coordinates, missing maps for `at`); a failure
installs nothing and prints one line on standard error.
)";

constexpr std::string_view kImportHelp = R"(
Each FILE is a ZIP as the ITU publishes it (searched at any depth, also in ZIPs
within it, for the map names in any letter case) or N050.TXT, DN50.TXT or
TropoClim.txt itself. Every map found is checked before any is written; a
refused one names the file, row and column, and leaves the maps already
installed as they were. Prints what was installed where and what is missing.
)";

constexpr std::string_view kDownloadHelp = R"(
Fetches the ZIPs of ITU-R P.1812-7 and P.2001-5 from www.itu.int over HTTPS,
following redirects, then imports them as `maps import` does. A connection is
given up after 30 s, a transfer after 60 s without data. On a terminal,
standard error shows the bytes received of each address. A failed download
names the address and the reason, installs nothing and gives exit status 1;
content that holds no map or a refused map gives exit status 2.
)";

constexpr std::string_view kStatusHelp = R"(
Prints the folders looked in, the maps folder (the first holding all three
maps, else the first holding any) and for each map: missing, valid or refused
with the reason; its path, size, SHA-256, grid and range of values.
--json: one object {"lookedIn": [...], "folder", "ready", "maps": [{"file",
"present", "valid", "path", "sizeBytes", "sha256", "rows", "columns",
"minValue", "maxValue", "problem"}, ...]} (null where unknown).
)";

constexpr std::string_view kAtHelp = R"(
LAT,LON in decimal degrees, latitude -90 to 90, longitude -180 to 180. Prints
N0 (N-units) and delta-N (N-units/km), bilinear between the 1.5 degree grid
points, and the climate zone of the nearest 0.5 degree cell: its map code
0 to 6, its name and the --climate-zone it stands for (code 0, sea, is 7).
--json: one object {"latitude", "longitude", "n0", "deltaN", "zoneCode",
"zoneName", "climateZone", "mapsFolder"}, numbers at full precision.
)";

constexpr std::string_view kMapsOptionNote = "--maps DIR, the maps folder, is an option of `maps` (see its --help).\n";

std::string footer(std::string_view text) { return std::string(text.substr(1)); }
std::string subFooter(std::string_view text) { return footer(text) + std::string(kMapsOptionNote); }

}  // namespace

CLI::App* addMapsCommand(CLI::App& app, MapsRequest& r) {
    auto* maps = app.add_subcommand("maps", "Install, check and look up the ITU-R maps of N0, delta-N and climate zones");
    maps->require_subcommand(1);
    maps->add_option("--maps", r.mapsFolder, "The maps folder (default: the search below)")
        ->type_name("DIR")
        ->option_text("DIR")
        ->allow_extra_args(false);
    maps->footer(footer(kMapsHelp));

    auto* import = maps->add_subcommand("import", "Install the maps from the Recommendations' ZIPs or the map files");
    import->add_option("file", r.files, "A ZIP, or N050.TXT, DN50.TXT or TropoClim.txt")->type_name("FILE")->required();
    import->footer(subFooter(kImportHelp));

    auto* download = maps->add_subcommand("download", "Download the Recommendations' ZIPs from the ITU and import them");
    download->add_option("--url", r.urls, "Fetch URL instead of the ITU's addresses (repeatable)")
        ->type_name("URL")
        ->allow_extra_args(false);
    download->footer(subFooter(kDownloadHelp));

    auto* status = maps->add_subcommand("status", "Each map's path, size, SHA-256, grid, values and validity");
    status->add_flag("--json", r.json, "One JSON object instead of the text");
    status->footer(subFooter(kStatusHelp));

    auto* at = maps->add_subcommand("at", "N0, delta-N and the climate zone at one point");
    at->add_option("point", r.point, "Latitude and longitude, decimal degrees")->type_name("LAT,LON")->required();
    at->add_flag("--json", r.json, "One JSON object instead of the text");
    at->footer(subFooter(kAtHelp));

    const std::array<std::pair<CLI::App*, MapsAction>, 4> actions{
        {{import, MapsAction::Import}, {download, MapsAction::Download}, {status, MapsAction::Status}, {at, MapsAction::At}}};
    for (const auto& [sub, action] : actions) {
        sub->fallthrough();  // --maps after the subcommand
        sub->callback([&r, action = action] { r.action = action; });
    }
    return maps;
}

std::string_view mapsAllowedArguments(const CLI::App& maps) {
    const std::array<std::pair<const char*, std::string_view>, 4> allowed{
        {{"import", kAllowedImport}, {"download", kAllowedDownload}, {"status", kAllowedStatus}, {"at", kAllowedAt}}};
    for (const auto& [name, text] : allowed)
        if (maps.get_subcommand(name)->parsed()) return text;
    return kAllowedMaps;
}

}  // namespace tropolink::cli
