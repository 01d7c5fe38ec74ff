#include <gtest/gtest.h>

#include <string>

#include "doc/NowTag.h"

namespace {

CCodePage CodePage(const char* name) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(name, cp)) << name;
    return cp;
}

struct NowCase {
    const char* name;
    const char* codePage;
    std::string text;
    uint32_t position;
    int32_t offsetBefore;
    bool found;
    uint32_t time;
    const char* field; // now-tag field text
    int line;          // line of the position just after the tag's ']'
    size_t caret;
    int32_t offsetAfter;
    bool hasTags;
};

TEST(NowTag, FindsTheNowTagItsTextsAndTheCaretTarget) {
    const NowCase cases[] = {
        {"empty line skipped", "UTF-8", "[00:01.00]a\r\n\r\n[00:03.00]b", 1500, 0, true, 1000,
         " [00:01.00] a", 0, 15, 0, true},
        {"later of equal values", "UTF-8", "[00:02.00]x\r\n[00:02.00]y\r\n", 2500, 0, true, 2000,
         " [00:02.00] y", 1, 26, 0, true},
        {"exact value counts", "UTF-8", "[00:02.00]x\r\n[00:03.00]y", 3000, 0, true, 3000,
         " [00:03.00] y", 1, 24, 0, true},
        {"before the first tag", "UTF-8", "[00:05.00]x", 1000, 0, false, 0, "", 0, 0, 0, true},
        {"no tags", "UTF-8", "hello\r\nworld", 1000, 0, false, 0, "", 0, 0, 0, false},
        {"empty text", "UTF-8", "", 0, 0, false, 0, "", 0, 0, 0, false},
        {"tag inside a lyric is text", "UTF-8", "abc[00:01]x", 5000, 0, false, 0, "", 0, 0, 0,
         false},
        {"offset read on the way, target from the old offset", "UTF-8",
         "[offset:500]\r\n[00:02.00]x", 1600, 0, false, 0, "", 0, 0, 500, true},
        {"offset applied once read", "UTF-8", "[offset:500]\r\n[00:02.00]x", 1600, 500, true, 2000,
         " [offset:500] [00:02.00] x", 1, 25, 500, true},
        {"offset gone from the text resets it", "UTF-8", "[00:02.00]x", 1600, 500, true, 2000,
         " [00:02.00] x", 0, 11, 0, true},
        {"negative offset stops at zero", "UTF-8", "[offset:-3000]\r\n[00:00.00]x\r\ny", 1000,
         -3000, true, 0, " [offset:-3000] [00:00.00] x", 1, 29, -3000, true},
        {"second tag of a run", "UTF-8", "[00:01.00][00:05.00]Hello\r\nNext", 6000, 0, true, 5000,
         " [00:05.00] Hello", 0, 27, 0, true},
        {"first tag of a run", "UTF-8", "[00:01.00][00:05.00]Hello\r\nNext", 2000, 0, true, 1000,
         " [00:01.00] Hello", 0, 27, 0, true},
        {"glued group belongs to the run", "UTF-8", "[00:01][x]Hi\r\n", 1000, 0, true, 1000,
         " [00:01] Hi", 0, 14, 0, true},
        {"last line without CR LF", "UTF-8", "[00:01]end", 1000, 0, true, 1000, " [00:01] end", 0,
         10, 0, true},
        {"only empty lines follow", "UTF-8", "[00:01]a\r\n\r\n\r\n", 1000, 0, true, 1000,
         " [00:01] a", 0, 14, 0, true},
        {"lone CR and LF are text", "UTF-8", "[00:01]a\rb\nc\r\nd", 1000, 0, true, 1000,
         " [00:01] a\rb\nc", 0, 14, 0, true},
        {"tag after a header on the same line", "UTF-8", "[ti:x][00:04]y\r\nz", 4000, 0, true, 4000,
         " [00:04] y", 0, 16, 0, true},
        {"double-byte pair hides a CR", "GBK", "[00:01]a\x81\r\nb\r\nc", 1000, 0, true, 1000,
         " [00:01] a\x81\r\nb", 0, 14, 0, true},
        {"the same bytes in a single-byte code page", "CP1252", "[00:01]a\x81\r\nb\r\nc", 1000, 0,
         true, 1000, " [00:01] a\x81", 0, 11, 0, true},
        {"value zero is a now tag at position zero", "UTF-8", "x\r\n[00:00]go", 0, 0, true, 0,
         " [00:00] go", 1, 12, 0, true},
        {"tag beyond 32 bits is no tag", "UTF-8", "[99999999:00]x\r\n[00:01]y", UINT32_MAX, 0, true,
         1000, " [00:01] y", 1, 24, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CCodePage cp = CodePage(c.codePage);
        int32_t offset = c.offsetBefore;
        bool hasTags = !c.hasTags;
        SNowTag tag;
        const bool found = FindNowTagInText(cp, c.text.c_str(), c.text.size(), c.position, &offset,
                                            &hasTags, &tag);
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(offset, c.offsetAfter);
        EXPECT_EQ(hasTags, c.hasTags);
        if (!found || !c.found)
            continue;
        EXPECT_EQ(tag.nTime, c.time);
        EXPECT_EQ(NowTagFieldText(offset, NowTagText(c.text.c_str(), tag),
                                  NowTagLyric(c.text.c_str(), tag)),
                  c.field);
        EXPECT_EQ(LineOfPosition(cp, c.text.c_str(), tag.nTagEnd), c.line);
        EXPECT_EQ(tag.nCaret, c.caret);
        EXPECT_EQ(c.text[tag.nTagStart], '[');
        EXPECT_EQ(c.text[tag.nTagEnd - 1], ']');
    }
}

TEST(NowTag, ScanStopsAtTheGivenLength) {
    // The bytes past the length are a tag that must not be seen.
    const std::string text = "[00:01]a\r\n[00:02]b";
    const CCodePage cp;
    int32_t offset = 0;
    bool hasTags = false;
    SNowTag tag;
    ASSERT_TRUE(FindNowTagInText(cp, text.c_str(), 10, 5000, &offset, &hasTags, &tag));
    EXPECT_EQ(tag.nTime, 1000u);
    EXPECT_EQ(tag.nCaret, 10u);
}

struct NeighbourCase {
    const char* name;
    uint32_t nowTime;
    uint32_t audioLength;
    bool prevFound;
    uint32_t prev;
    bool nextFound;
    uint32_t next;
    bool hasNow;
};

TEST(NowTag, PreviousNextAndNowTagChoices) {
    // Tags deliberately out of order, one twice, one past a short song's end.
    const std::string text =
        "[ti:Song]\r\n[00:05]c\r\n[00:01]a\r\n[00:03]b\r\n[00:03]b again\r\n[00:09]d\r\n";
    const NeighbourCase cases[] = {
        {"at the start", 0, 60000, false, 0, true, 1000, false},
        {"on the first tag", 1000, 60000, false, 0, true, 3000, true},
        {"on a repeated value", 3000, 60000, true, 1000, true, 5000, true},
        {"between tags", 4000, 60000, true, 3000, true, 5000, false},
        {"next past the song's end is ignored", 5000, 8000, true, 3000, false, 0, true},
        {"next exactly at the end counts", 5000, 9000, true, 3000, true, 9000, true},
        {"on the last tag", 9000, 60000, true, 5000, false, 0, true},
        {"after the last tag", 20000, 60000, true, 9000, false, 0, false},
        {"no audio length", 0, 0, false, 0, false, 0, false},
    };
    const CCodePage cp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int32_t offset = 0;
        uint32_t time = 12345;
        EXPECT_EQ(FindPrevTagTime(cp, text.c_str(), text.size(), c.nowTime, &offset, &time),
                  c.prevFound);
        if (c.prevFound) {
            EXPECT_EQ(time, c.prev);
        }
        time = 12345;
        EXPECT_EQ(FindNextTagTime(cp, text.c_str(), text.size(), c.nowTime, c.audioLength, &offset,
                                  &time),
                  c.nextFound);
        if (c.nextFound) {
            EXPECT_EQ(time, c.next);
        }
        EXPECT_EQ(HasTagOfTime(cp, text.c_str(), text.size(), c.nowTime, &offset), c.hasNow);
    }
}

