#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "climate/download.h"
#include "climate/map_error.h"
#include "local_server.h"
#include "synthetic_maps.h"
#include "zip_writer.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

struct Zips {
    std::string p1812;
    std::string p2001;
};

Zips syntheticZips(const ScratchDir& dir) {
    writeZip(dir / "a.zip", {{"maps/N050.TXT", n0Text()}, {"maps/DN50.TXT", deltaNText()}});
    writeZip(dir / "b.zip", {{"TropoClim.txt", zoneText(3)}});
    return {readFile(dir / "a.zip"), readFile(dir / "b.zip")};
}

TEST(DownloadTest, FetchesAndInstallsTheMaps) {
    const ScratchDir dir;
    const Zips zips = syntheticZips(dir);
    LocalServer server({{"/rec/R-REC-P.1812-7-202308-I!!ZIP-E.zip", zips.p1812}, {"/rec/p2001.zip", zips.p2001}});
    // The second address moved: redirects are followed.
    const std::vector<std::string> urls{server.url("/rec/R-REC-P.1812-7-202308-I!!ZIP-E.zip"),
                                        server.url("/old/p2001.zip")};
    LocalServer redirecting({{"/old/p2001.zip", "Location: " + server.url("/rec/p2001.zip")}});
    const std::vector<std::string> both{urls[0], redirecting.url("/old/p2001.zip")};

    std::map<std::string, std::int64_t> received;
    const ImportResult result = downloadMaps(both, dir / "maps", [&](std::string_view url, std::int64_t got, std::int64_t) {
        received[std::string(url)] = got;
    });
    EXPECT_EQ(result.installed.size(), 3u);
    EXPECT_EQ(result.missing.size(), 13u);  // the complete P.2001 method's own
    EXPECT_EQ(readFile(dir / "maps" / "N050.TXT"), n0Text());
    EXPECT_EQ(readFile(dir / "maps" / "TropoClim.txt"), zoneText(3));
    EXPECT_EQ(received[both[0]], static_cast<std::int64_t>(zips.p1812.size()));
    EXPECT_EQ(received[both[1]], static_cast<std::int64_t>(zips.p2001.size()));
}

TEST(DownloadTest, AFailedDownloadInstallsNothing) {
    const ScratchDir dir;
    const Zips zips = syntheticZips(dir);
    LocalServer server({{"/a.zip", zips.p1812}, {"/b.zip", zips.p2001}});
    const std::string refused = "http://127.0.0.1:" + std::to_string(LocalServer::closedPort()) + "/b.zip";
    struct Case {
        std::vector<std::string> urls;
        std::string failed;  // the address the message names
        std::string reason;  // part of the reason given
    };
    const std::vector<Case> cases{
        {{server.url("/a.zip"), server.url("/missing.zip")}, server.url("/missing.zip"), "404"},
        {{server.url("/a.zip"), refused}, refused, "onnect"},
        {{"ftp://127.0.0.1/a.zip"}, "ftp://127.0.0.1/a.zip", "rotocol"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failed);
        try {
            downloadMaps(c.urls, dir / "maps");
            ADD_FAILURE() << "downloaded";
        } catch (const DownloadError& e) {
            const std::string message = e.what();
            EXPECT_TRUE(message.starts_with("cannot download " + c.failed + ": ")) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
        EXPECT_FALSE(fs::exists(dir / "maps"));
    }
}

TEST(DownloadTest, AZipWithoutTheMapsIsRefused) {
    const ScratchDir dir;
    writeZip(dir / "other.zip", {{"readme.txt", "no maps"}});
    LocalServer server({{"/R-REC-P.2001-5.zip", readFile(dir / "other.zip")}});
    const std::vector<std::string> urls{server.url("/R-REC-P.2001-5.zip")};
    try {
        downloadMaps(urls, dir / "maps");
        ADD_FAILURE() << "installed";
    } catch (const InstallError& e) {
        EXPECT_NE(std::string(e.what()).find("R-REC-P.2001-5.zip: holds none of N050.TXT, DN50.TXT, TropoClim.txt, DN_Median.txt, "),
                  std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(fs::exists(dir / "maps"));
}

}  // namespace
}  // namespace tropolink::climate
