#include "engine/box_text_batch.h"

#include <span>

namespace tropolink {

void FormWindow::setBoxTexts(std::span<const BoxWrite> writes) {
    for (const BoxWrite& write : writes) setBoxText(write.box, write.text);
}

void BoxTextBatch::word(ResultBox box, std::string_view text) {
    if (count_ == kMaxWrites) handOver();
    writes_[count_++] = {box, text};
}

// Room for one more text of the longest kind, making it by handing over first.
char* BoxTextBatch::room() {
    if (count_ == kMaxWrites || kBufferBytes - used_ < kMaxComposedBytes) handOver();
    return buffer_.data() + used_;
}

void BoxTextBatch::number(ResultBox box, double value, Mask mask) { composed(box, writeMasked(room(), value, mask)); }

void BoxTextBatch::echo(ResultBox box, double value) { composed(box, writeEcho(room(), value)); }

void BoxTextBatch::echoTenths(ResultBox box, int position) { composed(box, writeEchoTenths(room(), position)); }

char* BoxTextBatch::compose() { return room(); }

void BoxTextBatch::composed(ResultBox box, char* end) {
    char* const start = buffer_.data() + used_;
    writes_[count_++] = {box, {start, static_cast<std::size_t>(end - start)}};
    used_ += static_cast<std::size_t>(end - start);
}

void BoxTextBatch::handOver() {
    if (count_ > 0) window_.setBoxTexts({writes_.data(), count_});
    count_ = 0;
    used_ = 0;
}

}  // namespace tropolink
