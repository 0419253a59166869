#pragma once

#include <stdexcept>
#include <string>

#include "p2001/path_input.h"

// The method's domain. Input outside it is refused with a message that names
// the input, the allowed range and what was given.
namespace tropolink::p2001 {

class InputError : public std::invalid_argument {
public:
    InputError(std::string input, const std::string& message)
        : std::invalid_argument(message), input_(std::move(input)) {}
    // The input's name, as in the message.
    const std::string& input() const { return input_; }

private:
    std::string input_;
};

// Throw InputError for the first input out of the domain.
void checkPath(const PathInput& path);
void checkMapValues(const MapValues& maps);
void checkMedianGradient(double dnMedian);
void checkFrequency(double fGhz);
void checkPercent(double percent);

}  // namespace tropolink::p2001
