#include "plan/plan_toml_depth.h"

namespace tropolink {
namespace {

bool isBare(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// A scan over the text's structure only: table headers, keys and values, the
// strings and comments that may hide brackets and dots. Every step moves on
// by one byte at least, and it recurses only into a deeper level, so that it
// ends on any input within kMaxTomlDepth levels.
class DepthScan {
public:
    explicit DepthScan(std::string_view text) : text_(text) {
        if (text_.starts_with(kByteOrderMark)) i_ = kByteOrderMark.size();
    }

    std::optional<std::size_t> tooDeep() {
        try {
            while (!atEnd()) {
                skipBlank();
                if (peek() == '[')
                    header();
                else
                    keyValue(headerDepth_);
                skipLine();
            }
        } catch (const TooDeep& e) {
            return e.offset;
        }
        return std::nullopt;
    }

private:
    struct TooDeep {
        std::size_t offset;
    };

    bool atEnd() const { return i_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[i_]; }
    bool startsHere(std::string_view s) const { return text_.substr(std::min(i_, text_.size())).starts_with(s); }
    void check(int depth, std::size_t at) const {
        if (depth > kMaxTomlDepth) throw TooDeep{at};
    }

    void skipSpaces() {
        while (peek() == ' ' || peek() == '\t') ++i_;
    }
    void skipComment() {
        while (!atEnd() && peek() != '\n') ++i_;
    }
    // Blanks, line ends and comments.
    void skipBlank() {
        for (;;) {
            const char c = peek();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                ++i_;
            else if (c == '#')
                skipComment();
            else
                return;
        }
    }
    // To the start of the next line, past any string that runs over it.
    void skipLine() {
        while (!atEnd() && peek() != '\n') {
            if (peek() == '"' || peek() == '\'')
                skipString();
            else if (peek() == '#')
                skipComment();
            else
                ++i_;
        }
        if (!atEnd()) ++i_;
    }

    void skipString() {
        const char quote = peek();
        const std::string_view triple = quote == '"' ? "\"\"\"" : "'''";
        if (startsHere(triple)) {
            i_ += triple.size();
            while (!atEnd() && !startsHere(triple)) i_ += (quote == '"' && peek() == '\\') ? 2 : 1;
            if (atEnd()) return;
            i_ += triple.size();
            // One or two quotes may end the string's text just before its delimiter.
            for (int extra = 0; extra < 2 && peek() == quote; ++extra) ++i_;
            return;
        }
        ++i_;
        while (!atEnd() && peek() != quote && peek() != '\n') {
            const bool escape = quote == '"' && peek() == '\\' && i_ + 1 < text_.size() && text_[i_ + 1] != '\n';
            i_ += escape ? 2 : 1;
        }
        if (peek() == quote) ++i_;
    }

    // [a.b.c] or [[a.b.c]]: the tables below it start from its depth.
    void header() {
        ++i_;
        const bool arrayOfTables = peek() == '[';
        if (arrayOfTables) ++i_;
        headerDepth_ = key(0) + (arrayOfTables ? 1 : 0);
        check(headerDepth_, i_);
    }

    // The parts of a dotted key, each checked against the depth it reaches.
    int key(int depth) {
        int parts = 0;
        for (;;) {
            skipSpaces();
            const std::size_t start = i_;
            if (peek() == '"' || peek() == '\'')
                skipString();
            else
                while (isBare(peek())) ++i_;
            if (i_ == start) return parts;
            check(depth + ++parts, start);
            skipSpaces();
            if (peek() != '.') return parts;
            ++i_;
        }
    }

    void keyValue(int depth) {
        const std::size_t start = i_;
        depth += key(depth);
        skipSpaces();
        if (peek() == '=') {
            ++i_;
            value(depth);
        }
        if (i_ == start) ++i_;
    }

    void value(int depth) {
        skipSpaces();
        const char c = peek();
        if (c == '[') {
            elements(depth + 1, ']', [&] { value(depth + 1); });
        } else if (c == '{') {
            elements(depth, '}', [&] { keyValue(depth); });
        } else if (c == '"' || c == '\'') {
            skipString();
        } else {
            while (!atEnd() && std::string_view(" \t\r\n,]}#").find(peek()) == std::string_view::npos) ++i_;
        }
    }

    // An array's values or an inline table's keys, to the closing bracket.
    template <typename Item>
    void elements(int depth, char close, const Item& item) {
        check(depth, i_);
        ++i_;
        for (;;) {
            skipBlank();
            if (atEnd()) return;
            if (peek() == close) {
                ++i_;
                return;
            }
            const std::size_t start = i_;
            if (peek() == ',')
                ++i_;
            else
                item();
            if (i_ == start) ++i_;
        }
    }

    std::string_view text_;
    std::size_t i_ = 0;
    int headerDepth_ = 0;
};

}  // namespace

std::optional<PlanPosition> tooDeepAt(std::string_view text) {
    const auto offset = DepthScan(text).tooDeep();
    if (!offset) return std::nullopt;
    PlanPosition at{1, 1};
    std::size_t i = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    for (; i < *offset; ++i) {
        if (text[i] == '\n') {
            ++at.line;
            at.column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++at.column;
        }
    }
    return at;
}

}  // namespace tropolink
