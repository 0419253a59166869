#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tropolink {

// A file that could not be put in place: which one, what could not be done
// to it ("open" or "write") and why.
struct WriteFailure {
    std::string path;  // as given
    std::string_view action;
    std::error_code error;

    // "cannot write PATH: No space left on device", the path quoted as inputs are.
    std::string message() const;
};

// Output files put in place whole. Each regular file is written under a
// temporary name in its own folder and flushed to the disk; commit() renames
// them over the files they replace. Until then, and whenever anything fails,
// the old files stay as they were and no temporary file is left behind.
// Devices and pipes (/dev/null, a named pipe) are written straight away.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // None when the file was written; else what failed.
    [[nodiscard]] std::optional<WriteFailure> write(const std::string& path, const std::string& text);
    [[nodiscard]] std::optional<WriteFailure> commit();

private:
    struct Staged {
        std::string path;       // as given, for messages
        std::string target;     // the file it replaces, symbolic links followed
        std::string temporary;  // empty once renamed
    };
    std::vector<Staged> staged_;
};

// Writes `text` to the file at `path`, replacing what was there, as StagedFiles does.
[[nodiscard]] std::optional<WriteFailure> writeFile(const std::string& path, const std::string& text);

}  // namespace tropolink
