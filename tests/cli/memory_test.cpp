#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace {

// tropolink-cli --batch fed through a pipe while it runs, so its memory and
// its answers can be watched between lines.
class LiveBatch {
public:
    explicit LiveBatch(bool withValues, bool captureOutput) {
        int in[2];
        int out[2];
        EXPECT_EQ(pipe(in), 0);
        EXPECT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        if (captureOutput)
            posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        else
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::string batch = "--batch";
        std::string values = "--values";
        char* argv[] = {const_cast<char*>(TROPOLINK_CLI_PATH), batch.data(), withValues ? values.data() : nullptr,
                        nullptr};
        EXPECT_EQ(posix_spawn(&pid_, TROPOLINK_CLI_PATH, &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        input_ = in[1];
        output_ = out[0];
    }

    ~LiveBatch() {
        close(input_);
        close(output_);
        int status = 0;
        waitpid(pid_, &status, 0);
    }

    void send(const std::string& text) const {
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = write(input_, text.data() + done, text.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<std::size_t>(n);
        }
    }

    // Waits up to a generous limit for the next answer line.
    std::string receiveLine() const {
        std::string line;
        char c = 0;
        pollfd request{output_, POLLIN, 0};
        while (poll(&request, 1, 60'000) > 0 && read(output_, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }

    // Peak resident set size so far, from /proc, in kB.
    long peakResidentKb() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string key; status >> key;) {
            if (key == "VmHWM:") {
                long kb = 0;
                status >> kb;
                return kb;
            }
        }
        return -1;
    }

private:
    pid_t pid_ = 0;
    int input_ = -1;
    int output_ = -1;
};

std::string lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

// When a write returns, the lines not yet answered are those in the pipe and
// in the program's input buffer: a few thousand short lines at most. So the
// first sample comes after enough lines to have answered a couple of thousand.
TEST(MemoryTest, PeakMemoryStaysFlatOverAStreamOfLines) {
    for (const bool withValues : {false, true}) {
        const LiveBatch batch(withValues, false);
        batch.send(lines(8'000, "distance-km=300 s1.tx-power=12.5\n"));
        const long warmedUp = batch.peakResidentKb();
        batch.send(lines(32'000, "frequency-mhz=1000 HScroll1=200 power-div-1000\n"));
        const long later = batch.peakResidentKb();
        ASSERT_GT(warmedUp, 0);
        EXPECT_LE(later - warmedUp, 256) << "kB grown; values " << withValues;
    }
}

TEST(InteractiveTest, EachAnswerComesWhileTheInputWaits) {
    const LiveBatch batch(false, true);
    batch.send("distance-km=160\n");
    EXPECT_NE(batch.receiveLine().find("\"Text29\":\"Out of Range\""), std::string::npos);
    batch.send("nope\n");
    EXPECT_EQ(batch.receiveLine().substr(0, 10), "{\"line\":2,");
}

}  // namespace
