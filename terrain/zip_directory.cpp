#include "terrain/zip_directory.h"

#include <algorithm>
#include <cstdio>

#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::size_t kEndBytes = 22;
constexpr std::size_t kLocatorBytes = 20;
constexpr std::size_t kZip64EndBytes = 56;
constexpr std::size_t kEntryBytes = 46;
constexpr std::size_t kMaxCommentBytes = 65535;
// Far more than any DEM's ZIP holds; a larger directory is refused unread.
constexpr std::uint64_t kMaxDirectoryBytes = 64u << 20;

std::uint32_t le(const unsigned char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

std::uint64_t le64(const unsigned char* p) { return le(p, 4) | (static_cast<std::uint64_t>(le(p + 4, 4)) << 32); }

struct File {
    std::FILE* handle = nullptr;
    ~File() {
        if (handle) std::fclose(handle);
    }
};

bool readAt(std::FILE* file, std::uint64_t offset, std::vector<unsigned char>& bytes) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0 &&
           std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

[[noreturn]] void refuse(const std::string& shown, const std::string& why) {
    throw TerrainError("DEM " + shown + ": " + why);
}

}  // namespace

std::vector<ZipEntry> zipEntries(const std::string& file, const std::string& shown) {
    const std::string notZip = "not a ZIP whose directory can be read (allowed: a ZIP holding an SRTM tile)";
    File in{std::fopen(file.c_str(), "rb")};
    if (!in.handle || fseeko(in.handle, 0, SEEK_END) != 0) refuse(shown, "cannot read it");
    const auto size = static_cast<std::uint64_t>(ftello(in.handle));
    if (size < kEndBytes) refuse(shown, notZip);

    // The end record is the last thing in the file but for its comment.
    const std::uint64_t tailBytes = std::min<std::uint64_t>(size, kEndBytes + kMaxCommentBytes);
    std::vector<unsigned char> tail(static_cast<std::size_t>(tailBytes));
    if (!readAt(in.handle, size - tailBytes, tail)) refuse(shown, notZip);
    std::size_t at = tail.size() - kEndBytes + 1;
    do {
        --at;
    } while (at > 0 && le(&tail[at], 4) != kEndSignature);
    if (le(&tail[at], 4) != kEndSignature) refuse(shown, notZip);
    std::uint64_t count = le(&tail[at + 10], 2);
    std::uint64_t directoryBytes = le(&tail[at + 12], 4);
    std::uint64_t directoryOffset = le(&tail[at + 16], 4);
    const std::uint64_t endOffset = size - tailBytes + at;
    if ((count == 0xffff || directoryOffset == 0xffffffff || directoryBytes == 0xffffffff) &&
        endOffset >= kLocatorBytes) {
        std::vector<unsigned char> locator(kLocatorBytes), end64(kZip64EndBytes);
        if (readAt(in.handle, endOffset - kLocatorBytes, locator) && le(locator.data(), 4) == kZip64LocatorSignature &&
            readAt(in.handle, le64(&locator[8]), end64) && le(end64.data(), 4) == kZip64EndSignature) {
            count = le64(&end64[32]);
            directoryBytes = le64(&end64[40]);
            directoryOffset = le64(&end64[48]);
        }
    }
    if (directoryBytes > kMaxDirectoryBytes || directoryOffset > size || directoryBytes > size - directoryOffset)
        refuse(shown, notZip);

    std::vector<unsigned char> directory(static_cast<std::size_t>(directoryBytes));
    if (!readAt(in.handle, directoryOffset, directory)) refuse(shown, notZip);
    std::vector<ZipEntry> entries;
    std::size_t pos = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (directory.size() - pos < kEntryBytes || le(&directory[pos], 4) != kEntrySignature) refuse(shown, notZip);
        const std::size_t nameBytes = le(&directory[pos + 28], 2);
        const std::size_t extraBytes = le(&directory[pos + 30], 2);
        const std::size_t commentBytes = le(&directory[pos + 32], 2);
        const std::size_t entryBytes = kEntryBytes + nameBytes + extraBytes + commentBytes;
        if (directory.size() - pos < entryBytes) refuse(shown, notZip);
        entries.push_back({std::string(reinterpret_cast<const char*>(&directory[pos + kEntryBytes]), nameBytes),
                           le(&directory[pos + 16], 4)});
        pos += entryBytes;
    }
    return entries;
}

}  // namespace tropolink::terrain
