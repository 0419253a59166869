// Imports from ZIPs made to hurt: fanned out, nested too deep, altered after
// their CRC was taken, naming a member twice; maps that disagree; a folder
// another import holds; an import stopped half-way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <vector>

#include "climate/import.h"
#include "climate/map_error.h"
#include "stored_zip.h"
#include "synthetic_maps.h"
#include "zip_writer.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Imports `files` into dir/maps, which must stay as it was; returns the refusal.
std::string refusal(const ScratchDir& dir, const std::vector<fs::path>& files, const ImportOptions& options = {}) {
    const fs::path target = dir / "maps";
    fs::create_directories(target);
    writeFile(target / "N050.TXT", "earlier");
    try {
        importMaps(files, target, options);
        ADD_FAILURE() << "imported from " << files.front();
    } catch (const std::exception& e) {
        EXPECT_EQ(readFile(target / "N050.TXT"), "earlier");
        EXPECT_EQ(std::distance(fs::directory_iterator(target), {}), 1) << "a map or a temporary was left";
        return e.what();
    }
    return {};
}

// A ZIP holding `inner` once under its own name, then `copies` more times:
// central-directory entries of other names of the same length pointing at
// the same bytes.
std::string fannedOut(const std::string& inner, int copies) {
    std::vector<std::pair<std::string, std::size_t>> aliases;
    for (int i = 0; i < copies; ++i) aliases.emplace_back("c" + std::to_string(10000 + i).substr(1) + ".zip", 0);
    return storedZip({{"inner.zip", inner, {}}}, aliases);
}

TEST(ZipHostileTest, AZipFannedOutLevelAfterLevelStopsAtTheMemberLimit) {
    const ScratchDir dir;
    // Four levels of 300 entries each reach 300^4 ZIPs: hours of work without a limit.
    std::string zip = storedZip({{"readme.txt", "nothing here", {}}});
    for (int level = 0; level < 4; ++level) zip = fannedOut(zip, 299);
    writeFile(dir / "fan.zip", zip);
    EXPECT_EQ(refusal(dir, {dir / "fan.zip"}),
              (dir / "fan.zip").string() +
                  ": more than 10000 members, counting those of the ZIPs within it (allowed: at most 10000 in all)");
}

TEST(ZipHostileTest, AZipFannedOutToLargeZipsStopsAtTheByteLimit) {
    const ScratchDir dir;
    const std::string inner = storedZip({{"padding.bin", std::string(1 << 20, 'x'), {}}});
    writeFile(dir / "fan.zip", fannedOut(inner, 20));
    ImportOptions options;
    options.limits.maxBytes = 8u << 20;
    EXPECT_EQ(refusal(dir, {dir / "fan.zip"}, options),
              (dir / "fan.zip").string() +
                  ": more than 8 MiB to unpack, counting the ZIPs within it (allowed: at most 8 MiB in all)");
}

TEST(ZipHostileTest, ZipsNestedDeeperThanFourAreRefused) {
    const ScratchDir dir;
    std::string zip = storedZip({{"N050.TXT", n0Text(), {}}});
    for (int level = 0; level < 5; ++level) zip = storedZip({{"level.zip", zip, {}}});
    writeFile(dir / "deep.zip", zip);
    EXPECT_EQ(refusal(dir, {dir / "deep.zip"}),
              (dir / "deep.zip").string() +
                  "/level.zip/level.zip/level.zip/level.zip/level.zip: a ZIP nested more than 4 deep "
                  "(allowed: ZIPs within ZIPs up to 4 deep)");
}

// The CRC of a member's bytes, replaced in every header that holds it.
std::string withCrc(std::string zip, std::uint32_t from, std::uint32_t to) {
    const auto bytes = [](std::uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
    };
    int replaced = 0;
    for (auto at = zip.find(bytes(from)); at != std::string::npos; at = zip.find(bytes(from), at + 4), ++replaced)
        zip.replace(at, 4, bytes(to));
    EXPECT_GE(replaced, 2);
    return zip;
}

