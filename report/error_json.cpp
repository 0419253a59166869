#include "report/error_json.h"

#include <nlohmann/json.hpp>

namespace tropolink {

void appendErrorObject(std::string& out, long long lineNumber, std::string_view message) {
    nlohmann::ordered_json object;
    object["line"] = lineNumber;
    object["error"] = message;
    out += object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    out += '\n';
}

}  // namespace tropolink
