#pragma once

#include <string>
#include <system_error>

namespace tropolink::python {

// Raises OSError(errno, message[, filename]), which Python turns into the
// subclass of that errno (FileNotFoundError, PermissionError, ...): what
// Python's own file functions raise for a file that cannot be read or
// written. The filename holds the path whole, which the message may shorten.
[[noreturn]] void raiseOsError(std::error_code code, const std::string& message, const std::string& filename = {});

}  // namespace tropolink::python
