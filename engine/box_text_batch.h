#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/form_window.h"
#include "engine/mask.h"

namespace tropolink {

// The box writes of a pass, collected in order and handed to the window at
// once: numbers are formatted straight into one buffer, with no text copied
// on the way and one call into the window per hand-over instead of one per
// box. The pass hands over before the window operation of its second stage
// and at its end, and before a fault leaves it, so the window sees exactly
// the writes, in exactly the order, that writing box by box would give.
class BoxTextBatch {
public:
    explicit BoxTextBatch(FormWindow& window) : window_(window) {}
    BoxTextBatch(const BoxTextBatch&) = delete;
    BoxTextBatch& operator=(const BoxTextBatch&) = delete;

    // A text that lives at least until the next hand-over, such as a status word.
    void word(ResultBox box, std::string_view text) {
        if (count_ == kMaxWrites) handOver();
        writes_[count_++] = {box, text};
    }
    void number(ResultBox box, double value, Mask mask) { composed(box, writeMasked(room(), value, mask)); }
    void echo(ResultBox box, double value);
    void echoTenths(ResultBox box, int position);
    // A composed text: write up to kMaxComposedBytes at compose(), then
    // name the box and where the text ends.
    char* compose() { return room(); }
    void composed(ResultBox box, char* end) {
        char* const start = buffer_.data() + used_;
        writes_[count_++] = {box, {start, static_cast<std::size_t>(end - start)}};
        used_ += static_cast<std::size_t>(end - start);
    }

    void handOver();

    static constexpr std::size_t kMaxComposedBytes = kMaxNumberTextBytes + 16;

private:
    static constexpr std::size_t kBufferBytes = 4096;
    static constexpr std::size_t kMaxWrites = 64;  // a pass writes 56 boxes at most

    // Room for one more text of the longest kind, making it by handing over first.
    char* room() {
        if (count_ == kMaxWrites || kBufferBytes - used_ < kMaxComposedBytes) handOver();
        return buffer_.data() + used_;
    }

    FormWindow& window_;
    std::array<char, kBufferBytes> buffer_;  // left uninitialised: only written bytes are read
    std::size_t used_ = 0;
    std::array<BoxWrite, kMaxWrites> writes_;
    std::size_t count_ = 0;
};

}  // namespace tropolink
