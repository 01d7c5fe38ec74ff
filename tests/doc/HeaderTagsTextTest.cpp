// Reading and rewriting the header tags of a lyrics text, on bytes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "doc/HeaderTags.h"

namespace {

CCodePage Page(const char* name) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(name, cp)) << name;
    return cp;
}

SHeaderValues Values(const char* ti, const char* ar, const char* al, const char* by,
                     const char* offset) {
    SHeaderValues v;
    v.str[0] = ti;
    v.str[1] = ar;
    v.str[2] = al;
    v.str[3] = by;
    v.str[4] = offset;
    return v;
}

struct SReadCase {
    const char* pszName;
    const char* pszPage;
    std::string text;
    SHeaderValues expected;
};

TEST(HeaderTagsText, ReadsValues) {
    const std::string long300(300, 'x');
    // 254 ASCII bytes then a two-byte character: the character would end at byte 256.
    const std::string split = std::string(254, 'a') + "\xB8\xE8" + "b";
    const SReadCase cases[] = {
        {"letters in either case", "UTF-8", "[TI:Song]\r\n[Ar:Him]\r\n[aL:It]\r\n[bY:Me]",
         Values("Song", "Him", "It", "Me", "")},
        {"last of a kind wins", "UTF-8", "[ti:First]\r\n[ti:Second]\r\n",
         Values("Second", "", "", "", "")},
        {"signed offsets", "UTF-8", "[offset:+250]", Values("", "", "", "", "+250")},
        {"negative offset", "UTF-8", "[OFFSET:-500]\r\n", Values("", "", "", "", "-500")},
        {"offset with a unit is no number", "UTF-8", "[offset:250ms]", Values("", "", "", "", "")},
        {"offset with a blank is no number", "UTF-8", "[offset: 5]", Values("", "", "", "", "")},
        {"bad offset keeps the earlier one", "UTF-8", "[offset:7]\r\n[offset:x]",
         Values("", "", "", "", "7")},
        {"no ']' on the line", "UTF-8", "[ti:No close\r\n[ar:A]", Values("", "A", "", "", "")},
        {"no ']' before the end", "UTF-8", "[ar:A]\r\n[ti:open", Values("", "A", "", "", "")},
        {"anywhere on a line", "UTF-8", "[00:01.00]la [ti:Mid] la", Values("Mid", "", "", "", "")},
        {"tag inside a value", "UTF-8", "[ti:a[ar:b]", Values("a[ar:b", "b", "", "", "")},
        {"empty value clears", "UTF-8", "[ti:X]\r\n[ti:]", Values("", "", "", "", "")},
        {"no colon is no header", "UTF-8", "[ti X]\r\n[title:Y]", Values("", "", "", "", "")},
        {"300 bytes cut to 255", "UTF-8", "[ti:" + long300 + "]",
         Values(long300.substr(0, 255).c_str(), "", "", "", "")},
        {"cut before a character", "GBK", "[ti:" + split + "]",
         Values(std::string(254, 'a').c_str(), "", "", "", "")},
        // The trail byte 0x5D is ']' in ASCII: it must not close the value.
        {"trail byte ']' in GBK", "GBK", "[ti:\x81\x5D\xB8\xE8]",
         Values("\x81\x5D\xB8\xE8", "", "", "", "")},
        {"trail byte '[' in GBK", "GBK", "\x81[ti:x]", Values("", "", "", "", "")},
        {"UTF-8 title", "UTF-8", "[ti:\xE6\xAD\x8C]", Values("\xE6\xAD\x8C", "", "", "", "")},
        {"lone CR is no line end", "UTF-8", "[ti:a\rb]", Values("a\rb", "", "", "", "")},
        {"empty text", "UTF-8", "", Values("", "", "", "", "")},
    };
    for (const SReadCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        SHeaderValues got = Values("stale", "stale", "stale", "stale", "1");
        ReadHeaderTags(Page(c.pszPage), c.text.c_str(), got);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(got.str[i], c.expected.str[i]) << "field " << i;
    }
}

struct SWriteCase {
    const char* pszName;
    SHeaderValues values;
    std::string text;
    std::string expected;
};

