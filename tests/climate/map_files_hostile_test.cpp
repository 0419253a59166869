// Map files that are not maps at all: a FIFO that would block the reader, a
// device that never ends, a file of gigabytes. Each is refused in one line
// naming it, by the import and by the readers of a maps folder alike.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "climate/import.h"
#include "climate/map_error.h"
#include "climate/map_reader.h"
#include "climate/status.h"
#include "synthetic_maps.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// A sparse file of `bytes`: no disk is used for it.
void writeSparse(const fs::path& file, std::uintmax_t bytes) {
    writeFile(file, "");
    fs::resize_file(file, bytes);
}

TEST(MapFilesHostileTest, AnImportOfSomethingThatIsNotARegularFileIsRefusedUnopened) {
    const ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo.zip").c_str(), 0600), 0);
    const struct {
        fs::path file;
        std::string reason;
    } cases[] = {
        {"/dev/zero", "a character device"},
        {dir / "fifo.zip", "a FIFO"},
        {dir.path(), "a folder"},
        {dir / "absent.zip", "no such file"},
    };
    for (const auto& c : cases) {
        const std::vector<fs::path> files{c.file};
        try {
            importMaps(files, dir / "maps");
            ADD_FAILURE() << c.file;
        } catch (const InstallError& e) {
            EXPECT_EQ(std::string(e.what()), c.file.string() + ": " + c.reason);
        }
    }
    EXPECT_FALSE(fs::exists(dir / "maps"));
}

TEST(MapFilesHostileTest, AMapFileInTheFolderIsReadUpTo16MiBOnly) {
    const ScratchDir dir;
    ASSERT_EQ(mkfifo((dir / "DN50.TXT").c_str(), 0600), 0);
    writeSparse(dir / "N050.TXT", 3ull << 30);
    writeSparse(dir / "exact.TXT", kMaxMapFileBytes);
    const std::string allowed = " (allowed: a readable text file of at most 16 MiB)";
    const struct {
        fs::path file;
        std::string message;
    } cases[] = {
        {dir / "N050.TXT", (dir / "N050.TXT").string() + ": cannot be read: larger than 16 MiB" + allowed},
        {dir / "DN50.TXT", (dir / "DN50.TXT").string() + ": cannot be read: a FIFO" + allowed},
        {"/dev/zero", "/dev/zero: cannot be read: a character device" + allowed},
        // Read whole, then refused for its shape: the cap is not below it.
        {dir / "exact.TXT", (dir / "exact.TXT").string() + ": 1 rows (allowed: 121 rows of 241 values)"},
    };
    for (const auto& c : cases) {
        try {
            readMapFile(MapKind::N0, c.file);
            ADD_FAILURE() << c.file;
        } catch (const MapError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    const MapStatus status = mapStatus(dir.path(), MapKind::N0);
    EXPECT_FALSE(status.valid);
    EXPECT_EQ(status.problem, (dir / "N050.TXT").string() + ": cannot be read");
}

}  // namespace
}  // namespace tropolink::climate
