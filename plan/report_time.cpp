#include "plan/report_time.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace tropolink {

std::string reportTime() {
    std::time_t now = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        const std::string_view text(epoch);
        long long seconds = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
        if (error == std::errc() && end == text.data() + text.size()) now = static_cast<std::time_t>(seconds);
    }
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M UTC", &utc);
    return std::string(text.data(), length);
}

}  // namespace tropolink
