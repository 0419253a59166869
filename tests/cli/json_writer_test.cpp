#include "report/json_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace tropolink::cli {
namespace {

struct NumberCase {
    double value;
    std::string text;
};

class JsonNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(JsonNumberTest, IsTheShortestTextThatReadsBack) {
    std::string out;
    JsonWriter(out).number(GetParam().value);
    EXPECT_EQ(out, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, JsonNumberTest,
                         testing::Values(NumberCase{0.1, "0.1"}, NumberCase{-180.60437708080627, "-180.60437708080627"},
                                         // A value where Grisu2 gives one digit more.
                                         NumberCase{-269.45273190586647, "-269.4527319058665"},
                                         NumberCase{1e300, "1e+300"}, NumberCase{-0.0, "-0"}, NumberCase{2, "2"},
                                         NumberCase{std::numeric_limits<double>::infinity(), "null"},
                                         NumberCase{std::numeric_limits<double>::quiet_NaN(), "null"}));

TEST(JsonWriterTest, SeparatesMembersOfNestedObjects) {
    std::string out;
    JsonWriter json(out);
    json.beginObject();
    json.member("a", 1.0);
    json.key("b");
    json.beginObject();
    json.member("c", true);
    json.member("d", std::optional<double>{});
    json.endObject();
    json.member("e", "text");
    json.endObject();
    EXPECT_EQ(out, R"({"a":1,"b":{"c":true,"d":null},"e":"text"})");
}

}  // namespace
}  // namespace tropolink::cli
