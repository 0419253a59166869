#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tropolink {

class Descriptor;

// A file that could not be put in place: which one, what could not be done
// to it ("open" or "write") and why.
struct WriteFailure {
    std::string path;  // as given
    std::string_view action;
    std::error_code error;
    // Said instead of the error code's text where there is no error code: a
    // library's own reason, or a file name refused before anything is opened.
    std::string reason{};

    // "cannot write PATH: No space left on device", the path quoted as inputs are.
    std::string message() const;
    // "No space left on device": the reason alone.
    std::string why() const { return reason.empty() ? error.message() : reason; }
};

// A WriteFailure thrown, for code that stops at the first failed file.
class WriteError : public std::runtime_error {
public:
    explicit WriteError(WriteFailure failure);
    const WriteFailure& failure() const { return failure_; }

private:
    WriteFailure failure_;
};

// Output files put in place whole. Each regular file is written under a
// temporary name in its own folder and flushed to the disk; commit() renames
// them over the files they replace. Until then, and whenever anything fails,
// the old files stay as they were and no temporary file is left behind.
// Devices and pipes (/dev/null, a named pipe) are written straight away.
// An empty name, and a name of a file already staged, are refused.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // None when the file was written; else what failed.
    [[nodiscard]] std::optional<WriteFailure> write(const std::string& path, const std::string& text);
    // Makes the temporary file for `path` now, empty, for a writer that opens
    // files by name (GDAL, minizip) to fill later; committed with the rest.
    // Refuses a path that is not a regular file, which a rename would replace.
    // None when reserved; temporaryFor(path) then names the file to write.
    [[nodiscard]] std::optional<WriteFailure> reserve(const std::string& path);
    // The temporary file of a reserved path, exactly as given to reserve().
    const std::string& temporaryFor(const std::string& path) const;
    [[nodiscard]] std::optional<WriteFailure> commit();

private:
    struct Staged {
        std::string path;       // as given, for messages
        std::string target;     // the file it replaces, symbolic links followed
        std::string temporary;  // empty once renamed
        bool reserved = false;  // written by another writer, flushed at commit
    };
    std::optional<WriteFailure> refuseName(const std::string& path, const std::string& target) const;
    // Opens the temporary file of `path` into `fd`, with the old file's mode if any.
    std::optional<WriteFailure> stage(const std::string& path, std::optional<unsigned> oldMode, Descriptor& fd);
    std::vector<Staged> staged_;
};

// Writes `text` to the file at `path`, replacing what was there, as StagedFiles does.
[[nodiscard]] std::optional<WriteFailure> writeFile(const std::string& path, const std::string& text);

}  // namespace tropolink
