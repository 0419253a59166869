#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tropolink {

// Appends JSON made only of the program's own texts: member names it chooses
// and box texts, which are printable ASCII without quotes or backslashes.
// Anything that carries user input goes through nlohmann::json instead.
// Numbers are the shortest text that reads back to the same double.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    // An array of objects, each begun with beginObject.
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void text(std::string_view plainAscii);
    void number(double value);  // null when not finite
    void number(std::optional<double> value);
    void boolean(bool value);
    // A complete value that the program wrote itself, such as the box object.
    void raw(std::string_view json);

    template <typename T>
    void member(std::string_view name, const T& value) {
        key(name);
        write(value);
    }

private:
    void separate();  // the comma before a member or an element
    void write(std::string_view value) { text(value); }
    void write(const char* value) { text(value); }
    void write(double value) { number(value); }
    void write(std::optional<double> value) { number(value); }
    void write(bool value) { boolean(value); }

    std::string& out_;
    bool valueBefore_ = false;  // the next member needs a comma
};

}  // namespace tropolink
