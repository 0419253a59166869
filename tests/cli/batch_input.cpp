#include "batch_input.h"

#include <unistd.h>

#include <random>

#include "cli/batch_run.h"
#include "engine/slider.h"
#include "run_cli.h"

namespace tropolink::cli::testing_support {

BatchOutput batchOn(const std::string& input, int jobs, bool withValues) {
    const int in = temporaryFileWith(input);
    const int outFd = temporaryFileWith("");
    Output out(outFd);
    const RunResult result = runBatch(in, out, withValues, jobs);
    BatchOutput run{result.exitStatus, readAll(outFd)};
    close(in);
    close(outFd);
    return run;
}

std::string randomSettings(int count, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    std::string text;
    for (int i = 0; i < count; ++i) {
        switch (pick(0, 19)) {
            case 0:
                text += "\n";
                continue;
            case 1:
                text += "  # a comment\n";
                continue;
            case 2:
                text += "nope=1\n";
                continue;
            case 3:
                text += "HScroll21=49 HScroll1=5\n";
                continue;  // below the range
            case 4:
                text += "distance-km=300 distance-km=301\r\n";
                continue;
            default:
                break;
        }
        for (int words = pick(1, 8); words > 0; --words) {
            const SliderSpec& s = kSliders[static_cast<std::size_t>(pick(0, kSliderCount - 1))];
            text += std::string(s.name) + "=" + std::to_string(pick(s.minimum, s.maximum)) + " ";
        }
        if (pick(0, 3) == 0) text += "power-div-1000";
        text += "\n";
    }
    return text;
}

}  // namespace tropolink::cli::testing_support
