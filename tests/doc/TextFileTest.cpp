#include <gtest/gtest.h>

#include "doc/CodePageDetect.h"
#include "doc/LrcText.h"
#include "doc/TextFile.h"

namespace {

using namespace std::string_literals;

// The same lyrics in the code pages a user's files come in.
const std::string kGbk =
    "[ti:\xD4\xC2\xC1\xC1\xB4\xFA\xB1\xED\xCE\xD2\xB5\xC4\xD0\xC4]\x0D\x0A[00:01.00]"
    "\xC4\xE3\xCE\xCA\xCE\xD2\xB0\xAE\xC4\xE3\xD3\xD0\xB6\xE0\xC9\xEE\x0D\x0A[00:05.00]"
    "\xCE\xD2\xB0\xAE\xC4\xE3\xD3\xD0\xBC\xB8\xB7\xD6\x0D\x0A[00:09.00]"
    "\xCE\xD2\xB5\xC4\xC7\xE9\xD2\xB2\xD5\xE6 "
    "\xCE\xD2\xB5\xC4\xB0\xAE\xD2\xB2\xD5\xE6\x0D\x0A[00:13.00]"
    "\xD4\xC2\xC1\xC1\xB4\xFA\xB1\xED\xCE\xD2\xB5\xC4\xD0\xC4\x0D\x0A";
const std::u16string kGbkText =
    u"[ti:月亮代表我的心]\r\n[00:01.00]你问我爱你有多深\r\n[00:05.00]我爱你有几分\r\n[00:09.00]"
    u"我的情也真 我的爱也真\r\n[00:13.00]月亮代表我的心\r\n";
const std::string kBig5 = "[ti:\xA4\xEB\xABG\xA5N\xAA\xED\xA7\xDA\xAA\xBA\xA4\xDF]\x0D\x0A[00:01."
                          "00]\xA7\x41\xB0\xDD\xA7\xDA\xB7R\xA7\x41\xA6\xB3\xA6h\xB2`\x0D\x0A[00:"
                          "05.00]\xA7\xDA\xB7R\xA7\x41\xA6\xB3\xB4X\xA4\xC0\x0D\x0A[00:09.00]"
                          "\xA7\xDA\xAA\xBA\xB1\xA1\xA4]\xAFu "
                          "\xA7\xDA\xAA\xBA\xB7R\xA4]\xAFu\x0D\x0A[00:13.00]"
                          "\xA4\xEB\xABG\xA5N\xAA\xED\xA7\xDA\xAA\xBA\xA4\xDF\x0D\x0A";
const std::u16string kBig5Text =
    u"[ti:月亮代表我的心]\r\n[00:01.00]你問我愛你有多深\r\n[00:05.00]我愛你有幾分\r\n[00:09.00]"
    u"我的情也真 我的愛也真\r\n[00:13.00]月亮代表我的心\r\n";
const std::string kCp1252 =
    "[ti:Canci\xF3n de la ma\xF1\x61na]\x0D\x0A[00:01.00]\xBF\x44\xF3nde est\xE1 mi "
    "coraz\xF3n\x3F\x0D\x0A[00:05.00]Se\xF1or, qu\xE9 peque\xF1o es el "
    "jard\xEDn\x0D\x0A[00:09.00]\xC9l baila en la plaza \x97 \xA1ol\xE9!\x0D\x0A";
const std::u16string kCp1252Text =
    u"[ti:Canción de la mañana]\r\n[00:01.00]¿Dónde está mi corazón?\r\n[00:05.00]Señor, qué "
    u"pequeño es el jardín\r\n[00:09.00]Él baila en la plaza — ¡olé!\r\n";
const std::string kUtf8 =
    "[ti:\xE6\x9C\x88\xE4\xBA\xAE\xE4\xBB\xA3\xE8\xA1\xA8\xE6\x88\x91\xE7\x9A\x84\xE5\xBF\x83]"
    "\x0D\x0A[00:01.00]"
    "\xE4\xBD\xA0\xE9\x97\xAE\xE6\x88\x91\xE7\x88\xB1\xE4\xBD\xA0\xE6\x9C\x89\xE5\xA4\x9A\xE6\xB7"
    "\xB1\x0D\x0A[00:05.00]"
    "\xE6\x88\x91\xE7\x88\xB1\xE4\xBD\xA0\xE6\x9C\x89\xE5\x87\xA0\xE5\x88\x86\x0D\x0A[00:09.00]"
    "\xE6\x88\x91\xE7\x9A\x84\xE6\x83\x85\xE4\xB9\x9F\xE7\x9C\x9F "
    "\xE6\x88\x91\xE7\x9A\x84\xE7\x88\xB1\xE4\xB9\x9F\xE7\x9C\x9F\x0D\x0A[00:13.00]"
    "\xE6\x9C\x88\xE4\xBA\xAE\xE4\xBB\xA3\xE8\xA1\xA8\xE6\x88\x91\xE7\x9A\x84\xE5\xBF\x83\x0D\x0A";
const std::u16string kUtf8Text =
    u"[ti:月亮代表我的心]\r\n[00:01.00]你问我爱你有多深\r\n[00:05.00]我爱你有几分\r\n[00:09.00]"
    u"我的情也真 我的爱也真\r\n[00:13.00]月亮代表我的心\r\n";

// A text as a UTF-16 file with its byte-order mark.
std::string Utf16File(std::u16string_view text, bool bBigEndian) {
    std::string file = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c);
        file += bBigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return file;
}

