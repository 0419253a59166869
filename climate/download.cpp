#include "climate/download.h"

#include <curl/curl.h>
#include <stdlib.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "climate/map_error.h"
#include "io/input_file.h"

namespace tropolink::climate {
namespace {

namespace fs = std::filesystem;

struct CurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Removes the scratch folder of the downloads, whatever happens.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tropolink-maps-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw DownloadError("cannot make a temporary folder for the downloads in " +
                               fs::temp_directory_path().string());
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct Transfer {
    std::string_view url;
    const DownloadProgress& progress;
    const DownloadLimits& limits;
    const std::atomic<bool>* stop;
    std::FILE* file;
    std::int64_t written = 0;
    bool tooLarge = false;
};

// A body without a length is stopped here once it grows past the limit.
std::size_t writeToFile(char* data, std::size_t size, std::size_t count, void* transfer) {
    auto& t = *static_cast<Transfer*>(transfer);
    const auto bytes = static_cast<std::int64_t>(size * count);
    if (bytes > t.limits.maxBytes - t.written) {
        t.tooLarge = true;
        return 0;
    }
    t.written += bytes;
    return std::fwrite(data, size, count, t.file) * size;
}

int reportProgress(void* transfer, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    const auto& t = *static_cast<const Transfer*>(transfer);
    if (t.stop != nullptr && t.stop->load()) return 1;
    if (t.progress) t.progress(t.url, received, total);
    return 0;
}

// The scratch file of a download: its number and the last part of the
// address's path.
std::string localName(std::string_view url, std::size_t index) {
    url = url.substr(0, url.find_first_of("?#"));
    const auto slash = url.find_last_of('/');
    std::string name(slash == std::string_view::npos ? std::string_view{} : url.substr(slash + 1));
    if (name.empty() || name == "." || name == "..") name = "download.zip";
    return std::to_string(index + 1) + "-" + name;
}

void fetch(const std::string& url, const fs::path& file, const DownloadProgress& progress,
           const DownloadLimits& limits, const std::atomic<bool>* stop) {
    const std::string shown = printablePath(url);  // an address may hold a newline or an escape
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wb"));
    if (!out) throw DownloadError("cannot write the download of " + shown + " to " + file.string());
    const std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl) throw DownloadError("cannot download " + shown + ": libcurl did not start");

    Transfer transfer{url, progress, limits, stop, out.get()};
    char error[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutS);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, limits.minBytesPerSecond);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limits.windowSeconds);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "tropolink");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_ABORTED_BY_CALLBACK && stop != nullptr && stop->load()) throw ImportCancelled();
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        throw DownloadError("cannot download " + shown + ": larger than " + std::to_string(limits.maxBytes) +
                            " bytes (allowed: at most " + sizeText(static_cast<std::uint64_t>(limits.maxBytes)) + ")");
    if (code != CURLE_OK)
        throw DownloadError("cannot download " + shown + ": " + (error[0] != '\0' ? printablePath(error) : curl_easy_strerror(code)));
    if (std::fflush(out.get()) != 0 || std::ferror(out.get()) != 0)
        throw DownloadError("cannot write the download of " + shown + " to " + file.string());
}

}  // namespace

ImportResult downloadMaps(std::span<const std::string> urls, const fs::path& targetDir,
                          const DownloadProgress& progress, const DownloadLimits& limits,
                          const ImportOptions& options) {
    const std::vector<std::string> defaults(kMapZipUrls.begin(), kMapZipUrls.end());
    if (urls.empty()) urls = defaults;

    const ScratchFolder scratch;
    std::vector<ImportSource> files;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        files.push_back({scratch.path() / localName(urls[i], i), printablePath(urls[i])});
        fetch(urls[i], files.back().file, progress, limits, options.stop);
    }
    return importMaps(files, targetDir, options);
}

}  // namespace tropolink::climate
