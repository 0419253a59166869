#pragma once

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tropolink::climate::testing {

inline std::uint32_t crc32Of(const std::string& bytes) {
    return static_cast<std::uint32_t>(
        ::crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// A member of storedZip: `crc` stands in the headers instead of the true one
// when set.
struct StoredMember {
    std::string name;
    std::string bytes;
    std::optional<std::uint32_t> crc;
};

// A ZIP written byte by byte with its members stored, for the ZIPs no
// archiver writes: wrong CRCs, and `aliases`, more central-directory entries
// (name, index of a member) pointing at a member already there.
inline std::string storedZip(const std::vector<StoredMember>& members,
                             const std::vector<std::pair<std::string, std::size_t>>& aliases = {}) {
    const auto put = [](std::string& out, std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    std::string zip;
    std::vector<std::uint64_t> offsets;
    for (const StoredMember& m : members) {
        offsets.push_back(zip.size());
        put(zip, 0x04034b50, 4);
        put(zip, 20, 2);  // version needed
        put(zip, 0, 2);   // flags
        put(zip, 0, 2);   // stored
        put(zip, 0, 4);   // time and date
        put(zip, m.crc.value_or(crc32Of(m.bytes)), 4);
        put(zip, m.bytes.size(), 4);
        put(zip, m.bytes.size(), 4);
        put(zip, m.name.size(), 2);
        put(zip, 0, 2);
        zip += m.name + m.bytes;
    }
    std::vector<std::pair<std::string, std::size_t>> entries;
    for (std::size_t i = 0; i < members.size(); ++i) entries.emplace_back(members[i].name, i);
    entries.insert(entries.end(), aliases.begin(), aliases.end());
    const std::uint64_t directory = zip.size();
    for (const auto& [name, index] : entries) {
        const StoredMember& m = members[index];
        put(zip, 0x02014b50, 4);
        put(zip, 20, 2);  // version made by
        put(zip, 20, 2);  // version needed
        put(zip, 0, 2);
        put(zip, 0, 2);
        put(zip, 0, 4);
        put(zip, m.crc.value_or(crc32Of(m.bytes)), 4);
        put(zip, m.bytes.size(), 4);
        put(zip, m.bytes.size(), 4);
        put(zip, name.size(), 2);
        put(zip, 0, 2);  // extra field
        put(zip, 0, 2);  // comment
        put(zip, 0, 2);  // disk
        put(zip, 0, 2);  // internal attributes
        put(zip, 0, 4);  // external attributes
        put(zip, offsets[index], 4);
        zip += name;
    }
    const std::uint64_t directoryBytes = zip.size() - directory;
    put(zip, 0x06054b50, 4);
    put(zip, 0, 2);
    put(zip, 0, 2);
    put(zip, entries.size(), 2);
    put(zip, entries.size(), 2);
    put(zip, directoryBytes, 4);
    put(zip, directory, 4);
    put(zip, 0, 2);
    return zip;
}

}  // namespace tropolink::climate::testing
