// The one ground reader: each source, each refusal as one line naming the
// file, and I/O failures apart from refused content.
#include "ground/ground.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "terrain/geodesic_path.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::StartsWith;

const std::string kHillPath = std::string(TROPOLINK_SOURCE_DIR) + "/docs/examples/hill-path.csv";
// Two sites about 100.3 km apart along a meridian.
constexpr terrain::Site kSite1{50.0, 10.0};
constexpr terrain::Site kSite2{50.9, 10.0};

class GroundTest : public testing::Test {
protected:
    GroundTest() : dir_(fs::temp_directory_path() / ("ground-test-" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
    }
    ~GroundTest() override { fs::remove_all(dir_); }
    std::string csv(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name) << text;
        return (dir_ / name).string();
    }
    // A flat profile as long as the path between kSite1 and kSite2, times `stretch`.
    std::string flatBetweenTheSites(double stretch) const {
        const double km = terrain::GeodesicPath(kSite1, kSite2).lengthKm() * stretch;
        return csv("flat.csv", "0,100\n" + std::to_string(km / 2) + ",100\n" + std::to_string(km) + ",100\n");
    }

private:
    fs::path dir_;
};

TEST_F(GroundTest, ACsvAloneIsNamedByItsFileAndStaysUnplaced) {
    const Ground ground = readGround({.profileFile = kHillPath});
    EXPECT_EQ(ground.name, kHillPath);
    EXPECT_GT(ground.points.size(), 3u);
    EXPECT_EQ(ground.points.front().distanceKm, 0);
    EXPECT_FALSE(ground.placed);
}

TEST_F(GroundTest, ACsvWithSitesLiesAlongTheGeodesic) {
    const Ground ground = readGround({.profileFile = flatBetweenTheSites(1), .sites = std::pair{kSite1, kSite2}});
    ASSERT_TRUE(ground.placed);
    EXPECT_EQ(ground.placed->points.size(), ground.points.size());
    EXPECT_NEAR(ground.placed->path.latDeg.back(), kSite2.latDeg, 1e-6);
    EXPECT_FALSE(ground.placed->fromDem);
}

// Every refusal of content is one GroundError line naming the file.
TEST_F(GroundTest, RefusedGroundIsOneLineNamingTheFile) {
    struct Case {
        const char* what;
        GroundSource source;
        std::string expected;
    };
    const std::string bad = csv("bad.csv", "0,100\n1,abc\n2,100\n");
    const std::string few = csv("few.csv", "0,100\n1,100\n");
    const Case cases[] = {
        {"a bad row", {.profileFile = bad}, bad + ": row 2: abc: height is not a number"},
        {"too few points", {.profileFile = few}, few + ": "},
        {"longer than the sites' distance",
         {.profileFile = flatBetweenTheSites(1.02), .sites = std::pair{kSite1, kSite2}},
         " km long, the path between the sites "},
        {"a DEM that is not there", {.dems = {"/no/such/dem.tif"}, .sites = std::pair{kSite1, kSite2}}, "/no/such/dem.tif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            readGround(c.source);
            ADD_FAILURE() << "accepted";
        } catch (const GroundError& e) {
            EXPECT_THAT(e.what(), HasSubstr(c.expected));
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
        }
    }
}

TEST_F(GroundTest, AFileThatCannotBeReadIsAnErrorCodeNotARefusal) {
    try {
        readGround({.profileFile = "/no/such/profile.csv"});
        FAIL() << "read";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::error_code(ENOENT, std::generic_category()));
        EXPECT_STREQ(e.what(), "cannot read /no/such/profile.csv: No such file or directory");
    }
}

TEST_F(GroundTest, SettingsThatCannotBeHadNameTheGround) {
    const Ground ground = readGround({.profileFile = kHillPath});
    EXPECT_NO_THROW(groundSettings(ground, 10, 10));
    try {
        groundSettings(ground, 20000, 10);
        FAIL() << "accepted";
    } catch (const GroundError& e) {
        EXPECT_THAT(e.what(), StartsWith(kHillPath + ": "));
    }
}

}  // namespace
}  // namespace tropolink
