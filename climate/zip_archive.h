#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tropolink::climate {

struct ZipBytes;

// A ZIP read member by member in the order of its central directory, from a
// file or from bytes in memory (a ZIP found inside another). A member is read
// whole and checked against the size and the CRC its directory entry gives.
class ZipArchive {
public:
    // None when the file or the bytes cannot be read as a ZIP.
    static std::unique_ptr<ZipArchive> openFile(const std::string& path);
    static std::unique_ptr<ZipArchive> openBytes(std::string bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // The number of members the end of the central directory announces.
    std::uint64_t memberCount() const { return memberCount_; }

    struct Member {
        std::string name;  // the path inside the ZIP
        std::uint64_t size = 0;
    };
    enum class Fault { Damaged, BadCrc, TooLarge, Encrypted, Unsupported };
    // What next() and read() throw.
    struct Refused {
        Fault fault;
    };

    // The first member, then each next one; none after the last.
    std::optional<Member> next();

    // The member next() returned last, whole; TooLarge when it holds more than
    // maxBytes. `progress` is called with the bytes read so far after every
    // piece; it may throw to stop the work.
    std::string read(std::uint64_t maxBytes, const std::function<void(std::uint64_t)>& progress);

private:
    ZipArchive(std::unique_ptr<ZipBytes> bytes, void* handle, std::uint64_t memberCount);
    static std::unique_ptr<ZipArchive> adopt(std::unique_ptr<ZipBytes> bytes, void* handle);

    std::unique_ptr<ZipBytes> bytes_;  // what the handle reads, for a ZIP in memory
    void* handle_ = nullptr;
    std::uint64_t memberCount_ = 0;
    std::uint64_t visited_ = 0;
    Member current_;
    unsigned long method_ = 0;
    bool encrypted_ = false;
};

}  // namespace tropolink::climate
