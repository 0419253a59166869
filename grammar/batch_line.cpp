#include "grammar/batch_line.h"

#include <algorithm>

namespace tropolink {
namespace {

// Takes the next word off the front of `rest`; empty when none is left.
std::string_view takeWord(std::string_view& rest) {
    const auto blank = [](char c) { return isBlank(c); };
    const auto begin = std::find_if_not(rest.begin(), rest.end(), blank);
    const auto end = std::find_if(begin, rest.end(), blank);
    const std::string_view word(begin, end);
    rest = std::string_view(end, rest.end());
    return word;
}

// The power/1000 word sets the unit of both power aliases, so it is read first.
bool readPowerWord(std::string_view line) {
    // Most lines hold no such word at all, and then need no second reading.
    if (line.find(kPowerDividedBy1000Word) == std::string_view::npos) return false;
    bool seen = false;
    for (std::string_view word = takeWord(line); !word.empty(); word = takeWord(line)) {
        if (word != kPowerDividedBy1000Word) continue;
        if (seen) refuseRepeatedPowerOption(word);
        seen = true;
    }
    return seen;
}

}  // namespace

bool asksForNothing(std::optional<char> firstNonBlankByte) { return !firstNonBlankByte || *firstNonBlankByte == '#'; }

Settings parseBatchLine(std::string_view line) {
    SettingsBuilder builder(readPowerWord(line));
    for (std::string_view word = takeWord(line); !word.empty(); word = takeWord(line))
        if (word != kPowerDividedBy1000Word) builder.assign(word);
    return builder.settings();
}

}  // namespace tropolink
