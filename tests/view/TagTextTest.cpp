// The whole-text tag edits on bytes: shapes, trail bytes, fractions.
#include <gtest/gtest.h>

#include <string>

#include "view/TagText.h"

namespace {
TEST(TagText, RemoveAndCutFractions) {
    struct {
        const char* pszCodePage;
        const char* pszText;
        const char* pszNoTags;
        const char* pszNoFractions;
    } const cases[] = {
        {"UTF-8", "a[00:05]b", "ab", "a[00:05]b"},
        {"UTF-8", "[ar:Someone]\r\n[01:02.03]c", "[ar:Someone]\r\nc", "[ar:Someone]\r\n[01:02]c"},
        {"UTF-8", "[00:12.5][1:2.345.6]x", "x", "[00:12][1:2]x"},
        {"UTF-8", "[00:01 no close", "[00:01 no close", "[00:01 no close"},
        {"UTF-8", "[:01][12]x[01:]", "[12]x", "[:01][12]x[01:]"},
        // A '[' or ']' that is the trail byte of a GBK character is no bracket.
        {"GBK", "\x81[00:01]x", "\x81[00:01]x", "\x81[00:01]x"},
        {"GBK", "[00:01.5\x81]]y", "y", "[00:01]y"},
        {"GBK", "\xB8\xE8[00:02.50]", "\xB8\xE8", "\xB8\xE8[00:02]"},
    };
    for (const auto& c : cases) {
        CCodePage cp;
        ASSERT_TRUE(CCodePage::FromName(c.pszCodePage, cp));
        std::string out(std::string(c.pszText).size() + 1, '#');
        out.resize(RemoveTimeTags(cp, c.pszText, out.data()));
        EXPECT_EQ(out, c.pszNoTags) << c.pszText;
        out.assign(std::string(c.pszText).size() + 1, '#');
        out.resize(RemoveTagFractions(cp, c.pszText, out.data()));
        EXPECT_EQ(out, c.pszNoFractions) << c.pszText;
    }
}
} // namespace
