#include <gtest/gtest.h>

#include "doc/TextFile.h"

namespace {

struct SNormaliseCase {
    const char* codePage;
    std::string in;
    std::string expected;
};

CCodePage Page(const char* name) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(name, cp)) << name;
    return cp;
}

class NormaliseTest : public ::testing::TestWithParam<SNormaliseCase> {};

TEST_P(NormaliseTest, GivesCrLfLinesWithTagsAtLineStarts) {
    const SNormaliseCase& c = GetParam();
    std::string out;
    NormaliseLoadedText(Page(c.codePage), c.in, out);
    EXPECT_EQ(out, c.expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(LineEnds, NormaliseTest,
                         ::testing::Values(SNormaliseCase{"UTF-8", "a\r\nb\r\n", "a\r\nb\r\n"},
                                           SNormaliseCase{"UTF-8", "a\nb\n", "a\r\nb\r\n"},
                                           // A lone CR joins its lines.
                                           SNormaliseCase{"UTF-8", "a\rb\r", "ab"},
                                           SNormaliseCase{"UTF-8", "a\r\rb\n\r\n", "ab\r\n\r\n"},
                                           SNormaliseCase{"UTF-8", "", ""},
                                           SNormaliseCase{"UTF-8", "\n\n", "\r\n\r\n"},
                                           // A NUL byte is text like any other.
                                           SNormaliseCase{"UTF-8", "a\0b\n"s, "a\0b\r\n"s}));

INSTANTIATE_TEST_SUITE_P(
    MidLineTags, NormaliseTest,
    ::testing::Values(SNormaliseCase{"UTF-8", "x[00:01.00]y", "x\r\n[00:01.00]y"},
                      SNormaliseCase{"UTF-8", "[00:01.00][00:02.00]y", "[00:01.00][00:02.00]y"},
                      SNormaliseCase{"UTF-8", "Hello [00:05]", "Hello \r\n[00:05]"},
                      SNormaliseCase{"UTF-8", "a[00:01]b[00:02]c", "a\r\n[00:01]b\r\n[00:02]c"},
                      // The tag after a lone LF was not at a line start in the loaded text.
                      SNormaliseCase{"UTF-8", "a\n[00:01]b", "a\r\n\r\n[00:01]b"},
                      SNormaliseCase{"UTF-8", "a\r\n[00:01]b", "a\r\n[00:01]b"},
                      // A lone CR is dropped, and the tag after it gets a line of its own.
                      SNormaliseCase{"UTF-8", "a\r[00:01]b\rc", "a\r\n[00:01]bc"},
                      SNormaliseCase{"UTF-8", "[ti:x][00:01]y", "[ti:x][00:01]y"},
                      // Only the time-tag shape splits a line.
                      SNormaliseCase{"UTF-8", "x[12]y[ab:cd]z[]w", "x[12]y[ab:cd]z[]w"},
                      SNormaliseCase{"UTF-8", "x[ti:Song]", "x[ti:Song]"},
                      SNormaliseCase{"UTF-8", "x[:05]y[01:]z", "x\r\n[:05]y\r\n[01:]z"},
                      SNormaliseCase{"UTF-8", "x[00:01", "x[00:01"},
                      // The closing bracket is looked for up to the end of the whole text.
                      SNormaliseCase{"UTF-8", "x[00:01\ny]", "x\r\n[00:01\r\ny]"},
                      SNormaliseCase{"UTF-8", "x[[00:01]", "x[\r\n[00:01]"},
                      SNormaliseCase{"UTF-8", "\xC3\xA9[00:01]", "\xC3\xA9\r\n[00:01]"}));

// A trail byte that equals '[' or ']' is part of its character, never a bracket.
INSTANTIATE_TEST_SUITE_P(
    DoubleByte, NormaliseTest,
    ::testing::Values(SNormaliseCase{"GBK", "A\x81[00:01]", "A\x81[00:01]"},
                      SNormaliseCase{"CP1252", "A\x81[00:01]", "A\x81\r\n[00:01]"},
                      SNormaliseCase{"GBK", "\xD6\xD0[00:01]\n", "\xD6\xD0\r\n[00:01]\r\n"},
                      // Big5 "也" is A4 5D: its trail byte is ']', which closes no group.
                      SNormaliseCase{"BIG5", "x[00:01\xA4]", "x[00:01\xA4]"},
                      SNormaliseCase{"BIG5", "x[00:01\xA4]]", "x\r\n[00:01\xA4]]"},
                      // ... nor does it put the '[' after it at a tag position.
                      SNormaliseCase{"BIG5", "\xA4][00:01]", "\xA4]\r\n[00:01]"},
                      SNormaliseCase{"CP1252", "\xA4][00:01]", "\xA4][00:01]"},
                      SNormaliseCase{"GBK", "\xB0\n", "\xB0\n"}, // a lead byte takes the LF with it
                      SNormaliseCase{"GBK", "a\xB0", "a\xB0"}));

} // namespace
