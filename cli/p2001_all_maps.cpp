#include "cli/p2001_all_run.h"

namespace tropolink::cli {

RunResult loadP2001AllMaps(const std::optional<std::string>& mapsOption, P2001AllMaps& maps) {
    (void)mapsOption;
    (void)maps;
    return {kExitBadInput, diagnostic("the complete P.2001 needs its 14 maps")};
}

}  // namespace tropolink::cli