TEST(NowTag, NeighbourScansPickUpTheOffset) {
    const std::string text = "[00:01]a\r\n[offset:-250]\r\n[00:02]b";
    const CCodePage cp;
    int32_t offset = 7;
    uint32_t time = 0;
    ASSERT_TRUE(FindPrevTagTime(cp, text.c_str(), text.size(), 2000, &offset, &time));
    EXPECT_EQ(offset, -250);
    offset = 7;
    ASSERT_TRUE(FindNextTagTime(cp, text.c_str(), text.size(), 1000, 5000, &offset, &time));
    EXPECT_EQ(offset, -250);
}

TEST(NowTag, LineOfPositionCountsWholeLineBreaks) {
    const struct {
        const char* codePage;
        std::string text;
        size_t pos;
        int line;
    } cases[] = {
        {"UTF-8", "a\r\nb", 0, 0},     {"UTF-8", "a\r\nb", 2, 0},      {"UTF-8", "a\r\nb", 3, 1},
        {"UTF-8", "\r\n\r\n", 4, 2},   {"UTF-8", "a\rb\nc\n\r", 7, 0}, {"GBK", "\x81\r\nx", 3, 0},
        {"CP1252", "\x81\r\nx", 3, 1}, {"GBK", "\x81\x81\r\nx", 4, 1},
    };
    for (const auto& c : cases) {
        const CCodePage cp = CodePage(c.codePage);
        EXPECT_EQ(LineOfPosition(cp, c.text.c_str(), c.pos), c.line) << c.codePage << " " << c.pos;
    }
}

} // namespace
