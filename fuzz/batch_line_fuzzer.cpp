// Feeds arbitrary bytes to the batch-line and NAME=VALUE parsers, and through
// the whole batch loop, checking what must hold for every input: each answer
// is one line of valid JSON, refusals are printable ASCII, and no line that
// passes validation makes the pass fail.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "cli/batch_run.h"
#include "fuzz/fuzz_checks.h"
#include "grammar/decimal.h"
#include "grammar/input_error.h"
#include "grammar/setting_names.h"
#include "grammar/settings.h"

namespace {

using tropolink::fuzz::isPlainAscii;
using tropolink::fuzz::require;

using namespace tropolink;
using namespace tropolink::cli;

void checkAnswer(std::string_view answer, LineOutcome outcome) {
    if (outcome == LineOutcome::Nothing) {
        require(answer.empty(), "a skipped line is answered");
        return;
    }
    require(outcome != LineOutcome::NumericFault, "a validated line fails its pass");
    require(!answer.empty() && answer.back() == '\n' && answer.find('\n') == answer.size() - 1,
            "an answer is not one line");
    const auto object = nlohmann::json::parse(answer.substr(0, answer.size() - 1));  // throws on bad JSON
    if (outcome == LineOutcome::BadInput) {
        require(isPlainAscii(object.at("error").get<std::string>()), "a refusal is not plain ASCII");
        return;
    }
    for (int n = 1; n <= 52; ++n)
        require(isPlainAscii(object.at("Text" + std::to_string(n)).get<std::string>()),
                "a box text is not plain ASCII");
}

void answerEachLine(std::string_view input, bool withValues) {
    static HeadlessWindow window;
    std::string answer;
    long long number = 0;
    for (std::size_t begin = 0; begin <= input.size();) {
        const auto end = std::min(input.find('\n', begin), input.size());
        answer.clear();
        InputLine line;
        line.text = input.substr(begin, end - begin);
        const LineOutcome outcome = answerLine(line, ++number, withValues, window, answer);
        checkAnswer(answer, outcome);
        begin = end + 1;
    }
}

void assignDirectly(std::string_view input) {
    try {
        SettingsBuilder builder(input.size() % 2 == 0);
        builder.assign(input);
        for (const SliderSpec& info : kSliders) {
            const int position = builder.settings().positions[static_cast<std::size_t>(sliderIndex(info.slider))];
            require(position >= info.minimum && position <= info.maximum, "a position outside its slider");
        }
    } catch (const InputError& e) {
        require(isPlainAscii(e.what()), "a refusal is not plain ASCII");
    }
}

// A position read from a value must read back from the value's own text.
void readDecimal(std::string_view input) {
    for (const int perUnit : {1, 10}) {
        const DecimalPosition p = decimalToPosition(input, perUnit);
        if (p.status != DecimalStatus::Ok || p.position < 0 || p.position > 1'000'000) continue;
        const std::string shown = shownValue(static_cast<int>(p.position), perUnit);
        require(decimalToPosition(shown, perUnit).position == p.position, "a value does not read back");
    }
}

// The batch loop itself, reading the input through its file descriptor.
void runWholeBatch(std::string_view input) {
    static const int devNull = open("/dev/null", O_WRONLY);
    const int fd = memfd_create("batch", 0);
    require(fd >= 0 && write(fd, input.data(), input.size()) == static_cast<ssize_t>(input.size()), "no memory file");
    lseek(fd, 0, SEEK_SET);
    Output out(devNull);
    const RunResult result = runBatch(fd, out, false);
    require(result.exitStatus == 0 || result.exitStatus == 2, "a batch ends with an unexpected status");
    close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    answerEachLine(input, size % 3 == 0);
    assignDirectly(input);
    readDecimal(input);
    runWholeBatch(input);
    return 0;
}
