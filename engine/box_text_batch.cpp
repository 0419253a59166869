#include "engine/box_text_batch.h"

#include <span>

namespace tropolink {

void FormWindow::setBoxTexts(std::span<const BoxWrite> writes) {
    for (const BoxWrite& write : writes) setBoxText(write.box, write.text);
}

void BoxTextBatch::echo(ResultBox box, double value) { composed(box, writeEcho(room(), value)); }

void BoxTextBatch::echoTenths(ResultBox box, int position) { composed(box, writeEchoTenths(room(), position)); }

void BoxTextBatch::handOver() {
    if (count_ > 0) window_.setBoxTexts({writes_.data(), count_});
    count_ = 0;
    used_ = 0;
}

}  // namespace tropolink
