#include <climits>
#include <vector>

#include "tests/support/TestPages.h"
#include "doc/LrcText.h"

namespace {

const char* End(const std::string& s) {
    return s.c_str() + s.size();
}

TEST(LrcScan, ScanForCharSkipsWholeCharacters) {
    const struct {
        const char* pszPage;
        std::string text;
        char ch;
        long nEnd; // range end, -1 for the whole text
        long nExpected;
    } cases[] = {
        {"GBK", "\x81]a]", ']', -1, 4},          // GBK trail byte ']' is no bracket
        {"WINDOWS-1252", "\x81]a]", ']', -1, 2}, // a single-byte page: every byte alone
        {"UTF-8", "\x81]a]", ']', -1, 2},
        {"BIG5", "\xA1]]", ']', -1, 3},          // （ then ']'
        {"SHIFT_JIS", "\x83]\xB1]", ']', -1, 4}, // ゾ, then katakana ｱ stands alone
        {"GBK", "ab]", ']', 2, -1},              // the range end is respected
        {"GBK", "a\x81", ']', -1, -1},
        {"GBK", "", '[', -1, -1},
        {"WINDOWS-1252", "ab\xE9", '\xE9', -1, 3},
        {"GBK", "\xE9\xE9\xE9", '\xE9', -1, 1},
    };
    for (const auto& c : cases) {
        const char* end = c.nEnd < 0 ? End(c.text) : c.text.c_str() + c.nEnd;
        EXPECT_EQ(PosIn(c.text, ScanForChar(Page(c.pszPage), c.text.c_str(), end, c.ch)),
                  c.nExpected)
            << c.pszPage << " " << c.text;
    }
}

TEST(LrcScan, NextLineEndsOnlyAtCrLf) {
    const struct {
        const char* pszPage;
        std::string text;
        long nStart;
        long nExpected;
    } cases[] = {
        {"UTF-8", "abc\r\ndef", 0, 5},
        {"UTF-8", "abc\r\ndef", 5, 8},
        {"UTF-8", "abc", 0, 3},
        {"UTF-8", "", 0, 0},
        {"UTF-8", "\r\n\r\n", 0, 2},
        {"UTF-8", "a\rb\nc\r\n", 0, 7}, // a lone CR or LF is an ordinary byte
        {"UTF-8", "a\n\rb", 0, 4},
        {"UTF-8", "a\r", 0, 2},
        {"UTF-8", "\xC3\xA9\r\nx", 0, 4},
        {"UTF-8", "\xE4\r\nx", 0, 3},
        {"WINDOWS-1252", "Coraz\xF3n\r\nx", 0, 9}, // accented letter before CR LF
        {"GBK", "\xD6\xD0\r\nx", 0, 4},
        {"GBK", "\x81\r\nx\r\ny", 0, 6},  // a lead byte takes the CR with it
        {"SHIFT_JIS", "\xB1\r\nx", 0, 3}, // half-width katakana stands alone
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PosIn(c.text, NextLine(Page(c.pszPage), c.text.c_str() + c.nStart)), c.nExpected)
            << c.pszPage << " " << c.text;
    }
}

TEST(LrcScan, TimeTagShape) {
    const struct {
        const char* pszPage;
        std::string group; // what follows the '['
        bool bShape;
    } cases[] = {
        {"UTF-8", "12:34.56]", true}, {"UTF-8", ":05]", true},   {"UTF-8", "01:]", true},
        {"UTF-8", "01:ab cd]", true}, {"UTF-8", "12]", false},   {"UTF-8", "ab:cd]", false},
        {"UTF-8", "]", false},        {"UTF-8", "", false},      {"UTF-8", "12:34", false},
        {"UTF-8", " 1:34]", false},   {"GBK", "1:\x81]", false}, {"WINDOWS-1252", "1:\x81]", true},
        {"GBK", "1:\x81]]", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTimeTagShape(Page(c.pszPage), c.group.c_str(), End(c.group)), c.bShape)
            << c.pszPage << " [" << c.group;
    }
}

