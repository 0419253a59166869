#include "batch/line_pipeline.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "batch/ordered_workers.h"
#include "io/descriptor.h"

namespace tropolink {
namespace {

// A chunk ends at whichever comes first; with the ring of slots below this
// bounds the memory the workers hold, whatever the input.
constexpr std::size_t kChunkLines = 64;
constexpr std::size_t kChunkInputBytes = 64 * 1024;
// Room for the answers of a whole chunk, reserved once: pages are only
// touched as answers fill them, and a buffer that never moves never grows.
constexpr std::size_t kChunkOutputBytes = kChunkLines * 4 * 1024;

struct LineRecord {
    std::size_t offset = 0;
    std::size_t size = 0;
    bool truncated = false;
    std::size_t truncatedLength = 0;
    std::optional<char> firstNonBlank;
};

// Consecutive input lines, copied out of the reader's buffer, and their answers.
struct Chunk {
    long long firstLineNumber = 1;
    std::string input;
    std::vector<LineRecord> lines;
    std::string output;
    LineOutcome worst = LineOutcome::Nothing;
    bool flushAfter = false;  // the reader waited for input after this chunk

    Chunk() {
        input.reserve(kChunkInputBytes + kMaxLineBytes);
        lines.reserve(kChunkLines);
        output.reserve(kChunkOutputBytes);
    }

    void clear(long long firstNumber) {
        firstLineNumber = firstNumber;
        input.clear();
        lines.clear();
        output.clear();
        worst = LineOutcome::Nothing;
        flushAfter = false;
    }
    void add(const InputLine& line) {
        lines.push_back({input.size(), line.text.size(), line.truncated, line.truncatedLength, line.firstNonBlank});
        input += line.text;
    }
    bool full() const { return lines.size() >= kChunkLines || input.size() >= kChunkInputBytes; }
    InputLine line(std::size_t i) const {
        const LineRecord& r = lines[i];
        return {std::string_view(input).substr(r.offset, r.size), r.truncated, r.truncatedLength, r.firstNonBlank};
    }
};

LineOutcome worse(LineOutcome a, LineOutcome b) { return std::max(a, b); }

LinesAnswered answered(const Output& out, const LineReader& reader, LineOutcome worst) {
    return {worst, out.errorNumber(), reader.errorNumber()};
}

LinesAnswered answerOnThisThread(int inputFd, Output& out, const MakeLineWork& makeWork) {
    LineReader reader(inputFd, [&out] { out.flush(); });
    const LineWork work = makeWork();
    InputLine line;
    LineOutcome worst = LineOutcome::Nothing;
    for (long long number = 1; !out.failed() && reader.next(line); ++number) {
        worst = worse(worst, work(line, number, out.buffer()));
        out.lineDone();
    }
    out.flush();
    return answered(out, reader, worst);
}

// A pipe whose write end, once written, tells a reader waiting for input to
// give up. Its ends are kept clear of 0, 1 and 2, so that a closed standard
// input is never read as this pipe.
class WakePipe {
public:
    WakePipe() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
        readEnd_ = Descriptor(aboveStandardStreams(fds[0]));
        writeEnd_ = Descriptor(aboveStandardStreams(fds[1]));
    }
    int readEnd() const { return writeEnd_.get() < 0 ? -1 : readEnd_.get(); }
    void wake() const {
        const char byte = 1;
        if (writeEnd_.get() >= 0 && ::write(writeEnd_.get(), &byte, 1) < 0) return;  // already woken
    }

private:
    Descriptor readEnd_;
    Descriptor writeEnd_;
};

LinesAnswered answerWithWorkers(int inputFd, Output& out, int jobs, const MakeLineWork& makeWork) {
    const auto slots = static_cast<std::size_t>(2 * jobs + 2);
    std::vector<Chunk> chunks(slots);
    LineOutcome worst = LineOutcome::Nothing;
    const WakePipe wakePipe;  // outlives the workers, whose stop writes to it
    OrderedWorkers workers(
        jobs, slots,
        [&]() -> OrderedWorkers::Work {
            return [&chunks, &workers, work = makeWork()](std::size_t slot) {
                Chunk& chunk = chunks[slot];
                for (std::size_t i = 0; i < chunk.lines.size() && !workers.stopped(); ++i) {
                    const long long number = chunk.firstLineNumber + static_cast<long long>(i);
                    chunk.worst = worse(chunk.worst, work(chunk.line(i), number, chunk.output));
                }
            };
        },
        [&](std::size_t slot) {
            Chunk& chunk = chunks[slot];
            worst = worse(worst, chunk.worst);
            out.buffer() += chunk.output;
            if (chunk.flushAfter)
                out.flush();
            else
                out.lineDone();
            return !out.failed();
        },
        [&wakePipe] { wakePipe.wake(); });

    std::optional<std::size_t> slot = workers.acquire();
    long long nextNumber = 1;
    const auto handOver = [&] {
        nextNumber += static_cast<long long>(chunks[*slot].lines.size());
        workers.submit();
        slot = workers.acquire();
        if (slot) chunks[*slot].clear(nextNumber);
    };
    if (slot) chunks[*slot].clear(nextNumber);
    LineReader reader(inputFd, [&] {
        if (!slot || chunks[*slot].lines.empty()) return;
        chunks[*slot].flushAfter = true;
        handOver();
    });
    reader.setWakeFd(wakePipe.readEnd());
    InputLine line;
    while (slot && reader.next(line)) {
        if (!slot) break;  // stopped while the reader waited
        chunks[*slot].add(line);
        if (chunks[*slot].full()) handOver();
    }
    if (slot && !chunks[*slot].lines.empty()) handOver();
    workers.finish();
    out.flush();
    return answered(out, reader, worst);
}

}  // namespace

LinesAnswered answerLines(int inputFd, Output& out, int jobs, const MakeLineWork& makeWork) {
    if (jobs <= 1) return answerOnThisThread(inputFd, out, makeWork);
    return answerWithWorkers(inputFd, out, jobs, makeWork);
}

}  // namespace tropolink
