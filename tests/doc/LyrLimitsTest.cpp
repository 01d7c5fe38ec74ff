// LYR files at the edges: more entries than the format holds, strings that overlap, and a CR that
// is the second byte of a double-byte character.
#include <gtest/gtest.h>

#include "doc/LyrFormat.h"
#include "tests/support/FormatFixtures.h"

namespace {

const CCodePage kUtf8;

struct SRead {
    bool bOk = false, bCut = false;
    std::string text;
};

SRead Read(const std::string& image) {
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    SRead r;
    r.bOk = ReadLyr(kUtf8, reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                    TIME_FORMAT_HUNDREDTHS, pOut.get(), &r.bCut);
    r.text = pOut.get();
    return r;
}

TEST(LyrLimits, ReaderTellsWhenLyricsWereLeftOut) {
    std::vector<std::string> distinct;
    for (int i = 0; i < 2100; ++i)
        distinct.push_back(std::to_string(i));
    const std::vector<std::string> wide = {std::string(40000, 'x'), std::string(40000, 'y')};
    struct {
        const char* label;
        std::string image;
        bool bCut;
    } cases[] = {
        {"as written", BuildLyrFile(kUtf8, "[00:01]A\r\n[00:02]B"), false},
        {"2048 entries", LyrImageOf(distinct, 2048), false},
        {"2049 entries", LyrImageOf(distinct, 2049), true},
        {"more than the editor holds", LyrImageOf(wide, 2), true},
    };
    for (const auto& c : cases) {
        const SRead r = Read(c.image);
        EXPECT_TRUE(r.bOk) << c.label;
        EXPECT_EQ(r.bCut, c.bCut) << c.label;
    }
}

// Every entry points one byte further into one long run of CR bytes: no two strings are equal,
// each is nearly as long as the run, and each line holds only its tag. Comparing whole strings
// pairwise would take hours; the reader compares only strings of equal length.
TEST(LyrLimits, OverlappingStringsAreReadInOnePass) {
    const size_t nCount = 2048;
    std::string image(0x218 + 4 * nCount, '\0');
    PutBe16(image, 0x216, nCount);
    const size_t nRun = image.size();
    image += std::string(60000, '\r') + '\0';
    for (size_t i = 0; i < nCount; ++i) {
        PutBe16(image, 0x218 + 4 * i, static_cast<unsigned>(i));
        PutBe16(image, 0x218 + 4 * i + 2, static_cast<unsigned>(nRun + i - 512));
    }
    const SRead r = Read(image);
    EXPECT_TRUE(r.bOk);
    EXPECT_FALSE(r.bCut);
    EXPECT_EQ(r.text.size(), nCount * 12); // "[mm:ss.xx]" and CR LF
}

TEST(LyrLimits, OnlyARealCrLfEndsAStoredString) {
    const CCodePage gbk = CodePageNamed("CP936");
    struct {
        const CCodePage& cp;
        std::string text;
        std::string stored;
    } cases[] = {
        {gbk, "b\x81\r\n", "b\x81\r\n"}, // 81 0D is one character
        {gbk, "b\xD6\xD0\r\n", "b\xD6\xD0"},
        {gbk, "b\r\n", "b"},
        {kUtf8, "b\xC2\r\n", "b\xC2"}, // UTF-8 never uses a CR inside a character
        {gbk, "\r\n", " "},
    };
    for (const auto& c : cases) {
        char pool[16] = {};
        const char* pEnd = StoreLyrString(c.cp, pool, c.text.data(), c.text.size());
        EXPECT_EQ(std::string(pool, pEnd - pool - 1), c.stored) << c.text;
    }
    // Through the writer: the line's string keeps its last three bytes.
    const std::string image = BuildLyrFile(gbk, "[00:01]b\x81\r\n");
    EXPECT_NE(image.find(std::string("b\x81\r\n\0", 5)), std::string::npos);
}

} // namespace
