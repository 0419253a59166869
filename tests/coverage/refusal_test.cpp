// What a map refuses before any work, in one line, and what it leaves when it
// stops or fails: the old files as they were, and nothing else.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "child_process.h"
#include "coverage/coverage_run.h"
#include "coverage_fixtures.h"
#include "grammar/input_error.h"
#include "terrain/terrain_error.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;

template <typename Run>
std::string refusal(Run run) {
    try {
        run();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "ran";
}

void writeText(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

// Draws nothing, or fails.
class StubRenderer : public PictureRenderer {
public:
    explicit StubRenderer(bool fail) : fail_(fail) {}
    Pictures render(const PictureInput&) override {
        if (fail_) throw std::runtime_error("no font");
        return {"png", "overlay", "legend"};
    }

private:
    bool fail_;
};

TEST(CoverageRefusalTest, TableOfRefusalsBeforeAnyWork) {
    const Tiles tiles;
    TempDir out;
    const TroposcatterMethod method(troposcatterSettings(itur::ItuMethod::P617), MapsInUse{});
    const std::string tif = (out / "map.tif").string();
    fs::create_directory(out / "folder");
    const std::string missingFolder = (out / "no-such-folder" / "map.tif").string();
    CoverageSetup offTile = setupFor(tiles.dems, method, 10, 500, {46.5, -71.5});
    CoverageSetup fineStep = setupFor(tiles.dems, method, 500, 5000);
    fineStep.profile.stepM = 2;
    const CoverageSetup fine = setupFor(tiles.dems, method, 10, 500);
    const struct {
        const CoverageSetup& setup;
        CoverageOutputs outputs;
        std::string message;
    } cases[] = {
        {offTile, {.geotiff = tif},
         "--site 46.5,-71.5: outside every DEM (allowed: a site that a --dem file or tile holds)"},
        {fineStep, {.geotiff = tif},
         "--step-m 2: needs 250002 points on a path of 500 km (allowed: a step of at least 6 m for this radius)"},
        {fine, {.geotiff = missingFolder}, "cannot open " + missingFolder + ": No such file or directory"},
        {fine, {.geotiff = tif, .png = missingFolder}, "cannot open " + missingFolder + ": No such file or directory"},
        {fine, {.geotiff = "/dev/null"}, "cannot write /dev/null: not a regular file"},
        {fine, {.geotiff = tif, .kmz = (out / "." / "map.tif").string()},
         "cannot write " + (out / "." / "map.tif").string() + ": also named as another output"},
    };
    for (const auto& c : cases) {
        StubRenderer pictures(false);
        EXPECT_EQ(refusal([&] { runCoverage(c.setup, c.outputs, {.jobs = 2, .pictures = &pictures}); }), c.message);
        EXPECT_EQ(filesIn(out.path()), std::vector<std::string>{"folder"}) << c.message;
    }
}

// Inputs that would refuse every path are refused once, before the map.
TEST(CoverageRefusalTest, MethodsRefuseWhatWouldFailEveryPath) {
    const auto p2001With = [](auto change) {
        P2001Settings s = p2001Settings();
        change(s);
        return refusal([&] { P2001Method(s, placeDependentMaps()); });
    };
    EXPECT_EQ(p2001With([](P2001Settings& s) { s.frequencyMhz = 29; }).rfind("frequency", 0), 0u);
    EXPECT_NE(p2001With([](P2001Settings& s) { s.percents = {50, 100}; }), "ran");
    EXPECT_EQ(p2001With([](P2001Settings& s) { s.mast2M = 0; }),
              "receiver antenna height must be above 0 m (above ground); got 0");
    EXPECT_EQ(p2001With([](P2001Settings&) {}), "ran");
    TroposcatterSettings t = troposcatterSettings(itur::ItuMethod::P617, {0.00001, 100});
    EXPECT_EQ(refusal([&] { TroposcatterMethod(t, MapsInUse{}); }),
              "--percent 100: out of range (allowed: a plain decimal strictly between 0 and 100)");
}

class NoPartialFileTest : public ::testing::Test {
protected:
    NoPartialFileTest() : method(troposcatterSettings(itur::ItuMethod::P617), MapsInUse{}) {
        writeText(out / "map.tif", "old map");
        writeText(out / "map.png", "old picture");
    }
    void expectOldFilesOnly() {
        EXPECT_EQ(filesIn(out.path()), (std::vector<std::string>{"map.png", "map.tif"}));
        EXPECT_EQ(fileBytes((out / "map.tif").string()), "old map");
        EXPECT_EQ(fileBytes((out / "map.png").string()), "old picture");
    }
    CoverageOutputs outputs() const {
        return {.geotiff = (out / "map.tif").string(), .png = (out / "map.png").string(), .kmz = (out / "map.kmz").string()};
    }

    Tiles tiles;
    TempDir out;
    TroposcatterMethod method;
};

TEST_F(NoPartialFileTest, StoppedRun) {
    const CoverageSetup setup = setupFor(tiles.dems, method, 40, 300);
    std::atomic<bool> stop{false};
    StubRenderer pictures(false);
    std::size_t ticks = 0;
    const auto progress = [&](const CoverageProgress& p) {
        ++ticks;
        if (p.cellsDone > 0) stop = true;
    };
    EXPECT_THROW(runCoverage(setup, outputs(), {.jobs = 2, .progress = progress, .stop = &stop, .pictures = &pictures}),
                 CoverageStopped);
    EXPECT_GT(ticks, 0u);
    expectOldFilesOnly();
    // Stopped before it starts.
    EXPECT_THROW(runCoverage(setup, outputs(), {.jobs = 1, .stop = &stop, .pictures = &pictures}), CoverageStopped);
    expectOldFilesOnly();
}

TEST_F(NoPartialFileTest, FailedPicture) {
    const CoverageSetup setup = setupFor(tiles.dems, method, 8, 500);
    StubRenderer pictures(true);
    EXPECT_EQ(refusal([&] { runCoverage(setup, outputs(), {.jobs = 2, .pictures = &pictures}); }),
              "cannot write " + (out / "map.png").string() + ": no font");
    expectOldFilesOnly();
}

TEST_F(NoPartialFileTest, FailedWriteOnAFullDisk) {
    const CoverageSetup setup = setupFor(tiles.dems, method, 15, 200);
    StubRenderer pictures(false);
    // Writes beyond 10 kB fail, as on a full disk; in a child, which the limit stays with.
    const auto outcome = terrain::testing_support::runInChild(
        [&] { runCoverage(setup, outputs(), {.jobs = 2, .pictures = &pictures}); }, {.fileBytes = 10000});
    EXPECT_EQ(outcome.end, terrain::testing_support::ChildOutcome::End::OtherError) << outcome.message;
    EXPECT_EQ(outcome.message.rfind("cannot write " + (out / "map.tif").string() + ": ", 0), 0u) << outcome.message;
    expectOldFilesOnly();
}

TEST_F(NoPartialFileTest, GroundNoDemCanHoldStopsTheMap) {
    // A post of 20 km: a DEM fault, which ends the map with its one line.
    const Tiles spiked([](double lat, double lon) { return std::hypot(lat - 44.55, lon + 71.45) < 0.002 ? 20000 : 100.0; });
    const CoverageSetup setup = setupFor(spiked.dems, method, 15, 500);
    StubRenderer pictures(false);
    const std::string message = refusal([&] { runCoverage(setup, outputs(), {.jobs = 2, .pictures = &pictures}); });
    EXPECT_NE(message.find(": height 20000 m near "), std::string::npos) << message;
    expectOldFilesOnly();
}

TEST_F(NoPartialFileTest, CommittedTogether) {
    const CoverageSetup setup = setupFor(tiles.dems, method, 8, 500);
    StubRenderer pictures(false);
    runCoverage(setup, outputs(), {.jobs = 2, .pictures = &pictures});
    EXPECT_EQ(filesIn(out.path()), (std::vector<std::string>{"map.kmz", "map.png", "map.tif"}));
    EXPECT_EQ(fileBytes((out / "map.png").string()), "png");
    EXPECT_EQ(fileBytes((out / "map.tif").string()).rfind("II*", 0), 0u);
}

}  // namespace
}  // namespace tropolink::coverage