TEST(ZipHostileTest, AMemberWhoseDataDoesNotMatchItsCrcIsRefused) {
    const ScratchDir dir;
    // An N0 map edited after its CRC was taken, stored as it is and deflated.
    std::string edited = n0Text();
    edited.replace(0, 3, "444");
    writeFile(dir / "stored.zip", storedZip({{"maps/N050.TXT", edited, crc32Of(n0Text())}}));
    writeZip(dir / "deflated.zip", {{"maps/N050.TXT", n0Text()}});
    writeFile(dir / "deflated.zip", withCrc(readFile(dir / "deflated.zip"), crc32Of(n0Text()), crc32Of(edited)));
    for (const std::string name : {"stored.zip", "deflated.zip"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(refusal(dir, {dir / name}),
                  (dir / name).string() + "/maps/N050.TXT: its data does not match its CRC (allowed: an intact ZIP)");
    }
}

TEST(ZipHostileTest, ACrcIsCheckedOnAZipWithinAZipToo) {
    const ScratchDir dir;
    const std::string inner = storedZip({{"N050.TXT", n0Text(), {}}});
    writeFile(dir / "outer.zip", storedZip({{"inner.zip", inner, crc32Of(inner) ^ 1}}));
    EXPECT_EQ(refusal(dir, {dir / "outer.zip"}),
              (dir / "outer.zip").string() + "/inner.zip: its data does not match its CRC (allowed: an intact ZIP)");
}

TEST(ZipHostileTest, AZipNamingAMemberTwiceIsRefused) {
    const ScratchDir dir;
    const std::string other = gridText(121, 241, [](int, int) { return 333.0; });
    writeFile(dir / "twice.zip", storedZip({{"N050.TXT", n0Text(), {}}, {"N050.TXT", other, {}}}));
    // The same member listed twice in the directory, and a name with a line break in it.
    writeFile(dir / "listed-twice.zip", storedZip({{"DN50.TXT", deltaNText(), {}}}, {{"DN50.TXT", 0}}));
    writeFile(dir / "odd-name.zip", storedZip({{"a\nb", "x", {}}, {"a\nb", "y", {}}}));
    const std::vector<std::pair<std::string, std::string>> cases{
        {"twice.zip", "two members named N050.TXT"},
        {"listed-twice.zip", "two members named DN50.TXT"},
        {"odd-name.zip", "two members named a\\x0Ab"},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(refusal(dir, {dir / name}), (dir / name).string() + ": " + problem + " (allowed: each name once)");
}

TEST(ZipHostileTest, ARefusedMapAnywhereFailsTheWholeImport) {
    const ScratchDir dir;
    writeZip(dir / "good.zip", {{"N050.TXT", n0Text()}, {"DN50.TXT", deltaNText()}});
    fs::create_directories(dir / "bad");
    writeFile(dir / "bad" / "N050.TXT", "1 2 3\n");
    EXPECT_EQ(refusal(dir, {dir / "good.zip", dir / "bad" / "N050.TXT"}),
              (dir / "bad" / "N050.TXT").string() + ": 1 rows (allowed: 121 rows of 241 values)");
    // Two maps of one name that disagree, within a ZIP or across the files given.
    const std::string other = gridText(121, 241, [](int, int) { return 333.0; });
    writeZip(dir / "two.zip", {{"a/N050.TXT", n0Text()}, {"b/n050.txt", other}});
    EXPECT_EQ(refusal(dir, {dir / "two.zip"}), (dir / "two.zip").string() + "/b/n050.txt: another N050.TXT than " +
                                                   (dir / "two.zip").string() +
                                                   "/a/N050.TXT (allowed: one N050.TXT, or copies of the same values)");
    writeFile(dir / "bad" / "N050.TXT", other);
    EXPECT_EQ(refusal(dir, {dir / "good.zip", dir / "bad" / "N050.TXT"}),
              (dir / "bad" / "N050.TXT").string() + ": another N050.TXT than " + (dir / "good.zip").string() +
                  "/N050.TXT (allowed: one N050.TXT, or copies of the same values)");
}

TEST(ZipHostileTest, CopiesOfTheSameValuesAreOneMap) {
    const ScratchDir dir;
    // As the ZIPs of P.1812 and P.452 both hold N050.TXT, here with other line ends.
    writeZip(dir / "p1812.zip", {{"N050.TXT", n0Text()}});
    writeZip(dir / "p452.zip", {{"maps/N050.TXT", gridText(
                                                      121, 241, [](int r, int c) { return planeN0(r, c); }, "\r\n")}});
    const std::vector<fs::path> files{dir / "p1812.zip", dir / "p452.zip"};
    const ImportResult result = importMaps(files, dir / "maps");
    EXPECT_EQ(result.installed, std::vector{MapKind::N0});
    EXPECT_EQ(readFile(dir / "maps" / "N050.TXT"), n0Text());
}

TEST(ZipHostileTest, AnImportStoppedHalfWayInstallsNothing) {
    const ScratchDir dir;
    std::string zip = storedZip({{"N050.TXT", n0Text(), {}}});
    for (int level = 0; level < 3; ++level) zip = fannedOut(zip, 50);
    writeFile(dir / "fan.zip", zip);
    std::atomic<bool> stop{false};
    std::uint64_t lastMembers = 0;
    ImportOptions options;
    options.stop = &stop;
    options.progress = [&](std::string_view source, std::uint64_t members, std::uint64_t) {
        EXPECT_TRUE(source.starts_with((dir / "fan.zip").string())) << source;
        EXPECT_GE(members, lastMembers);
        lastMembers = members;
        if (members == 100) stop = true;
    };
    EXPECT_EQ(refusal(dir, {dir / "fan.zip"}, options), "cancelled; no map was installed");
    EXPECT_EQ(lastMembers, 100u);
}

TEST(ZipHostileTest, AFolderAnotherImportHoldsIsLeftAlone) {
    const ScratchDir dir;
    writeFile(dir / "N050.TXT", n0Text());
    const fs::path target = dir / "maps";
    fs::create_directories(target);
    const int held = ::open(target.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const std::vector<fs::path> files{dir / "N050.TXT"};
    try {
        importMaps(files, target);
        ADD_FAILURE() << "imported into a held folder";
    } catch (const InstallError& e) {
        EXPECT_EQ(std::string(e.what()), "the maps folder " + target.string() +
                                             " is being written by another import (allowed: one import at a time)");
    }
    EXPECT_FALSE(fs::exists(target / "N050.TXT"));
    ::close(held);
    EXPECT_EQ(importMaps(files, target).installed, std::vector{MapKind::N0});
}

}  // namespace
}  // namespace tropolink::climate
