#include "report/json_writer.h"

#include <cmath>

#include "grammar/number_text.h"

namespace tropolink {

void JsonWriter::separate() {
    if (valueBefore_) out_ += ',';
}

void JsonWriter::beginObject() {
    separate();
    out_ += '{';
    valueBefore_ = false;
}

void JsonWriter::endObject() {
    out_ += '}';
    valueBefore_ = true;
}

void JsonWriter::beginArray() {
    separate();
    out_ += '[';
    valueBefore_ = false;
}

void JsonWriter::endArray() {
    out_ += ']';
    valueBefore_ = true;
}

void JsonWriter::key(std::string_view name) {
    separate();
    out_ += '"';
    out_ += name;
    out_ += "\":";
    valueBefore_ = false;
}

void JsonWriter::text(std::string_view plainAscii) {
    out_ += '"';
    out_ += plainAscii;
    out_ += '"';
    valueBefore_ = true;
}

void JsonWriter::number(double value) {
    if (!std::isfinite(value)) {
        number(std::nullopt);
        return;
    }
    appendShortest(out_, value);
    valueBefore_ = true;
}

void JsonWriter::number(std::optional<double> value) {
    if (value) {
        number(*value);
        return;
    }
    out_ += "null";
    valueBefore_ = true;
}

void JsonWriter::boolean(bool value) {
    out_ += value ? "true" : "false";
    valueBefore_ = true;
}

void JsonWriter::raw(std::string_view json) {
    out_ += json;
    valueBefore_ = true;
}

}  // namespace tropolink
