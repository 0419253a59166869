#include "terrain/gdal_support.h"

#include <cpl_error.h>
#include <gdal.h>

#include <mutex>

namespace tropolink::terrain::gdal {

void ensureRegistered() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

QuietErrors::QuietErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

QuietErrors::~QuietErrors() { CPLPopErrorHandler(); }

std::string lastError(const std::string& fallback) {
    std::string message = CPLGetLastErrorType() >= CE_Failure ? CPLGetLastErrorMsg() : "";
    for (char& c : message)
        if (c == '\n' || c == '\r') c = ' ';
    return message.empty() ? fallback : message;
}

}  // namespace tropolink::terrain::gdal