TEST(LrcScan, TimeTagValue) {
    const struct {
        std::string group; // what follows the '['
        bool bValid;
        uint32_t nTime;
    } cases[] = {
        {"00:01.5]", true, 1500},
        {"00:01.05]", true, 1050},
        {"00:01.005]", true, 1005},
        {"00:01.0059]", true, 1005},
        {"00:01.]", true, 1000},
        {"00:01.x]", true, 1000},
        {"00:01.5 x]", true, 1500},
        {"12:34.56]", true, 754560},
        {"1:75]", true, 135000},
        {"100:00]", true, 6000000},
        {":05]", true, 5000},
        {"01:]", true, 60000},
        {":]", true, 0},
        {"01:02:03]", false, 0},
        {"01:2x]", false, 0},
        {"00:01 ]", false, 0},
        {"00:-1]", false, 0},
        {" 00:01]", false, 0},
        {"12]", false, 0},
        {"ab:cd]", false, 0},
        {"]", false, 0},
        {"", false, 0},
        {"00:01", false, 0},
        {"00:01.5", false, 0},
        // The largest time that fits 32 bits, and just past it.
        {"71582:47.295]", true, 4294967295u},
        {"71582:47.296]", false, 0},
        {"71583:00]", false, 0},
        {"0:4294967]", true, 4294967000u},
        {"0:4294968]", false, 0},
        {"99999999999999999999999:00]", false, 0},
        {"00:99999999999999999999999]", false, 0},
        {"00000000000000000001:00]", true, 60000},
    };
    const CCodePage cp = Page("UTF-8");
    for (const auto& c : cases) {
        uint32_t nTime = 12345;
        EXPECT_EQ(ParseTimeTag(cp, c.group.c_str(), End(c.group), &nTime), c.bValid)
            << "[" << c.group;
        if (c.bValid)
            EXPECT_EQ(nTime, c.nTime) << "[" << c.group;
        else
            EXPECT_EQ(nTime, 12345u) << "[" << c.group;
    }
}

TEST(LrcScan, TimeTagValueClosesOnlyOnARealBracket) {
    const struct {
        const char* pszPage;
        std::string group;
        bool bValid;
    } cases[] = {
        {"GBK", "00:01.5\x81]", false},  {"GBK", "00:01.5\x81]]", true},
        {"BIG5", "00:01.5\xA1]", false}, {"WINDOWS-1252", "00:01.5\x81]", true},
        {"UTF-8", "00:01.5\x81]", true},
    };
    for (const auto& c : cases) {
        uint32_t nTime = 0;
        EXPECT_EQ(ParseTimeTag(Page(c.pszPage), c.group.c_str(), End(c.group), &nTime), c.bValid)
            << c.pszPage << " [" << c.group;
    }
}

TEST(LrcScan, TagPosition) {
    const struct {
        const char* pszPage;
        std::string text;
        long nStart;   // scan start
        long nBracket; // position of the '['
        bool bBytes;   // the byte rule
        bool bChars;   // with the code page
    } cases[] = {
        {"UTF-8", "[00:01]", 0, 0, true, true},
        {"UTF-8", "abc[00:01]", 0, 3, false, false},
        {"UTF-8", "abc[00:01]", 3, 3, true, true}, // against the start of the range
        {"UTF-8", "[ti:x][00:01]", 0, 6, true, true},
        {"UTF-8", "a\r\n[00:01]", 0, 3, true, true},
        {"UTF-8", "a\r[00:01]", 0, 2, false, false},
        {"UTF-8", "a\n[00:01]", 0, 2, false, false},
        {"UTF-8", "a\r\n[00:01]", 2, 3, false, false}, // the CR lies before the range
        {"UTF-8", "Hello [00:05]", 0, 6, false, false},
        {"GBK", "\x81][00:01]", 0, 2, true, false},
        {"GBK", "\xD6\xD0][00:01]", 0, 3, true, true},
        {"GBK", "\x81\r\n[00:01]", 0, 3, true, false},
        {"WINDOWS-1252", "\xE9][00:01]", 0, 2, true, true},
        {"WINDOWS-1252", "\xE9\r\n[00:01]", 0, 3, true, true},
    };
    for (const auto& c : cases) {
        const char* start = c.text.c_str() + c.nStart;
        const char* after = c.text.c_str() + c.nBracket + 1;
        EXPECT_EQ(IsTagPosition(start, after), c.bBytes) << c.pszPage << " " << c.text;
        EXPECT_EQ(IsTagPosition(Page(c.pszPage), start, after), c.bChars)
            << c.pszPage << " " << c.text;
    }
}

