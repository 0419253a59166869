#include "batch/output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <limits>
#include <string>

#include "report/json_writer.h"
#include "run_cli.h"

namespace tropolink::cli {
namespace {

TEST(OutputTest, BuffersUntilFlushed) {
    const int fd = testing_support::temporaryFileWith("");
    Output out(fd);
    out.buffer() += "line\n";
    out.lineDone();
    EXPECT_EQ(testing_support::readAll(fd), "");
    EXPECT_TRUE(out.flush());
    EXPECT_EQ(testing_support::readAll(fd), "line\n");
    close(fd);
}

TEST(OutputTest, AFailedWriteIsKept) {
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    Output out(full);
    out.buffer() += "x";
    EXPECT_FALSE(out.flush());
    EXPECT_EQ(out.errorNumber(), ENOSPC);
    out.buffer() += "y";
    EXPECT_FALSE(out.flush());
    close(full);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    std::signal(SIGPIPE, SIG_IGN);  // as tropolink-cli does: a write error, not a signal
    Output toNobody(fds[1]);
    toNobody.buffer() += "x";
    EXPECT_FALSE(toNobody.flush());
    EXPECT_EQ(toNobody.errorNumber(), EPIPE);
    close(fds[1]);
}

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
