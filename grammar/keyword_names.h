#pragma once

#include <string>
#include <string_view>

#include "grammar/setting_names.h"

namespace tropolink {

// Settings named as Python keywords, which cannot hold '.' or '-'.

// The keyword of an alias: "s1.antenna-height-m" is "s1_antenna_height_m".
std::string keywordOf(std::string_view alias);

// What a keyword names: an alias's keyword, the alias itself or a slider name.
// Throws InputError naming `input` when it names no setting.
SettingName settingNameOf(std::string_view keyword, std::string_view input);

}  // namespace tropolink
