#include "terrain/gdal_support.h"

#include <cpl_error.h>
#include <gdal.h>

#include <algorithm>
#include <mutex>

#include "terrain/dem_cache.h"

namespace tropolink::terrain::gdal {

void ensureRegistered() {
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        // The decoded posts are cached above GDAL; its own cache need only
        // hold what one block read touches, not 5 % of the memory.
        GDALSetCacheMax64(std::min<GIntBig>(GDALGetCacheMax64(), static_cast<GIntBig>(kGdalCacheBytes)));
    });
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