struct SWalk {
    std::vector<uint32_t> times;
    std::vector<long> positions;
    int32_t nOffset = 77; // 77: untouched
};

// Reads all tags of text as the playback display does.
SWalk WalkTags(const CCodePage& cp, const std::string& text, long nStart = 0) {
    SWalk walk;
    const char* p = text.c_str() + nStart;
    uint32_t nTime = 0;
    while ((p = FindTimeTag(cp, p, End(text), &nTime, &walk.nOffset)) != nullptr) {
        walk.times.push_back(nTime);
        walk.positions.push_back(PosIn(text, p));
    }
    return walk;
}

TEST(LrcScan, FindTimeTagWalk) {
    const struct {
        const char* pszPage;
        std::string text;
        std::vector<uint32_t> times;
        int32_t nOffset;
    } cases[] = {
        {"UTF-8", "[00:01.00][00:05.20]Hello", {1000, 5200}, 77},
        {"UTF-8", "abc[00:01]", {}, 77},
        {"UTF-8", "[ti:x][00:01]abc", {1000}, 77},
        {"UTF-8", "Hello [00:05]", {}, 77},
        {"UTF-8", "[00:01]a\r\n[00:02]b\r\n", {1000, 2000}, 77},
        {"UTF-8", "[00:01]a\r\n  [00:02]b", {1000}, 77},
        {"UTF-8", "[00:01]a\n[00:02]b", {1000}, 77},
        {"UTF-8", "[00:01]a\r[00:02]b", {1000}, 77},
        {"UTF-8", "[01:02:03]\r\n[01:2x]\r\n[1:75]", {135000}, 77},
        {"UTF-8", "[x[00:01]", {}, 77},
        {"UTF-8", "[71583:00]\r\n[00:02]", {2000}, 77},
        {"UTF-8", "[00:01]a][00:02]b", {1000, 2000}, 77}, // a ']' before it is enough
        // Offset tags met on the way set the offset, wherever they stand.
        {"UTF-8", "[offset:500]\r\n[00:01]a", {1000}, 500},
        {"UTF-8", "[OFFSET:-300]", {}, -300},
        {"UTF-8", "[offset:+300]", {}, 300},
        {"UTF-8", "[offset:3 00]", {}, 77},
        {"UTF-8", "[offset: 500]", {}, 77},
        {"UTF-8", "[offset:]", {}, 0},
        {"UTF-8", "[offset:", {}, 77},
        {"UTF-8", "x [offset:250] y", {}, 250},
        {"UTF-8", "[offset:100]\r\n[offset:200]", {}, 200},
        {"UTF-8", "[offset:99999999999]", {}, 77},
        {"UTF-8", "[offset:-2147483648]", {}, INT32_MIN},
        {"UTF-8", "[offset:12", {}, 12},
        {"UTF-8", "[offset:12\r\n", {}, 77},
        // A trail byte equal to ']' neither closes a group nor places a tag after it.
        {"GBK", "[00:01.5\x81]x]abc", {1500}, 77},
        {"GBK", "[00:01]\x81][00:02]", {1000}, 77},
        {"WINDOWS-1252", "[00:01]\x81][00:02]", {1000, 2000}, 77},
        {"GBK", "[00:01]\xD6\xD0\r\n[00:02]\xCE\xC4", {1000, 2000}, 77},
        {"GBK", "[00:01]\x81\r\n[00:02]", {1000}, 77}, // lead byte takes the CR
        {"WINDOWS-1252",
         "[00:01]Coraz\xF3n\r\n[00:02]Ma\xF1"
         "ana",
         {1000, 2000},
         77},
        {"SHIFT_JIS", "[00:01]\xB1\xB2\r\n[00:02]", {1000, 2000}, 77},
        {"BIG5", "[00:01]\xA1][00:02]", {1000}, 77},
    };
    for (const auto& c : cases) {
        const SWalk walk = WalkTags(Page(c.pszPage), c.text);
        EXPECT_EQ(walk.times, c.times) << c.pszPage << " " << c.text;
        EXPECT_EQ(walk.nOffset, c.nOffset) << c.pszPage << " " << c.text;
    }
}

