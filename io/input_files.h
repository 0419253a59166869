#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tropolink {

// The files a run reads, known by identity (device and inode), so that an
// output that is one of them is found however it is spelt: "./x", a
// symbolic link, a hard link or a folder's file.
class InputFiles {
public:
    // Adds the file at `path`; a folder adds itself and every file directly
    // in it. A path that names nothing is passed over: nothing can be lost.
    void add(std::string_view path);
    // The input that `output` is, as the input was named, or none.
    std::optional<std::string> inputAt(std::string_view output) const;

private:
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> files_;
};

}  // namespace tropolink
