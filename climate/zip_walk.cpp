#include "climate/zip_walk.h"

#include <unordered_set>

#include "climate/zip_archive.h"

namespace tropolink::climate {
namespace {

constexpr std::string_view kIntact = "an intact ZIP";

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithZip(std::string_view name) {
    constexpr std::string_view kSuffix = ".zip";
    if (name.size() < kSuffix.size()) return false;
    for (std::size_t i = 0; i < kSuffix.size(); ++i)
        if (lower(name[name.size() - kSuffix.size() + i]) != kSuffix[i]) return false;
    return true;
}

std::string_view baseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void refuse(const std::string& what, std::string_view problem, std::string_view allowed) {
    throw InstallError(what + ": " + std::string(problem) + " (allowed: " + std::string(allowed) + ")");
}

[[noreturn]] void refuseMember(const std::string& member, ZipArchive::Fault fault, std::uint64_t maxBytes) {
    switch (fault) {
        case ZipArchive::Fault::BadCrc:
            refuse(member, "its data does not match its CRC", kIntact);
        case ZipArchive::Fault::TooLarge:
            refuse(member, "larger than " + std::to_string(maxBytes) + " bytes", "at most " + sizeText(maxBytes));
        case ZipArchive::Fault::Encrypted:
            refuse(member, "encrypted", "members without a password");
        case ZipArchive::Fault::Unsupported:
            refuse(member, "packed by a method other than store and deflate", "stored or deflated members");
        case ZipArchive::Fault::Damaged:
            break;
    }
    refuse(member, "damaged", kIntact);
}

}  // namespace

bool looksLikeZip(std::string_view firstBytes) {
    return firstBytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
           firstBytes.starts_with(std::string_view("PK\x05\x06", 4));
}

std::string shownName(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        }
    }
    return shown;
}

ZipWalk::ZipWalk(const ImportOptions& options, std::uint64_t maxWantedBytes, Wanted wanted, Found found)
    : options_(options), maxWantedBytes_(maxWantedBytes), wanted_(std::move(wanted)), found_(std::move(found)) {}

std::uint64_t ZipWalk::walkFile(const std::string& file, const std::string& source) {
    return walkTop(ZipArchive::openFile(file), source);
}

std::uint64_t ZipWalk::walkBytes(std::string bytes, const std::string& source) {
    return walkTop(ZipArchive::openBytes(std::move(bytes)), source);
}

std::uint64_t ZipWalk::walkTop(const std::unique_ptr<ZipArchive>& zip, const std::string& source) {
    if (!zip) throw InstallError(source + ": cannot be read as a ZIP");
    top_ = source;
    members_ = bytes_ = 0;
    return walk(*zip, source, 0);
}

std::string ZipWalk::unpack(ZipArchive& zip, const std::string& source, std::uint64_t maxBytes) {
    try {
        std::string bytes = zip.read(maxBytes, [&](std::uint64_t soFar) {
            throwIfStopped(options_);
            if (options_.progress) options_.progress(source, members_, bytes_ + soFar);
        });
        bytes_ += bytes.size();
        return bytes;
    } catch (const ZipArchive::Refused& refused) {
        refuseMember(source, refused.fault, maxBytes);
    }
}

std::uint64_t ZipWalk::walk(ZipArchive& zip, const std::string& source, int depth) {
    const ZipLimits& limits = options_.limits;
    const auto tooMany = [&] {
        refuse(top_,
               "more than " + std::to_string(limits.maxMembers) + " members, counting those of the ZIPs within it",
               "at most " + std::to_string(limits.maxMembers) + " in all");
    };
    if (zip.memberCount() > limits.maxMembers - members_) tooMany();
    std::unordered_set<std::string> names;
    std::uint64_t found = 0;
    for (;;) {
        throwIfStopped(options_);
        std::optional<ZipArchive::Member> member;
        try {
            member = zip.next();
        } catch (const ZipArchive::Refused&) {
            refuse(source, "its list of members is damaged", kIntact);
        }
        if (!member) break;
        if (++members_ > limits.maxMembers) tooMany();
        if (!names.insert(member->name).second)
            refuse(source, "two members named " + shownName(member->name), "each name once");
        const std::string path = source + "/" + shownName(member->name);
        if (options_.progress) options_.progress(path, members_, bytes_);

        const std::string_view name = baseName(member->name);
        const bool wanted = wanted_(name);
        if (!wanted && !endsWithZip(name)) continue;
        if (member->size > limits.maxBytes - bytes_)
            refuse(top_, "more than " + sizeText(limits.maxBytes) + " to unpack, counting the ZIPs within it",
                   "at most " + sizeText(limits.maxBytes) + " in all");
        if (wanted) {
            found_(path, name, unpack(zip, path, maxWantedBytes_));
            ++found;
            continue;
        }
        if (depth + 1 > limits.maxDepth)
            refuse(path, "a ZIP nested more than " + std::to_string(limits.maxDepth) + " deep",
                   "ZIPs within ZIPs up to " + std::to_string(limits.maxDepth) + " deep");
        const auto inner = ZipArchive::openBytes(unpack(zip, path, limits.maxNestedZipBytes));
        if (!inner) throw InstallError(path + ": cannot be read as a ZIP");
        found += walk(*inner, path, depth + 1);
    }
    return found;
}

}  // namespace tropolink::climate