TEST(LrcScan, FindTimeTagPositionIsTestedAgainstTheRangeStart) {
    const std::string text = "abc[00:01]x";
    EXPECT_TRUE(WalkTags(Page("UTF-8"), text, 0).times.empty());
    const SWalk walk = WalkTags(Page("UTF-8"), text, 3);
    EXPECT_EQ(walk.times, std::vector<uint32_t>{1000});
    EXPECT_EQ(walk.positions, std::vector<long>{4});
}

TEST(LrcScan, FindTimeTagStaysInsideItsRange) {
    const CCodePage cp = Page("UTF-8");
    const std::string text = "[00:01]a\r\n[00:02]b";
    uint32_t nTime = 0;
    int32_t nOffset = 0;
    const char* lineEnd = text.c_str() + 8;
    const char* tag = FindTimeTag(cp, text.c_str(), lineEnd, &nTime, &nOffset);
    EXPECT_EQ(PosIn(text, tag), 1);
    EXPECT_EQ(FindTimeTag(cp, tag, lineEnd, &nTime, &nOffset), nullptr);
    // A tag whose ']' lies past the range end is none.
    EXPECT_EQ(FindTimeTag(cp, text.c_str(), text.c_str() + 6, &nTime, &nOffset), nullptr);
    // The offset value must start inside the range.
    const std::string offset = "[offset:5]";
    nOffset = 77;
    FindTimeTag(cp, offset.c_str(), offset.c_str() + 8, &nTime, &nOffset);
    EXPECT_EQ(nOffset, 77);
    FindTimeTag(cp, offset.c_str(), offset.c_str() + 9, &nTime, &nOffset);
    EXPECT_EQ(nOffset, 5);
}

TEST(LrcScan, SkipTagRunGivesTheLyric) {
    const struct {
        const char* pszPage;
        std::string text;     // starts with '['
        const char* pszLyric; // nullptr: none
    } cases[] = {
        {"UTF-8", "[00:01.00][00:05.20]Hello", "Hello"},
        {"UTF-8", "[00:01.00][x]Hello", "Hello"},
        {"UTF-8", "[00:01]", ""},
        {"UTF-8", "[00:01", nullptr},
        {"UTF-8", "[00:01][x", "[x"},
        {"UTF-8", "[00:01]]x", "]x"},
        {"UTF-8", "[00:01]abc]", "abc]"},
        {"UTF-8", "[00:01] [00:02]x", " [00:02]x"},
        {"GBK", "[00:01]\x81]x", "\x81]x"},
        {"GBK", "[00:01][\x81]x]y", "y"},
        {"WINDOWS-1252", "[00:01][\x81]x]y", "x]y"},
    };
    for (const auto& c : cases) {
        const char* lyric = SkipTagRun(Page(c.pszPage), c.text.c_str() + 1, End(c.text));
        if (!c.pszLyric)
            EXPECT_EQ(lyric, nullptr) << c.text;
        else
            EXPECT_STREQ(lyric, c.pszLyric) << c.pszPage << " " << c.text;
    }
}

