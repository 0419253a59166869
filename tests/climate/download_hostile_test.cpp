// Downloads from a server that works against the tool: it trickles, it sends
// without end, it sends a ZIP that is refused, or the user stops it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "climate/download.h"
#include "climate/map_error.h"
#include "local_server.h"
#include "stored_zip.h"
#include "synthetic_maps.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Limits small enough for a test to reach in seconds.
DownloadLimits smallLimits() {
    DownloadLimits limits;
    limits.windowSeconds = 2;
    limits.maxBytes = 1 << 20;
    return limits;
}

// Downloads `url` into dir/maps, which must stay absent; returns the refusal.
std::string refusal(const ScratchDir& dir, const std::string& url, const DownloadLimits& limits = smallLimits(),
                    const ImportOptions& options = {}) {
    const std::vector<std::string> urls{url};
    try {
        downloadMaps(urls, dir / "maps", {}, limits, options);
        ADD_FAILURE() << "downloaded " << url;
    } catch (const std::exception& e) {
        EXPECT_FALSE(fs::exists(dir / "maps"));
        return e.what();
    }
    return {};
}

TEST(DownloadHostileTest, AServerThatTricklesIsGivenUp) {
    const ScratchDir dir;
    LocalServer server({{"/slow.zip", std::string(LocalServer::kTrickle)}});
    // Ten bytes a second: more than a stall limit of one byte a second lets through.
    const std::string message = refusal(dir, server.url("/slow.zip"));
    EXPECT_TRUE(message.starts_with("cannot download " + server.url("/slow.zip") + ": ")) << message;
    EXPECT_NE(message.find("too slow"), std::string::npos) << message;
    EXPECT_NE(message.find("1024 bytes"), std::string::npos) << message;
}

TEST(DownloadHostileTest, ABodyBeyondTheSizeLimitIsRefusedBeforeItIsWritten) {
    const ScratchDir dir;
    LocalServer server(
        {{"/announced.zip", std::string((1 << 20) + 1, 'x')}, {"/endless.zip", std::string(LocalServer::kEndless)}});
    for (const std::string path : {"/announced.zip", "/endless.zip"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(refusal(dir, server.url(path)),
                  "cannot download " + server.url(path) + ": larger than 1048576 bytes (allowed: at most 1 MiB)");
    }
    // A body of exactly the limit is let through, to be refused as no ZIP.
    LocalServer exact({{"/exact.zip", std::string(1 << 20, 'x')}});
    EXPECT_EQ(refusal(dir, exact.url("/exact.zip")),
              exact.url("/exact.zip") + ": neither a ZIP nor one of "
              "N050.TXT, DN50.TXT, TropoClim.txt, DN_Median.txt, DN_SupSlope.txt, DN_SubSlope.txt, dndz_01.txt, surfwv_50_fixed.txt, h0.txt, Esarain_Pr6_v5.txt, Esarain_Mt_v5.txt, Esarain_Beta_v5.txt, FoEs0.1.txt, FoEs01.txt, FoEs10.txt and FoEs50.txt");
}

TEST(DownloadHostileTest, RefusalsOfWhatWasDownloadedNameTheAddress) {
    const ScratchDir dir;
    std::string edited = n0Text();
    edited[0] = '4';
    LocalServer server({{"/p1812.zip", storedZip({{"N050.TXT", edited, crc32Of(n0Text())}})},
                        {"/empty.zip", storedZip({{"readme.txt", "no maps", {}}})}});
    EXPECT_EQ(refusal(dir, server.url("/p1812.zip")),
              server.url("/p1812.zip") + "/N050.TXT: its data does not match its CRC (allowed: an intact ZIP)");
    EXPECT_EQ(
        refusal(dir, server.url("/empty.zip")),
        server.url("/empty.zip") + ": holds none of "
        "N050.TXT, DN50.TXT, TropoClim.txt, DN_Median.txt, DN_SupSlope.txt, DN_SubSlope.txt, dndz_01.txt, surfwv_50_fixed.txt, h0.txt, Esarain_Pr6_v5.txt, Esarain_Mt_v5.txt, Esarain_Beta_v5.txt, FoEs0.1.txt, FoEs01.txt, FoEs10.txt and FoEs50.txt, not even in a ZIP within it");
}

// Control characters in an address, as a pasted one may hold, would split
// the one-line refusal or reach the terminal as escapes.
TEST(DownloadHostileTest, ControlCharactersInTheAddressAreShownEscaped) {
    const ScratchDir dir;
    for (const std::string& url : {std::string("http://127.0.0.1:9/a\nb.zip"), std::string("http://127.0.0.1:9/\x1b[2Jc.zip")}) {
        const std::string refused = refusal(dir, url);
        EXPECT_EQ(refused.find_first_of("\n\x1b"), std::string::npos) << refused;
        EXPECT_TRUE(refused.starts_with("cannot download http://127.0.0.1:9/")) << refused;
    }
    EXPECT_NE(refusal(dir, "http://127.0.0.1:9/a\nb.zip").find("/a\\nb.zip"), std::string::npos);
}

TEST(DownloadHostileTest, ADownloadStoppedByItsCallerInstallsNothing) {
    const ScratchDir dir;
    LocalServer server({{"/endless.zip", std::string(LocalServer::kEndless)}});
    std::atomic<bool> stop{false};
    ImportOptions options;
    options.stop = &stop;
    DownloadLimits unlimited;
    unlimited.maxBytes = std::int64_t{1} << 62;
    const std::vector<std::string> urls{server.url("/endless.zip")};
    try {
        downloadMaps(
            urls, dir / "maps", [&](std::string_view, std::int64_t received, std::int64_t) { stop = received > 0; },
            unlimited, options);
        ADD_FAILURE() << "downloaded without end";
    } catch (const ImportCancelled& e) {
        EXPECT_EQ(std::string(e.what()), "cancelled; no map was installed");
    }
    EXPECT_FALSE(fs::exists(dir / "maps"));
}

}  // namespace
}  // namespace tropolink::climate
