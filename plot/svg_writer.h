#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tropolink::plot {

struct Attribute {
    std::string_view name;
    std::string value;  // raw: the writer escapes it
};

// A length or coordinate in pixels, to a tenth: "12.5", "12" for 12.0.
std::string px(double value);

// Appends well-formed SVG: elements nest as opened, and every attribute value
// and text is escaped, whatever it holds.
class SvgWriter {
public:
    // Starts the document: the XML declaration and the <svg> element.
    SvgWriter(std::string& out, double widthPx, double heightPx);

    void open(std::string_view tag, std::initializer_list<Attribute> attributes = {});
    void close();  // the innermost open element
    void empty(std::string_view tag, std::initializer_list<Attribute> attributes);
    void text(std::string_view tag, std::initializer_list<Attribute> attributes, std::string_view content);
    // Closes every element still open, <svg> last.
    void finish();

private:
    void startTag(std::string_view tag, std::initializer_list<Attribute> attributes);

    std::string& out_;
    std::vector<std::string_view> open_;
};

// `text` with &, <, >, " and ' as entities; control characters, which XML
// cannot hold, become U+FFFD.
void appendEscaped(std::string& out, std::string_view text);

}  // namespace tropolink::plot
