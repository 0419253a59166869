#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace tropolink::bench {

inline constexpr int kTilePosts = 1201;  // a 3-arc-second SRTM tile

// Writes a 3" SRTM tile of rolling ground, different in each tile.
inline void writeSyntheticTile(const std::string& file, int latDeg, int lonDeg) {
    std::string bytes(static_cast<std::size_t>(kTilePosts) * kTilePosts * 2, '\0');
    std::size_t at = 0;
    for (int row = 0; row < kTilePosts; ++row) {
        for (int col = 0; col < kTilePosts; ++col) {
            const auto h = static_cast<std::uint16_t>(200 + latDeg + 10 * lonDeg + (row * 7 + col * 13) % 500);
            bytes[at++] = static_cast<char>(h >> 8);
            bytes[at++] = static_cast<char>(h & 0xff);
        }
    }
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace tropolink::bench
