#pragma once

#include <cpl_conv.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tropolink::climate::testing {

// Writes a ZIP of (member path, bytes) pairs.
inline void writeZip(const std::filesystem::path& zip, const std::vector<std::pair<std::string, std::string>>& members) {
    void* handle = CPLCreateZip(zip.c_str(), nullptr);
    if (handle == nullptr) throw std::runtime_error("cannot create " + zip.string());
    for (const auto& [name, bytes] : members) {
        CPLCreateFileInZip(handle, name.c_str(), nullptr);
        CPLWriteFileInZip(handle, bytes.data(), static_cast<int>(bytes.size()));
        CPLCloseFileInZip(handle);
    }
    CPLCloseZip(handle);
}

}  // namespace tropolink::climate::testing
