#pragma once

#include <sys/resource.h>

#include <functional>
#include <string>

// Runs code in a child process under resource limits, so that running out
// of memory or of file descriptors, or blocking for ever, cannot take the
// test program with it.
namespace tropolink::terrain::testing_support {

struct ChildLimits {
    rlim_t dataBytes = 0;  // RLIMIT_DATA, when set
    rlim_t openFiles = 0;  // RLIMIT_NOFILE, when set; 1 for "every descriptor now open, and none more"
    rlim_t fileBytes = 0;  // RLIMIT_FSIZE, when set: a write past it fails as on a full disk
    unsigned seconds = 60; // then the child is killed
};

struct ChildOutcome {
    enum class End { Returned, Refused, OutOfMemory, OtherError, Killed } end = End::Killed;
    std::string message;  // what a TerrainError or other exception said
};

ChildOutcome runInChild(const std::function<void()>& body, const ChildLimits& limits);

// Whether AddressSanitizer is in, whose shadow memory a data limit leaves no room for.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__)
    true;
#else
    false;
#endif

}  // namespace tropolink::terrain::testing_support
