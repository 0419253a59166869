#pragma once

#include <stdexcept>
#include <string>

namespace tropolink::climate {

// A refused map: one line naming the file and, where one is to blame, the
// row and column (both from 1, 0 when none), then what is allowed.
class MapError : public std::runtime_error {
public:
    MapError(std::string file, long row, long column, std::string problem, std::string allowed)
        : std::runtime_error(format(file, row, column, problem, allowed)),
          file_(std::move(file)),
          row_(row),
          column_(column),
          problem_(std::move(problem)),
          allowed_(std::move(allowed)) {}

    const std::string& file() const { return file_; }
    long row() const { return row_; }
    long column() const { return column_; }
    const std::string& problem() const { return problem_; }
    const std::string& allowed() const { return allowed_; }

private:
    static std::string format(const std::string& file, long row, long column, const std::string& problem,
                              const std::string& allowed) {
        std::string line = file + ": ";
        if (row > 0) line += "row " + std::to_string(row) + (column > 0 ? ", " : ": ");
        if (column > 0) line += "column " + std::to_string(column) + ": ";
        return line + problem + " (allowed: " + allowed + ")";
    }

    std::string file_;
    long row_;
    long column_;
    std::string problem_;
    std::string allowed_;
};

// The maps could not be found, imported or downloaded; the message names the
// folder, ZIP or address concerned and the reason.
class InstallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A download that failed before its content could be looked at: the network,
// the server or the temporary file. Callers tell it from refused content.
class DownloadError : public InstallError {
public:
    using InstallError::InstallError;
};

}  // namespace tropolink::climate
