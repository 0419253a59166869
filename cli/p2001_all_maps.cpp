#include <filesystem>

#include "cli/p2001_all_run.h"
#include "climate/map_error.h"
#include "climate/maps_service.h"
#include "link/p2001_maps.h"

namespace tropolink::cli {

RunResult loadP2001AllMaps(const std::optional<std::string>& mapsOption, P2001AllMaps& maps) {
    const std::optional<std::filesystem::path> option =
        mapsOption ? std::optional<std::filesystem::path>(*mapsOption) : std::nullopt;
    try {
        const auto set = requireP2001Maps(option);
        maps.source = set->folder().string();
        maps.read = p2001MapReader(set);
    } catch (const climate::MapError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const climate::InstallError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }
    return {};
}

}  // namespace tropolink::cli
