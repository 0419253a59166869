#pragma once

#include <string>
#include <system_error>

namespace tropolink::python {

// Raises OSError(errno, message), which Python turns into the subclass of
// that errno (FileNotFoundError, PermissionError, ...): what Python's own
// file functions raise for a file that cannot be read or written.
[[noreturn]] void raiseOsError(std::error_code code, const std::string& message);

}  // namespace tropolink::python
