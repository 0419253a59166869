// What a shared file's text may do to a terminal: every control character and
// every mark that reorders text is shown escaped; other text is kept as is.
#include <gtest/gtest.h>

#include <string>

#include "grammar/terminal_text.h"

namespace tropolink {
namespace {

TEST(TerminalTextTest, ControlAndBidirectionalCharactersAreShownEscaped) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"Link A to B", "Link A to B"},
        {"", ""},
        {"line\nVerdict: met", "line\\nVerdict: met"},
        {"a\r\tb", "a\\r\\tb"},
        {"\x1B[2J\x1B]0;title\x07", "\\x1B[2J\\x1B]0;title\\x07"},
        {std::string("nul\0here", 8), "nul\\x00here"},
        {"\x01\x1F\x7F", "\\x01\\x1F\\x7F"},
        {"\xC2\x80\xC2\x9B" "31m", "\\u0080\\u009B31m"},  // C1 controls, the last a CSI
        {"\xC2\xA0\xC2\xA9", "\xC2\xA0\xC2\xA9"},              // no-break space and (c): kept
        {"abc\xE2\x80\xAE" "fdp.exe", "abc\\u202Efdp.exe"},  // right-to-left override
        {"\xE2\x80\xAA\xE2\x80\xAB\xE2\x80\xAC\xE2\x80\xAD", "\\u202A\\u202B\\u202C\\u202D"},
        {"\xE2\x81\xA6\xE2\x81\xA7\xE2\x81\xA8\xE2\x81\xA9", "\\u2066\\u2067\\u2068\\u2069"},
        {"\xE2\x80\x8E\xE2\x80\x8F\xD8\x9C", "\\u200E\\u200F\\u061C"},
        {"\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xA5", "\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xA5"},  // neighbours kept
        {"M\xC3\xBCnchen \xE6\x9D\xB1\xE4\xBA\xAC", "M\xC3\xBCnchen \xE6\x9D\xB1\xE4\xBA\xAC"},
        {"cut \xE2\x80", "cut \xE2\x80"},  // a mark cut short is no mark
        {"\xC2", "\xC2"},
    };
    for (const auto& c : cases) EXPECT_EQ(terminalText(c.text), c.shown) << c.shown;
}

}  // namespace
}  // namespace tropolink