struct SRoundTripCase {
    const char* label;
    std::string file;
    int nUiLanguage;
    const char* codePage; // expected code page; nullptr: any that keeps the text
    bool bBom;
    std::u16string text;
};

class RoundTripTest : public ::testing::TestWithParam<SRoundTripCase> {};

TEST_P(RoundTripTest, DecodesAndSavesTheSameBytes) {
    const SRoundTripCase& c = GetParam();
    CLoadedText loaded;
    ASSERT_EQ(LoadLyricsText(c.file, c.nUiLanguage, loaded), TextLoadResult::Ok);
    if (c.codePage != nullptr) {
        EXPECT_EQ(loaded.codePage.Name(), c.codePage);
    }
    EXPECT_EQ(loaded.bBom, c.bBom);
    EXPECT_EQ(loaded.strUnicode, c.text);
    std::string saved;
    ASSERT_TRUE(
        EncodeTextFile(loaded.encoding, loaded.codePage, loaded.bBom, loaded.strUnicode, saved));
    EXPECT_EQ(saved, c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RoundTripTest,
    ::testing::Values(
        SRoundTripCase{"Gbk", kGbk, 0, "GB18030", false, kGbkText},
        SRoundTripCase{"Big5", kBig5, 0, "CP950", false, kBig5Text},
        SRoundTripCase{"Cp1252", kCp1252, 0, nullptr, false, kCp1252Text},
        SRoundTripCase{"Utf8", kUtf8, 0, "UTF-8", false, kGbkText},
        SRoundTripCase{"Utf8Bom", std::string(UTF8_BOM) + kUtf8, 0, "UTF-8", true, kGbkText},
        // UTF-16 files are worked on as UTF-8 and written back as they came.
        SRoundTripCase{"Utf16Le", Utf16File(kUtf8Text, false), 0, "UTF-8", true, kUtf8Text},
        SRoundTripCase{"Utf16Be", Utf16File(kUtf8Text, true), 0, "UTF-8", true, kUtf8Text},
        SRoundTripCase{"Utf16Surrogates", Utf16File(u"[00:01]\U0001F3B5 x\r\n", false), 2, "UTF-8",
                       true, u"[00:01]\U0001F3B5 x\r\n"},
        SRoundTripCase{"Ascii", "[00:01.00]la la\r\n", 1, "UTF-8", false, u"[00:01.00]la la\r\n"},
        // Bytes no Windows-1252 character uses still come back unchanged.
        SRoundTripCase{"UndefinedInCp1252", "caf\xE9 \x81\x8D\x8F\x90\x9D\r\n", 0, nullptr, false,
                       u"caf\u00E9 \u0081\u008D\u008F\u0090\u009D\r\n"},
        // A mark followed by bytes that are not UTF-8: the mark is kept, the bytes too.
        SRoundTripCase{"BomBeforeLatin1", std::string(UTF8_BOM) + "caf\xE9\r\n", 0, nullptr, true,
                       u"caf\u00E9\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(LoadLyricsText, NormalisesInTheDetectedCodePage) {
    // The GBK lyrics with LF line ends and a tag in the middle of a line.
    std::string file;
    for (char c : kGbk)
        if (c != '\r')
            file += c;
    file.insert(file.find("[00:09.00]"), "\xC4\xE3[00:07.00]");
    CLoadedText loaded;
    ASSERT_EQ(LoadLyricsText(file, 0, loaded), TextLoadResult::Ok);
    // A tag after a lone LF did not start a line in the file: it gets an empty line before it.
    std::u16string expected;
    for (char16_t c : kGbkText)
        expected += c == u'[' && !expected.empty() ? u"\r\n[" : std::u16string(1, c);
    expected.replace(expected.find(u"\r\n\r\n[00:09.00]"), 14,
                     u"\r\n\u4F60\r\n[00:07.00][00:09.00]");
    EXPECT_EQ(loaded.strUnicode, expected);
}

TEST(LoadLyricsText, RefusesWhatWouldNotFitInsteadOfCuttingIt) {
    struct {
        std::string file;
        TextLoadResult expected;
    } cases[] = {
        {std::string(LYRICS_MAX_TEXT, 'a'), TextLoadResult::Ok},
        {std::string(UTF8_BOM) + std::string(LYRICS_MAX_TEXT, 'a'), TextLoadResult::Ok},
        {std::string(LYRICS_MAX_TEXT + 1, 'a'), TextLoadResult::TooLarge},
        // Every LF gains a CR.
        {std::string(LYRICS_CAPACITY / 2, '\n'), TextLoadResult::TooLarge},
        {std::string(LYRICS_MAX_TEXT / 2, '\n'), TextLoadResult::Ok},
        // Lone CRs go, so a longer file can still fit.
        {std::string(200000, '\r') + "[00:01]a", TextLoadResult::Ok},
        {std::string(PLAIN_FILE_MAX_SIZE + 1, '\r'), TextLoadResult::TooLarge},
        // The editor cannot hold a zero byte, so a text with one is not cut there but refused.
        {std::string("[00:01]a\0b", 10), TextLoadResult::ZeroByte},
        {"\xFF\xFE[\0t\0i\0:\0]\0"s, TextLoadResult::Ok}, // UTF-16
        {Utf16File(std::u16string(u"a\0b", 3), false), TextLoadResult::ZeroByte},
        {"\xFF\xFE[\0t\0i"s, TextLoadResult::BadUtf16}, // odd length
        {Utf16File(u"a\xD800"
                   u"b",
                   true),
         TextLoadResult::BadUtf16},                               // lone surrogate
        {Utf16File(u"a\xDC00", false), TextLoadResult::BadUtf16}, // lone surrogate
        {Utf16File(std::u16string(LYRICS_MAX_TEXT / 3 + 1, u'\u4E2D'), false),
         TextLoadResult::TooLarge}, // three UTF-8 bytes a character
    };
    for (const auto& c : cases) {
        CLoadedText loaded;
        EXPECT_EQ(LoadLyricsText(c.file, 0, loaded), c.expected) << c.file.size();
        if (c.expected == TextLoadResult::Ok) {
            EXPECT_LE(loaded.strBytes.size(), LYRICS_MAX_TEXT);
        }
    }
}

TEST(EncodeLyricsText, ReportsEveryCharacterTheCodePageCannotHold) {
    struct {
        const char* codePage;
        std::u16string text;
        bool bFits;
        std::u16string unfit;
    } cases[] = {
        {"CP1252", u"caf\u00E9 \u20AC", true, u""},
        {"CP1252", u"\u4E2D a \u4E2D \u6587", false, u"\u4E2D\u6587"},
        {"GBK", u"\u4E2D \U0001F600 \U0001F600", false, u"\U0001F600"},
        {"BIG5", u"\u4E2D\u6587 \u00E9", false, u"\u00E9"},
        {"UTF-8", u"\u4E2D \U0001F600", true, u""},
        // A lone surrogate is no character in any code page.
        {"UTF-8", u"a\xD800", false, u"\xD800"},
    };
    for (const auto& c : cases) {
        CCodePage cp;
        ASSERT_TRUE(CCodePage::FromName(c.codePage, cp));
        std::string out;
        std::u16string unfit;
        EXPECT_EQ(EncodeLyricsText(cp, false, c.text, out, &unfit), c.bFits) << c.codePage;
        EXPECT_EQ(unfit, c.unfit) << c.codePage;
        if (!c.bFits) {
            EXPECT_TRUE(out.empty());
        }
    }
}

TEST(CodePageLabel, NamesTheCodePageAsUsersKnowIt) {
    struct {
        const char* codePage;
        bool bBom;
        const char* label;
    } cases[] = {{"UTF-8", false, "UTF-8"},
                 {"UTF-8", true, "UTF-8 BOM"},
                 {"GBK", false, "GBK"},
                 {"BIG5", false, "Big5"},
                 {"CP1252", false, "Windows-1252"},
                 {"GB18030", false, "GB18030"}};
    for (const auto& c : cases) {
        CCodePage cp;
        ASSERT_TRUE(CCodePage::FromName(c.codePage, cp));
        EXPECT_EQ(CodePageLabel(cp, c.bBom), c.label);
    }
}

TEST(EncodeLyricsText, WritesTheMarkFirst) {
    std::string out;
    ASSERT_TRUE(EncodeLyricsText(CCodePage(), true, u"\u00E9\r\n", out));
    EXPECT_EQ(out, "\xEF\xBB\xBF\xC3\xA9\r\n");
}

} // namespace