TEST(LrcScan, HeaderKind) {
    const struct {
        const char* pszText;
        HeaderKind kind;
    } cases[] = {
        {"[ti:Song]", HEADER_TI},     {"[TI:x]", HEADER_TI},
        {"[Ar:x]", HEADER_AR},        {"[al:x]", HEADER_AL},
        {"[bY:x]", HEADER_BY},        {"[offset:5]", HEADER_OFFSET},
        {"[OffSet:]", HEADER_OFFSET}, {"[ti]", HEADER_NONE},
        {"[ti :x]", HEADER_NONE},     {"[title:x]", HEADER_NONE},
        {"ti:x", HEADER_NONE},        {"[", HEADER_NONE},
        {"[offse", HEADER_NONE},      {"[00:01]", HEADER_NONE},
        {"[offset", HEADER_NONE},     {"", HEADER_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetHeaderKind(c.pszText), c.kind) << c.pszText;
}

TEST(LrcScan, FindHeaderLine) {
    const std::string text = "\r\n[00:01]x\r\n  [al:no]\r\nx\n[by:no]\r\n[ar:A]\r\n[ti:T]\r\n"
                             "zz [ti:no]\r\n[TI:second]";
    const struct {
        HeaderKind kind;
        const char* pszLine; // nullptr: none
    } cases[] = {
        {HEADER_TI, "[ti:T]"}, {HEADER_AR, "[ar:A]"}, {HEADER_AL, nullptr}, {HEADER_BY, nullptr}};
    const CCodePage cp = Page("UTF-8");
    for (const auto& c : cases) {
        const long nPos = c.pszLine ? static_cast<long>(text.find(c.pszLine)) : -1;
        EXPECT_EQ(PosIn(text, FindHeaderLine(cp, text.c_str(), c.kind)), nPos) << c.kind;
    }
}

TEST(LrcScan, ReadOffsetTag) {
    const struct {
        std::string text;
        int32_t nResult;
        int32_t nStored; // 77: untouched
    } cases[] = {
        {"[offset:500]", 500, 500},
        {"[ti:x]\r\n[OFFSET:-300]\r\n", -300, -300},
        {"[offset:3 00]\r\n[offset:200]", 200, 200},
        {"[offset:]", 0, 0},
        {"[offset:", 0, 77},
        {"[offset:\r\n[offset:100]", 100, 100},
        {"x[offset:100]", 0, 77},
        {"[00:01][offset:100]", 0, 77},
        {"[offset:100", 100, 100},
        {"[offset:100\r\n", 0, 77},
        {"[offset:+300]x", 300, 300},
        {"\r\n\r\n[offset:7]", 7, 7},
        {"a\n[offset:7]", 0, 77},
        {"[offset:4294967296]", 0, 77},
        {"", 0, 77},
    };
    const CCodePage cp = Page("UTF-8");
    for (const auto& c : cases) {
        int32_t nStored = 77;
        EXPECT_EQ(ReadOffsetTag(cp, c.text.c_str(), &nStored), c.nResult) << c.text;
        EXPECT_EQ(nStored, c.nStored) << c.text;
    }
}

TEST(LrcScan, OffsetNumbers) {
    const struct {
        const char* pszText;
        bool bValid;
        int32_t nValue;
    } cases[] = {
        {"500]", true, 500},
        {"-300]", true, -300},
        {"+300]", true, 300},
        {"]", true, 0},
        {"", true, 0},
        {"-]", true, 0},
        {"42", true, 42},
        {" 500]", false, 0},
        {"3 00]", false, 3},
        {"500x]", false, 500},
        {"+-5]", false, 0},
        {"2147483647]", true, INT32_MAX},
        {"2147483648]", false, INT32_MAX},
        {"-2147483648]", true, INT32_MIN},
        {"-2147483649]", false, INT32_MIN},
        {"99999999999999999999]", false, INT32_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsOffsetNumber(c.pszText), c.bValid) << c.pszText;
        EXPECT_EQ(ParseSignedNumber(c.pszText), c.nValue) << c.pszText;
    }
}

TEST(LrcScan, FormatTimeTag) {
    const struct {
        uint32_t nTime;
        int nFormat;
        const char* pszTag;
    } cases[] = {
        {83456, 1, "[01:23.45]"},
        {83456, 0, "[01:23]"},
        {6000000, 1, "[100:00.00]"},
        {0, 1, "[00:00.00]"},
        {0, 0, "[00:00]"},
        {135000, 1, "[02:15.00]"},
        {59999, 1, "[00:59.99]"},
        {59999, 0, "[00:59]"},
        {1009, 1, "[00:01.00]"},
        {1005, 2, "[00:01.00]"},
        {4294967295u, 1, "[71582:47.29]"},
    };
    for (const auto& c : cases) {
        char buf[TIME_TAG_BUFFER];
        EXPECT_EQ(FormatTimeTag(buf, c.nTime, c.nFormat), strlen(c.pszTag)) << c.pszTag;
        EXPECT_STREQ(buf, c.pszTag);
    }
}

TEST(LrcScan, TagsReadAreWrittenBackNormalised) {
    const struct {
        std::string group;
        const char* pszWritten;
    } cases[] = {{"1:75]", "[02:15.00]"}, {"00:01.5]", "[00:01.50]"}, {":]", "[00:00.00]"}};
    for (const auto& c : cases) {
        uint32_t nTime = 0;
        ASSERT_TRUE(ParseTimeTag(Page("UTF-8"), c.group.c_str(), End(c.group), &nTime));
        char buf[TIME_TAG_BUFFER];
        FormatTimeTag(buf, nTime, TIME_FORMAT_HUNDREDTHS);
        EXPECT_STREQ(buf, c.pszWritten);
    }
}

} // namespace
