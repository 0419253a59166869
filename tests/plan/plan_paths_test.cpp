#include <gtest/gtest.h>

#include <string>

#include "plan/plan_paths.h"

namespace tropolink {
namespace {

struct MoveCase {
    const char* from;  // the plan's file
    const char* to;    // where it is saved
    const char* written;
    const char* expected;
};

class PlanPathsTest : public testing::TestWithParam<MoveCase> {};

TEST_P(PlanPathsTest, RelativePathsNameTheSameFilesFromTheNewFolder) {
    const MoveCase& c = GetParam();
    Plan plan;
    plan.file = c.from;
    plan.path.dem = {{c.written, {3, 7}}};
    plan.path.profile = PlanText{c.written, {4, 11}};
    const Plan moved = planMovedTo(plan, c.to);
    EXPECT_EQ(moved.path.dem.at(0).text, c.expected);
    EXPECT_EQ(moved.path.profile->text, c.expected);
    EXPECT_EQ(moved.path.dem.at(0).at.line, 3);  // messages still name the place it was read from
}

INSTANTIATE_TEST_SUITE_P(
    Moves, PlanPathsTest,
    testing::Values(MoveCase{"/p/a/link.tropolink.toml", "/p/a/copy.tropolink.toml", "srtm/", "srtm/"},
                    MoveCase{"/p/a/link.tropolink.toml", "/p/a/copy.tropolink.toml", "./x/../t.tif", "./x/../t.tif"},
                    MoveCase{"/p/a/link.tropolink.toml", "/p/b/link.tropolink.toml", "srtm/", "../a/srtm/"},
                    MoveCase{"/p/a/link.tropolink.toml", "/p/b/link.tropolink.toml", "t.tif", "../a/t.tif"},
                    MoveCase{"/p/a/link.tropolink.toml", "/p/link.tropolink.toml", "../x/t.tif", "x/t.tif"},
                    MoveCase{"/p/a/link.tropolink.toml", "/p/a/deeper/link.tropolink.toml", "t.tif", "../t.tif"},
                    MoveCase{"/p/a/link.tropolink.toml", "/p/a/deeper/link.tropolink.toml", "deeper/t.tif",
                             "t.tif"},
                    MoveCase{"/p/a/link.tropolink.toml", "/q/link.tropolink.toml", "/abs/t.tif", "/abs/t.tif"}));

TEST(PlanPathsMoveTest, APlanWithoutPathsIsUnchanged) {
    Plan plan;
    plan.file = "/p/a/link.tropolink.toml";
    const Plan moved = planMovedTo(plan, "/elsewhere/link.tropolink.toml");
    EXPECT_TRUE(moved.path.dem.empty());
    EXPECT_FALSE(moved.path.profile.has_value());
}

}  // namespace
}  // namespace tropolink
