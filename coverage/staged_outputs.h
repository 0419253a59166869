#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

// The map's files, put in place whole or not at all. Each is written under a
// temporary name in its own folder, made before any work starts, so that a
// path that cannot be written is found at once; commit() renames them over
// their targets; until then, and on a stop or a failure, the temporaries are
// removed and the old files stay as they were.
namespace tropolink::coverage {

// A file that cannot be written: "cannot write PATH: reason", one line.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class StagedOutputs {
public:
    // Throws OutputError for an empty path, a path that names something other
    // than a regular file, two paths to one file, and a folder where no file
    // can be made.
    explicit StagedOutputs(const std::vector<std::string>& paths);
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs&) = delete;
    StagedOutputs& operator=(const StagedOutputs&) = delete;

    // Where the file for paths[i] is written until commit().
    const std::string& temporary(std::size_t i) const { return files_[i].temporary; }
    // Throws OutputError; the files not yet renamed are removed.
    void commit();

private:
    struct File {
        std::string path;       // as given
        std::string target;     // symbolic links followed
        std::string temporary;  // empty once renamed
    };
    void removeTemporaries();
    std::vector<File> files_;
};

// "cannot write PATH: reason", the path quoted as inputs are.
std::string cannotWrite(const std::string& path, const std::string& reason);

}  // namespace tropolink::coverage
