#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "climate/map_error.h"
#include "climate/maps_folder.h"
#include "climate/lookup.h"
#include "climate/maps_service.h"
#include "synthetic_maps.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Sets (or, with none, unsets) an environment variable for the life of the
// object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

void writeAllMaps(const fs::path& folder, const std::string& n0Name = "N050.TXT") {
    fs::create_directories(folder);
    writeFile(folder / n0Name, n0Text());
    writeFile(folder / "DN50.TXT", deltaNText());
    writeFile(folder / "TropoClim.txt", zoneText(4));
}

TEST(MapsFolderTest, TheSearchOrder) {
    struct Case {
        std::optional<fs::path> option;
        std::optional<std::string> maps, xdg, home;
        std::vector<fs::path> folders;
    };
    const fs::path system = "/usr/share/tropolink/itu-r";
    const std::vector<Case> cases{
        {"/opt/m", "/env/m", "/xdg", "/home/u", {"/opt/m"}},
        {std::nullopt, "/env/m", "/xdg", "/home/u", {"/env/m", "/xdg/tropolink/itu-r", system}},
        {std::nullopt, std::nullopt, "/xdg", "/home/u", {"/xdg/tropolink/itu-r", system}},
        {std::nullopt, "", "", "/home/u", {"/home/u/.local/share/tropolink/itu-r", system}},
        {std::nullopt, std::nullopt, "relative/xdg", "/home/u", {"/home/u/.local/share/tropolink/itu-r", system}},
        {std::nullopt, std::nullopt, std::nullopt, std::nullopt, {system}},
    };
    for (const Case& c : cases) {
        const ScopedEnv maps("TROPOLINK_MAPS", c.maps);
        const ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        const ScopedEnv home("HOME", c.home);
        EXPECT_EQ(candidateMapsFolders(c.option), c.folders);
    }
}

TEST(MapsFolderTest, InstallsInTheOptionOrTheUsersFolderOnly) {
    const ScopedEnv maps("TROPOLINK_MAPS", "/env/m");
    {
        const ScopedEnv xdg("XDG_DATA_HOME", "/xdg");
        EXPECT_EQ(installMapsFolder(fs::path("/opt/m")), fs::path("/opt/m"));
        EXPECT_EQ(installMapsFolder(std::nullopt), fs::path("/xdg/tropolink/itu-r"));
    }
    const ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
    {
        const ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(installMapsFolder(std::nullopt), fs::path("/home/u/.local/share/tropolink/itu-r"));
    }
    const ScopedEnv home("HOME", std::nullopt);
    EXPECT_THROW(installMapsFolder(std::nullopt), InstallError);
}

TEST(MapsFolderTest, LookupsUseTheFirstFolderWithAllThreeMaps) {
    const ScratchDir dir;
    // The environment's folder lacks TropoClim.txt; the user's folder has
    // all three, N0 under a lower-case name.
    fs::create_directories(dir / "env");
    writeFile(dir / "env" / "N050.TXT", n0Text());
    writeFile(dir / "env" / "DN50.TXT", deltaNText());
    writeAllMaps(dir / "xdg" / "tropolink" / "itu-r", "n050.txt");
    const ScopedEnv maps("TROPOLINK_MAPS", (dir / "env").string());
    const ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").string());

    const std::vector<fs::path> candidates = candidateMapsFolders(std::nullopt);
    EXPECT_EQ(findMapsFolder(candidates), dir / "xdg" / "tropolink" / "itu-r");
    MapsService service;
    const auto loaded = service.require(MapSetId::Climate, std::nullopt);
    EXPECT_EQ(loaded->folder(), dir / "xdg" / "tropolink" / "itu-r");
    EXPECT_EQ(lookupZoneCode(*loaded, {10, 10}), 4);
    EXPECT_DOUBLE_EQ(lookupN0(*loaded, {90, 0}), planeN0(0, 0));
    EXPECT_EQ(mapFilePath(loaded->folder(), MapKind::N0), loaded->folder() / "n050.txt");
    EXPECT_EQ(loaded->file(MapKind::N0), loaded->folder() / "n050.txt");
    EXPECT_EQ(mapFilePath(dir / "env", MapKind::Zone), std::nullopt);
}

TEST(MapsFolderTest, NoFolderWithTheMapsNamesWhereItLooked) {
    const ScratchDir dir;
    try {
        MapsService().require(MapSetId::Climate, dir.path());
        ADD_FAILURE() << "found";
    } catch (const InstallError& e) {
        EXPECT_EQ(std::string(e.what()), dir.path().string() + ": lacks N050.TXT, DN50.TXT and TropoClim.txt (allowed: a "
                                                               "maps folder holding the ITU-R maps N050.TXT, DN50.TXT and TropoClim.txt)");
    }
    // Unnamed, the folders looked in are listed.
    const ScopedEnv maps("TROPOLINK_MAPS", dir.path().string());
    const ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
    try {
        MapsService().require(MapSetId::Climate, std::nullopt);
        ADD_FAILURE() << "found";
    } catch (const InstallError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("the ITU-R maps N050.TXT, DN50.TXT and TropoClim.txt are in none of: " +
                                                      dir.path().string() + ", "))
            << e.what();
    }
}

TEST(MapsFolderTest, ARefusedMapIsNotLoaded) {
    const ScratchDir dir;
    writeAllMaps(dir.path());
    writeFile(dir / "DN50.TXT", "40\n");
    EXPECT_THROW(MapsService().require(MapSetId::Climate, dir.path()), MapError);
}

}  // namespace
}  // namespace tropolink::climate
