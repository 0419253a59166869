#include "climate/zip_archive.h"

#include <unzip.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace tropolink::climate {

struct ZipBytes {
    std::string bytes;
    std::uint64_t position = 0;
};

namespace {

// Large enough to keep the calls few, small enough to check often whether
// the work should stop.
constexpr std::size_t kPieceBytes = 1u << 20;
constexpr unsigned long kStored = 0;
constexpr unsigned long kEncryptedFlag = 1;

// minizip reads a ZIP in memory through these; the stream is the ZipBytes,
// passed to unzOpen2_64 in place of a file name.
ZipBytes& zipBytes(voidpf stream) { return *static_cast<ZipBytes*>(stream); }

voidpf openZipBytes(voidpf, const void* zip, int) { return const_cast<void*>(zip); }

uLong readZipBytes(voidpf, voidpf stream, void* buffer, uLong size) {
    ZipBytes& zip = zipBytes(stream);
    if (zip.position >= zip.bytes.size()) return 0;
    const auto count = static_cast<uLong>(std::min<std::uint64_t>(size, zip.bytes.size() - zip.position));
    std::memcpy(buffer, zip.bytes.data() + zip.position, count);
    zip.position += count;
    return count;
}

ZPOS64_T tellZipBytes(voidpf, voidpf stream) { return zipBytes(stream).position; }

long seekZipBytes(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    ZipBytes& zip = zipBytes(stream);
    std::uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = zip.position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = zip.bytes.size();
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    if (base > zip.bytes.size() || offset > zip.bytes.size() - base) return -1;
    zip.position = base + offset;
    return 0;
}

uLong writeNothing(voidpf, voidpf, const void*, uLong) { return 0; }
int closeZipBytes(voidpf, voidpf) { return 0; }
int noError(voidpf, voidpf) { return 0; }

// Closes the member being read, unless read() has closed it to learn its CRC.
class OpenMember {
public:
    explicit OpenMember(unzFile handle) : handle_(handle) {}
    ~OpenMember() {
        if (handle_ != nullptr) unzCloseCurrentFile(handle_);
    }
    OpenMember(const OpenMember&) = delete;
    OpenMember& operator=(const OpenMember&) = delete;
    int close() { return unzCloseCurrentFile(std::exchange(handle_, nullptr)); }

private:
    unzFile handle_;
};

[[noreturn]] void refuse(ZipArchive::Fault fault) { throw ZipArchive::Refused{fault}; }

}  // namespace

ZipArchive::ZipArchive(std::unique_ptr<ZipBytes> bytes, void* handle, std::uint64_t memberCount)
    : bytes_(std::move(bytes)), handle_(handle), memberCount_(memberCount) {}

ZipArchive::~ZipArchive() { unzClose(handle_); }

std::unique_ptr<ZipArchive> ZipArchive::adopt(std::unique_ptr<ZipBytes> bytes, void* handle) {
    if (handle == nullptr) return nullptr;
    unz_global_info64 info{};
    if (unzGetGlobalInfo64(handle, &info) != UNZ_OK) {
        unzClose(handle);
        return nullptr;
    }
    return std::unique_ptr<ZipArchive>(new ZipArchive(std::move(bytes), handle, info.number_entry));
}

std::unique_ptr<ZipArchive> ZipArchive::openFile(const std::string& path) {
    return adopt(nullptr, unzOpen64(path.c_str()));
}

std::unique_ptr<ZipArchive> ZipArchive::openBytes(std::string bytes) {
    auto zip = std::make_unique<ZipBytes>(ZipBytes{std::move(bytes), 0});
    zlib_filefunc64_def io{openZipBytes, readZipBytes,  writeNothing, tellZipBytes,
                           seekZipBytes, closeZipBytes, noError,      nullptr};
    void* handle = unzOpen2_64(zip.get(), &io);
    return adopt(std::move(zip), handle);
}

std::optional<ZipArchive::Member> ZipArchive::next() {
    if (visited_ == memberCount_) return std::nullopt;
    if ((visited_ == 0 ? unzGoToFirstFile(handle_) : unzGoToNextFile(handle_)) != UNZ_OK) refuse(Fault::Damaged);
    ++visited_;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(handle_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) refuse(Fault::Damaged);
    std::string name(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(handle_, &info, name.data(), name.size(), nullptr, 0, nullptr, 0) != UNZ_OK)
        refuse(Fault::Damaged);
    name.resize(info.size_filename);
    current_ = {std::move(name), info.uncompressed_size};
    method_ = info.compression_method;
    encrypted_ = (info.flag & kEncryptedFlag) != 0;
    return current_;
}

std::string ZipArchive::read(std::uint64_t maxBytes, const std::function<void(std::uint64_t)>& progress) {
    if (encrypted_) refuse(Fault::Encrypted);
    if (method_ != kStored && method_ != Z_DEFLATED) refuse(Fault::Unsupported);
    if (current_.size > maxBytes) refuse(Fault::TooLarge);
    if (unzOpenCurrentFile(handle_) != UNZ_OK) refuse(Fault::Damaged);
    OpenMember member(handle_);
    std::string bytes;
    for (;;) {
        const std::size_t start = bytes.size();
        // What is left by the directory's word, and one byte more to meet the end.
        const std::uint64_t left = current_.size > start ? current_.size - start : 0;
        const auto piece = static_cast<unsigned>(std::min<std::uint64_t>(left + 1, kPieceBytes));
        bytes.resize(start + piece);
        const int got = unzReadCurrentFile(handle_, bytes.data() + start, piece);
        if (got < 0) refuse(Fault::Damaged);
        bytes.resize(start + static_cast<std::size_t>(got));
        if (got == 0) break;
        if (bytes.size() > maxBytes) refuse(Fault::TooLarge);
        if (progress) progress(bytes.size());
    }
    // minizip checks the CRC only once the announced size has been read.
    if (bytes.size() != current_.size) refuse(Fault::Damaged);
    const int closed = member.close();
    if (closed == UNZ_CRCERROR) refuse(Fault::BadCrc);
    if (closed != UNZ_OK) refuse(Fault::Damaged);
    return bytes;
}

}  // namespace tropolink::climate
