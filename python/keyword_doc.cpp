#include "python/keyword_doc.h"

#include <algorithm>

#include "grammar/setting_names.h"
#include "python/keyword_settings.h"

namespace tropolink::python {

std::string keywordTable() {
    std::size_t width = 0;
    for (const Alias& alias : kAliases) width = std::max(width, keywordOf(alias.name).size());
    std::string table;
    for (const Alias& alias : kAliases) {
        const SettingName name = *findSettingName(alias.name);
        const SliderSpec& slider = *name.slider;
        std::string keyword = keywordOf(alias.name);
        keyword.resize(width, ' ');
        std::string slot(slider.name);
        slot.resize(9, ' ');
        table += "  " + keyword + "  " + slot + "  " + allowedValues(name, false) + ", start " +
                 shownValue(slider.start, name.positionsPerUnit());
        if (name.unit(true) != name.unit(false)) table += " (in " + std::string(name.unit(true)) + " with power_div_1000)";
        table += '\n';
    }
    return table;
}

}  // namespace tropolink::python
