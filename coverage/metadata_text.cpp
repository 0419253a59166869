#include "coverage/metadata_text.h"

#include "grammar/number_text.h"

namespace tropolink::coverage {

std::string metadataNumber(double value) {
    std::string text;
    appendShortest(text, value);
    return text;
}

std::string metadataNumbers(std::span<const double> values) {
    std::string text;
    for (const double v : values) {
        if (!text.empty()) text += ' ';
        appendShortest(text, v);
    }
    return text;
}

}  // namespace tropolink::coverage
