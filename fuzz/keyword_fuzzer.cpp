// Feeds arbitrary "keyword=value" texts through the parser the Python module
// uses for its keywords: the keyword names a setting or is refused, and the
// value is read as that slider's VALUE. Checks that a refusal is one plain
// ASCII line, that an accepted value lies on the slider's range, and that
// the keyword of every alias names that alias.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "grammar/decimal.h"
#include "grammar/input_error.h"
#include "grammar/keyword_names.h"
#include "grammar/settings.h"

namespace {

using tropolink::fuzz::isPlainAscii;
using tropolink::fuzz::require;

using namespace tropolink;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t equals = input.find('=');
    const std::string_view keyword = input.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view() : input.substr(equals + 1);
    for (const bool milliwatts : {false, true}) {
        try {
            const SettingName name = settingNameOf(keyword, input);
            const int position =
                validatePosition(name, decimalToPosition(value, name.positionsPerUnit()), milliwatts, input);
            require(position >= name.slider->minimum && position <= name.slider->maximum, "accepted off the slider");
        } catch (const InputError& e) {
            require(isPlainAscii(e.what()), "a refusal is not one plain ASCII line");
        }
    }
    for (const Alias& alias : kAliases)
        require(settingNameOf(keywordOf(alias.name), "").alias == &alias, "an alias's keyword names another");
    return 0;
}
