#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc/LyrFormat.h"
#include "tests/support/FormatFixtures.h"

namespace {

struct Entry {
    unsigned nTime;
    std::string text;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << "{" << e.nTime << ", \"" << e.text << "\"}";
}

// The table of an image this program wrote, with the string each entry points at.
std::vector<Entry> Entries(const std::string& image) {
    std::vector<Entry> entries;
    const unsigned nCount = GetBe16(image, 0x216);
    for (unsigned i = 0; i < nCount; ++i) {
        const size_t at = 0x218 + 4 * i;
        entries.push_back({GetBe16(image, at), image.c_str() + 512 + GetBe16(image, at + 2)});
    }
    return entries;
}

std::string Read(const CCodePage& cp, const std::string& image, bool* pOk = nullptr,
                 int nFormat = TIME_FORMAT_HUNDREDTHS) {
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    const bool bOk = ReadLyr(cp, reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                             nFormat, pOut.get());
    if (pOk != nullptr)
        *pOk = bOk;
    return pOut.get();
}

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

// The lines of a CR LF text, each without its CR LF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

const CCodePage kUtf8;

TEST(LyrBuild, ExampleGivesItsExactBytes) {
    std::string expected(1024, '\0');
    expected.replace(0, 16, Bytes({0x02, 0x00}) + "Quelb 604" + Bytes({0, 0x10, 0x02, 0x02, 0x00}));
    expected[0x210] = 0x02;
    expected.replace(0x216, 6, Bytes({0x00, 0x01, 0x00, 0x0F, 0x00, 0x1C}));
    expected.replace(0x21C, 2, "Hi");

    EXPECT_EQ(BuildLyrFile(kUtf8, "[00:01.50]Hi"), expected);
}

TEST(LyrBuild, EntriesFollowTheTextRules) {
    struct Case {
        const char* lrc;
        std::vector<Entry> entries;
    };
    const Case cases[] = {
        {"[00:05.00]", {{50, " "}}},
        {"[00:01]x\r\n\r\n[00:02]\r\n[00:03]y", {{10, "x"}, {20, " "}, {30, "y"}}},
        {"[00:01.00][00:03.00]Hi", {{10, "Hi"}, {30, "Hi"}}},
        {"[00:02.00]B\r\n[00:02.00]A\r\n[00:01.00]C", {{10, "C"}, {20, "B"}, {20, "A"}}},
        {"[00:01.99]x", {{19, "x"}}},
        {"[offset:1000]\r\n[00:05.00]x", {{40, "x"}}},
        {"[offset:-1000]\r\n[00:05.00]x", {{60, "x"}}},
        {"[ti:T]\r\n[ar:A]\r\n[al:B]\r\n[by:C]\r\n[00:01.00]x", {{10, "x"}}},
        {"text\r\n[00:03]a   \r\n   [00:04]b\r\nabc[00:05]c", {{30, "a"}}},
        // 6553.5 s and later do not fit; 0xFFFF is the reader's mark.
        {"[109:13.40]x\r\n[109:13.50]y\r\n[1000:00]z", {{65534, "x"}, {65534, "y"}, {65534, "z"}}},
        {"no tags\r\nat all", {}},
    };
    for (const Case& c : cases) {
        const std::string image = BuildLyrFile(kUtf8, c.lrc);
        EXPECT_EQ(Entries(image), c.entries) << c.lrc;
    }
}

TEST(LyrBuild, EveryEntryHasItsOwnCopy) {
    const std::string image = BuildLyrFile(kUtf8, "[00:01.00][00:03.00]Hi");
    EXPECT_EQ(GetBe16(image, 0x218 + 2), 32u);
    EXPECT_EQ(GetBe16(image, 0x218 + 6), 35u);
    EXPECT_EQ(image.substr(512 + 32, 6), std::string("Hi\0Hi\0", 6));
}

TEST(LyrBuild, CharsetMarksHighBytesOfThePreparedText) {
    struct Case {
        const char* lrc;
        int charset;
    };
    const Case cases[] = {
        {"[00:01]abc", 2},
        {"[00:01]\xc3\xa9", 1},
        {"[ti:\xc3\xa9]\r\n[00:01]a", 1},
        {"\xc3\xa9 is not a tag line\r\n[00:01]a", 2}, // cleaned away before the test
    };
    for (const Case& c : cases) {
        const std::string image = BuildLyrFile(kUtf8, c.lrc);
        EXPECT_EQ(image[13], c.charset) << c.lrc;
        EXPECT_EQ(image[0x210], c.charset) << c.lrc;
    }
}

TEST(LyrBuild, TextWithoutTagsGivesTwoBlocks) {
    const std::string image = BuildLyrFile(kUtf8, "[ti:x]\r\nplain");
    EXPECT_EQ(image.size(), 1024u);
    EXPECT_EQ(GetBe16(image, 14), 512u);
    EXPECT_EQ(GetBe16(image, 0x216), 0u);
}

// Texts at the format's limits: the first line that does not fit and all after it are left out,
// and the image never outgrows 29184 bytes.
TEST(LyrBuild, LinesBeyondTheLimitsAreLeftOut) {
    const std::string longLine = "[00:01]" + std::string(1000, 'x') + "\r\n";
    const std::string near = Repeat(longLine, 27);
    struct Case {
        const char* name;
        std::string lrc;
        unsigned nEntries;
    };
    const Case cases[] = {
        {"2100 lines", Repeat("[00:01]a\r\n", 2100), 2048},
        {"2047 + a line of two", Repeat("[00:01]a\r\n", 2047) + "[00:02][00:03]b\r\n[00:04]c",
         2047},
        {"string bytes", Repeat(longLine, 40), 28},
        // Fits the string area but would push the image past 29184 bytes.
        {"image size", near + Repeat("[00:02]", 300) + "b\r\n[00:09]z", 27},
        {"image size, fitting", near + Repeat("[00:02]", 250) + "b\r\n[00:09]z", 27 + 250 + 1},
    };
    for (const Case& c : cases) {
        const std::string image = BuildLyrFile(kUtf8, c.lrc);
        EXPECT_EQ(GetBe16(image, 0x216), c.nEntries) << c.name;
        EXPECT_LE(image.size(), LYR_MAX_IMAGE) << c.name;
        EXPECT_EQ(image.size() % 512, 0u) << c.name;
        EXPECT_EQ(GetBe16(image, 14), image.size() - 512) << c.name;
    }
}

TEST(LyrRead, ImagesReadBackAsLrc) {
    struct Case {
        const char* lrc;
        const char* read;
    };
    const Case cases[] = {
        {"[00:01.00][00:03.00]Hi", "[00:03.00][00:01.00]Hi\r\n"},
        {"[00:01]A\r\n[00:02]B\r\n[00:03]A", "[00:03.00][00:01.00]A\r\n[00:02.00]B\r\n"},
        {"[00:01.99]x", "[00:01.90]x\r\n"},
        {"[ti:T]\r\n[00:01]x", "[00:01.00]x\r\n"},
        {"[00:05]", "[00:05.00] \r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(kUtf8, BuildLyrFile(kUtf8, c.lrc)), c.read) << c.lrc;
}

TEST(LyrRead, WholeSecondsFormatDropsTheTenths) {
    const std::string image = BuildLyrFile(kUtf8, "[00:01.50]A\r\n[00:03.00]A");
    EXPECT_EQ(Read(kUtf8, image, nullptr, TIME_FORMAT_SECONDS), "[00:03][00:01]A\r\n");
}

// Fixture: "[00:01]A\r\n[00:02]B" as this program writes it, the strings at 0x220 and 0x222.
std::string TwoEntryImage() {
    return BuildLyrFile(kUtf8, "[00:01]A\r\n[00:02]B");
}

TEST(LyrRead, MalformedImagesAreRejectedOrCut) {
    struct Case {
        const char* name;
        std::string image;
        bool bAccepted;
        std::string read;
    };
    std::vector<Case> cases;
    const std::string good = TwoEntryImage();
    cases.push_back({"sound", good, true, "[00:01.00]A\r\n[00:02.00]B\r\n"});
    cases.push_back({"empty", "", false, ""});
    cases.push_back({"shorter than the header", good.substr(0, 535), false, ""});
    cases.push_back({"table past the end", good.substr(0, 540), false, ""});
    {
        std::string s = good;
        PutBe16(s, 0x216, 3); // the third entry is made of string bytes and points far away
        cases.push_back({"count too high", s, true, "[00:01.00]A\r\n[00:02.00]B\r\n"});
    }
    {
        std::string s = good;
        PutBe16(s, 0x21A, 0xFFFF);
        cases.push_back({"first string outside", s, false, ""});
    }
    {
        std::string s = good;
        PutBe16(s, 0x21E, 1024 - 512);
        cases.push_back({"second string at the end", s, true, "[00:01.00]A\r\n"});
    }
    cases.push_back({"string without zero", good.substr(0, 0x223), true, "[00:01.00]A\r\n"});
    {
        std::string s = good.substr(0, 0x221);
        cases.push_back({"only string without zero", s, false, ""});
    }
    {
        std::string s = good;
        PutBe16(s, 0x218, 0xFFFF);
        cases.push_back({"time stored as the mark", s, true, "[00:02.00]B\r\n"});
    }
    {
        std::string s = good;
        s[0x220] = '\r';
        s.insert(0x221, "\n", 1);
        s.pop_back();
        PutBe16(s, 0x21E, 0x223 - 512);
        cases.push_back({"CR and LF in a string", s, true, "[00:01.00]\r\n[00:02.00]B\r\n"});
    }
    for (const Case& c : cases) {
        bool bOk = false;
        EXPECT_EQ(Read(kUtf8, c.image, &bOk), c.read) << c.name;
        EXPECT_EQ(bOk, c.bAccepted) << c.name;
    }
}

TEST(LyrRead, LeadByteBeforeTheZeroIsNotFollowedFurther) {
    const CCodePage gbk = CodePageNamed("GBK");
    std::string image = BuildLyrFile(gbk, "[00:01]AB\r\n[00:02]C");
    image[0x221] = '\x81'; // "A\x81" then the zero, then "C"
    bool bOk = false;
    EXPECT_EQ(Read(gbk, image, &bOk), "[00:01.00]A\x81\r\n[00:02.00]C\r\n");
    EXPECT_TRUE(bOk);
}

// A count far beyond the format's 2048 entries: only those are read. Every entry's time is 0x4100,
// the bytes 'A' and zero, and its string offset points at the first entry: the string "A".
TEST(LyrRead, CountIsCappedAtTheFormatLimit) {
    const size_t nCount = 0xFFFF;
    std::string image(0x218 + 4 * nCount, '\0');
    PutBe16(image, 0x216, nCount);
    for (size_t i = 0; i < nCount; ++i) {
        PutBe16(image, 0x218 + 4 * i, 0x4100);
        PutBe16(image, 0x218 + 4 * i + 2, 0x218 - 512);
    }
    bool bOk = false;
    EXPECT_EQ(Read(kUtf8, image, &bOk), Repeat("[27:44.00]", 2048) + "A\r\n");
    EXPECT_TRUE(bOk);
}

TEST(LyrRead, OutputStopsAtTheLastWholeLineThatFits) {
    // 600 distinct strings of 100 bytes: 112 bytes a line, more than 65535 in all.
    const int nCount = 600;
    std::string image(0x218 + 4 * nCount, '\0');
    PutBe16(image, 0x216, nCount);
    for (int i = 0; i < nCount; ++i) {
        const size_t nAt = image.size();
        std::string s(100, 'a');
        s.replace(0, 4, std::to_string(1000 + i));
        image += s + '\0';
        PutBe16(image, 0x218 + 4 * i, 10);
        PutBe16(image, 0x218 + 4 * i + 2, nAt - 512);
    }
    bool bOk = false;
    const std::string text = Read(kUtf8, image, &bOk);
    EXPECT_TRUE(bOk);
    EXPECT_LE(text.size(), LYRICS_MAX_TEXT);
    EXPECT_EQ(text.size() % 112, 0u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(Lines(text).size(), 585u); // 65535 / 112
}

} // namespace
