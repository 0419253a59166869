#pragma once

#include <string>

// What every GDAL caller here needs, without GDAL's headers.
namespace tropolink::terrain::gdal {

// Registers GDAL's drivers and bounds GDAL's block cache, once per process.
void ensureRegistered();

// While alive, GDAL keeps its messages to itself; the caller reports them.
class QuietErrors {
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
};

// GDAL's last error message on one line, or `fallback` when it gave none.
std::string lastError(const std::string& fallback);

}  // namespace tropolink::terrain::gdal