TEST(HeaderTagsText, RewritesHeaders) {
    const SWriteCase cases[] = {
        {"old headers replaced", Values("T", "", "", "", ""), "[ti:Old]\r\n[ar:X]\r\n[00:01.00]la",
         "[ti:T]\r\n[00:01.00]la"},
        {"all five in order", Values("T", "A", "L", "B", "-20"), "[00:01]x",
         "[ti:T]\r\n[ar:A]\r\n[al:L]\r\n[by:B]\r\n[offset:-20]\r\n[00:01]x"},
        {"other text on the line stays", Values("", "", "", "", ""), "[ti:x][00:01.00]la\r\n",
         "[00:01.00]la\r\n"},
        {"open header stays", Values("", "", "", "", ""), "[ti:No close\r\n[ar:A]\r\nla",
         "[ti:No close\r\nla"},
        {"headers anywhere removed", Values("", "", "", "", ""), "a[AL:b]c\r\n[offset:x]d",
         "ac\r\nd"},
        {"only a directly following CR LF goes", Values("", "", "", "", ""), "[ti:a] \r\nx",
         " \r\nx"},
        {"empty text", Values("S", "", "", "", ""), "", "[ti:S]\r\n"},
        {"nothing at all", Values("", "", "", "", ""), "", ""},
        {"GBK trail ']' inside a value", Values("", "", "", "", ""), "[ti:\x81\x5D]x", "x"},
        {"GBK trail '[' is no tag", Values("", "", "", "", ""), "\x81[ti:x]", "\x81[ti:x]"},
        // A removal must not leave a tag made of the bytes around it to override the value.
        {"tag joined by a removal", Values("x", "", "", "", ""), "[[ti:x]ti:y]\r\n", "[ti:x]\r\n"},
        {"keyword joined by removals", Values("", "", "", "", ""), "[of[ar:a]fs[by:b]et:5]x", "x"},
    };
    auto out = std::make_unique<char[]>(LYRICS_CAPACITY);
    for (const SWriteCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        const ptrdiff_t n = WriteHeaderTags(Page("GBK"), c.values, c.text.c_str(), out.get());
        ASSERT_EQ(n, static_cast<ptrdiff_t>(c.expected.size()));
        EXPECT_EQ(std::string(out.get(), static_cast<size_t>(n)), c.expected);
        EXPECT_EQ(out[static_cast<size_t>(n)], '\0');
    }
}

TEST(HeaderTagsText, RefusesAResultPastTheCapacity) {
    auto out = std::make_unique<char[]>(LYRICS_CAPACITY);
    const CCodePage cp = Page("UTF-8");
    // Exactly full: accepted.
    const std::string full(LYRICS_MAX_TEXT - 8, 'x');
    EXPECT_EQ(WriteHeaderTags(cp, Values("T", "", "", "", ""), full.c_str(), out.get()),
              static_cast<ptrdiff_t>(LYRICS_MAX_TEXT));
    // One byte more: refused, whether the text or the header lines pass the limit.
    const std::string over(LYRICS_MAX_TEXT - 7, 'x');
    EXPECT_EQ(WriteHeaderTags(cp, Values("T", "", "", "", ""), over.c_str(), out.get()), -1);
    const std::string huge(LYRICS_MAX_TEXT, 'y');
    EXPECT_EQ(WriteHeaderTags(cp, Values(huge.c_str(), "", "", "", ""), "", out.get()), -1);
}

TEST(HeaderTagsText, DecodesTagFieldsInTheDocumentPageOrTheFallback) {
    struct {
        const char* pszDoc;
        const char* pszFallback;
        std::string bytes;
        std::u16string expected;
    } cases[] = {
        {"UTF-8", "GB18030", "Song", u"Song"},
        {"UTF-8", "GB18030", "\xB8\xE8", u"\u6B4C"},        // not UTF-8: read as GB18030
        {"UTF-8", "WINDOWS-1252", "Caf\xE9", u"Caf\u00E9"}, // not UTF-8: read as Windows-1252
        {"UTF-8", "BIG5", "\xE6\xAD\x8C", u"\u6B4C"},       // valid UTF-8 stays UTF-8
        {"BIG5", "GB18030", "\xBA\x71", u"\u6B4C"},         // valid in the document's Big5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(DecodeTagField(Page(c.pszDoc), Page(c.pszFallback), c.bytes), c.expected);
    }
}

} // namespace
