#include "plot/svg_writer.h"

#include "grammar/number_text.h"

namespace tropolink::plot {

std::string px(double value) {
    std::string text;
    appendFixed(text, value, 1);
    if (text.ends_with(".0")) text.resize(text.size() - 2);
    if (text == "-0") text = "0";
    return text;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
                    out += "\xEF\xBF\xBD";
                else
                    out += c;
        }
    }
}

SvgWriter::SvgWriter(std::string& out, double widthPx, double heightPx) : out_(out) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                 {"width", px(widthPx)},
                 {"height", px(heightPx)},
                 {"viewBox", "0 0 " + px(widthPx) + " " + px(heightPx)},
                 {"font-family", "DejaVu Sans, Arial, Helvetica, sans-serif"},
                 {"font-size", "12"}});
}

void SvgWriter::startTag(std::string_view tag, std::initializer_list<Attribute> attributes) {
    out_.append(open_.size() * 2, ' ');
    out_ += '<';
    out_ += tag;
    for (const Attribute& a : attributes) {
        out_ += ' ';
        out_ += a.name;
        out_ += "=\"";
        appendEscaped(out_, a.value);
        out_ += '"';
    }
}

void SvgWriter::open(std::string_view tag, std::initializer_list<Attribute> attributes) {
    startTag(tag, attributes);
    out_ += ">\n";
    open_.push_back(tag);
}

void SvgWriter::close() {
    const std::string_view tag = open_.back();
    open_.pop_back();
    out_.append(open_.size() * 2, ' ');
    out_ += "</";
    out_ += tag;
    out_ += ">\n";
}

void SvgWriter::empty(std::string_view tag, std::initializer_list<Attribute> attributes) {
    startTag(tag, attributes);
    out_ += "/>\n";
}

void SvgWriter::text(std::string_view tag, std::initializer_list<Attribute> attributes, std::string_view content) {
    startTag(tag, attributes);
    out_ += '>';
    appendEscaped(out_, content);
    out_ += "</";
    out_ += tag;
    out_ += ">\n";
}

void SvgWriter::finish() {
    while (!open_.empty()) close();
}

}  // namespace tropolink::plot
