#include "link/profile_message.h"

#include "link/input_error.h"

namespace tropolink {

std::string profileMessage(const std::string& path, const profile::ProfileError& e) {
    std::string message = path == "-" ? "standard input" : quoteInput(path);
    if (e.row() > 0) message += ": row " + std::to_string(e.row());
    if (!e.field().empty()) message += ": " + quoteInput(e.field());
    message += ": " + e.problem() + " (allowed: " + e.allowed() + ")";
    return message;
}

}  // namespace tropolink
