#pragma once

#include <string>
#include <vector>

#include "batch/run_result.h"

namespace tropolink {

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

    // A failure to create or write is exit status 1 naming the file.
    RunResult write(const std::string& path, const std::string& text);
    RunResult commit();

private:
    struct Staged {
        std::string path;       // as given, for messages
        std::string target;     // the file it replaces, symbolic links followed
        std::string temporary;  // empty once renamed
    };
    std::vector<Staged> staged_;
};

// Writes `text` to the file at `path`, replacing what was there, as StagedFiles does.
RunResult writeFile(const std::string& path, const std::string& text);

}  // namespace tropolink
