// Writes synthetic maps into a folder, for the documentation's examples and
// for scripts that need maps: never the ITU's, which may not be copied.
#include <cstdio>
#include <exception>
#include <string_view>

#include "climate/synthetic_maps.h"

int main(int argc, char** argv) {
    using namespace tropolink::climate;
    constexpr const char* kUsage =
        "usage: tropolink-synthetic-maps FOLDER [--varied]\n"
        "Writes all 16 maps the tool reads, made up (constant at the tool's defaults: N0 310, delta-N 40, zone 6;\n"
        "with --varied, spread over each map's range), into FOLDER, which must hold none of them yet.\n";
    if (argc < 2 || argc > 3 || (argc == 3 && std::string_view(argv[2]) != "--varied")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        writeSyntheticMaps(argv[1], kMapKinds, argc == 3 ? SyntheticFill::Varied : SyntheticFill::Constant);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tropolink-synthetic-maps: %s\n", e.what());
        return 2;
    }
    return 0;
}
