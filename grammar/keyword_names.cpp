#include "grammar/keyword_names.h"

#include <algorithm>

#include "grammar/input_error.h"

namespace tropolink {

std::string keywordOf(std::string_view alias) {
    std::string keyword(alias);
    std::replace_if(
        keyword.begin(), keyword.end(), [](char c) { return c == '.' || c == '-'; }, '_');
    return keyword;
}

SettingName settingNameOf(std::string_view keyword, std::string_view input) {
    for (const Alias& alias : kAliases)
        if (keywordOf(alias.name) == keyword) return *findSettingName(alias.name);
    if (const auto name = findSettingName(keyword)) return *name;
    throw InputError(input, "unknown name", "HScroll1 to HScroll23 or a keyword that help(tropolink.calculate) lists");
}

}  // namespace tropolink
