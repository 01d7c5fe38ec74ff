// The byte image of the editor text: which code page it takes, that it loses nothing, and that
// byte and editor positions map onto each other line for line.
#include <gtest/gtest.h>

#include "platform/TextImage.h"
#include "tests/support/TestPages.h"

namespace {

struct SImageCase {
    const char* page;
    std::u16string text;
    std::string bytes;
    bool bDocPage;
    int nLines;
};

const SImageCase kImageCases[] = {
    {"CP1252", u"caf\u00E9\n[00:01]x", "caf\xE9\r\n[00:01]x", true, 2},
    {"CP1252", u"\u4E2D\u6587\ncaf\u00E9", "\xE4\xB8\xAD\xE6\x96\x87\r\ncaf\xC3\xA9", false, 2},
    {"GBK", u"[00:01]\u4E2D]\n\n", "[00:01]\xD6\xD0]\r\n\r\n", true, 3},
    {"GBK", u"\u4E2D\U0001F600\nx", "\xE4\xB8\xAD\xF0\x9F\x98\x80\r\nx", false, 2},
    {"BIG5", u"\u6B4C[", "\xBA\x71[", true, 1},
    {"BIG5", u"\u6B4C\u00A0[", "\xE6\xAD\x8C\xC2\xA0[", false, 1}, // Big5 has no no-break space
    {"UTF-8", u"a\u2028b\u2029c\nd",
     "a\xE2\x80\xA8"
     "b\xE2\x80\xA9"
     "c\r\nd",
     true, 2},
    {"UTF-8", u"a\xD800z", "a\xEF\xBF\xBDz", false, 1}, // a lone surrogate is no character
    {"UTF-8", u"", "", true, 1},
};

TEST(TextImage, TakesTheDocumentsPageWhileEverythingFitsAndLosesNothing) {
    for (const SImageCase& c : kImageCases) {
        SCOPED_TRACE(c.page + std::string(" ") + c.bytes);
        const CTextImage image(Page(c.page), c.text);
        EXPECT_EQ(image.Bytes(), c.bytes);
        EXPECT_EQ(image.InDocumentPage(), c.bDocPage);
        EXPECT_EQ(image.Page().GetKind() == CCodePage::Kind::Utf8,
                  !c.bDocPage || Page(c.page).GetKind() == CCodePage::Kind::Utf8);
        EXPECT_EQ(image.LineCount(), c.nLines);
        if (c.text.find(u'\xD800') == std::u16string::npos) {
            EXPECT_EQ(image.Decode(image.Bytes()), c.text);
        }
    }
}

TEST(TextImage, PositionsAndBytesMapOntoEachOtherLineForLine) {
    for (const SImageCase& c : kImageCases) {
        SCOPED_TRACE(c.page + std::string(" ") + c.bytes);
        const CTextImage image(Page(c.page), c.text);
        for (size_t nPos = 0; nPos <= c.text.size(); ++nPos) {
            const bool bInsidePair = nPos > 0 && nPos < c.text.size() && c.text[nPos] >= 0xDC00 &&
                                     c.text[nPos] <= 0xDFFF;
            const size_t nByte = image.ByteOfPosition(nPos);
            EXPECT_EQ(image.PositionOfByte(nByte), bInsidePair ? nPos - 1 : nPos) << nPos;
            EXPECT_EQ(image.LineOfByte(nByte), image.LineOfPosition(nPos)) << nPos;
        }
    }
}

TEST(TextImage, BytesInsideACharacterOrALineBreakMapToItsStart) {
    const CTextImage image(Page("GBK"), u"\u4E2Dx\n\U0001F600");
    const struct {
        size_t nByte, nPos;
    } cases[] = {{1, 0}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {8, 3}, {10, 5}, {99, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(image.PositionOfByte(c.nByte), c.nPos) << c.nByte;
    EXPECT_EQ(image.LineStartByte(1), 6u);
    EXPECT_EQ(image.LineEndByte(0), 4u);
    EXPECT_EQ(image.LineEndByte(1), 10u);
}

TEST(TextImage, CountsAReplacementInThePageTheResultWouldTake) {
    const struct {
        const char* page;
        std::u16string text;
        size_t nFrom, nTo;
        std::u16string with;
        size_t nSize;
    } cases[] = {
        {"CP1252", u"caf\u00E9", 4, 4, u"\n", 6},
        {"CP1252", u"abc", 1, 2, u"\u4E2D", 5},     // the whole text goes UTF-8
        {"CP1252", u"a\u4E2D\u00E9", 1, 2, u"", 2}, // back in the page
        {"CP1252", u"a\u4E2D\u00E9", 0, 1, u"", 5}, // still UTF-8
        {"GBK", u"\u4E2D\u6587", 1, 2, u"x", 3},
        {"GBK", u"\u4E2D", 1, 1, u"\U0001F600", 7},
        {"GBK", u"\U0001F600\u4E2D", 2, 0, u"", 2}, // ends given either way round
    };
    for (const auto& c : cases) {
        const CTextImage image(Page(c.page), c.text);
        EXPECT_EQ(image.SizeAfterReplacing(c.nFrom, c.nTo, c.with), c.nSize)
            << c.page << " " << c.nFrom << "-" << c.nTo;
    }
}

} // namespace
