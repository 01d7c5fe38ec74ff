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

TEST(TagText, ShiftKeepsPrecisionAndStopsAtZero) {
    struct {
        const char* pszCodePage;
        const char* pszText;
        int64_t nDeltaMs;
        const char* pszShifted;
    } const cases[] = {
        {"UTF-8", "[00:01]a\r\n[00:02.5][00:03.25]b", 1000, "[00:02]a\r\n[00:03.5][00:04.25]b"},
        {"UTF-8", "[00:01]a", 5, "[00:01.005]a"},
        {"UTF-8", "[00:01.999]a", -2000, "[00:00.000]a"},
        {"UTF-8", "[59:59.99]a", 10, "[60:00.00]a"},
        // Only tags the grammar reads move: not inside a lyric, not offsets, not bad shapes.
        {"UTF-8", "x[00:01]\r\n[offset:100][00:01][1:2x]", 500,
         "x[00:01]\r\n[offset:100][00:01.5][1:2x]"},
        // After a GBK character whose trail byte is ']', a '[' is not at a tag position.
        {"GBK", "[00:01]\x81]\r\n\x81][00:02]", 1000, "[00:02]\x81]\r\n\x81][00:02]"},
    };
    for (const auto& c : cases) {
        CCodePage cp;
        ASSERT_TRUE(CCodePage::FromName(c.pszCodePage, cp));
        std::string out;
        ShiftTimeTags(cp, c.pszText, c.nDeltaMs, out);
        EXPECT_EQ(out, c.pszShifted) << c.pszText << " by " << c.nDeltaMs;
    }
}
} // namespace
