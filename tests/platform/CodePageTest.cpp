#include <cstdlib>
#include <optional>

#include "tests/support/TestPages.h"

namespace {

struct SNameCase {
    const char* pszName;
    const char* pszCanonical; // nullptr: not accepted
    CCodePage::Kind kind;
};

TEST(CodePage, NamesAndAliases) {
    using K = CCodePage::Kind;
    const SNameCase cases[] = {
        {"UTF-8", "UTF-8", K::Utf8},
        {"utf8", "UTF-8", K::Utf8},
        {"CP936", "CP936", K::DoubleByte},
        {"gbk", "CP936", K::DoubleByte},
        {"GB2312", "CP936", K::DoubleByte},
        {"GB18030", "GB18030", K::DoubleByte},
        {"CP950", "CP950", K::DoubleByte},
        {"Big5", "CP950", K::DoubleByte},
        {"BIG-5", "CP950", K::DoubleByte},
        {"CP932", "CP932", K::DoubleByte},
        {"Shift_JIS", "CP932", K::DoubleByte},
        {"sjis", "CP932", K::DoubleByte},
        {"CP949", "CP949", K::DoubleByte},
        {"EUC-KR", "CP949", K::DoubleByte},
        {"WINDOWS-1252", "CP1252", K::SingleByte},
        {"cp1252", "CP1252", K::SingleByte},
        {"ISO-8859-1", "ISO-8859-1", K::SingleByte},
        {"koi8-r", "KOI8-R", K::SingleByte},
        {"NO-SUCH-PAGE", nullptr, K::Utf8},
        {"", nullptr, K::Utf8},
        {"UTF-16", nullptr, K::Utf8}, // not a superset of ASCII
        {"EUC-JP", nullptr, K::Utf8}, // three-byte sequences: no stepping rule for it
    };
    for (const SNameCase& c : cases) {
        CCodePage cp;
        const bool bOk = CCodePage::FromName(c.pszName, cp);
        EXPECT_EQ(bOk, c.pszCanonical != nullptr) << c.pszName;
        if (bOk && c.pszCanonical) {
            EXPECT_EQ(cp.Name(), c.pszCanonical) << c.pszName;
            EXPECT_EQ(cp.GetKind(), c.kind) << c.pszName;
        }
    }
}

TEST(CodePage, FromLocaleString) {
    const struct {
        const char* pszLocale;
        const char* pszName;
    } cases[] = {
        {"zh_CN.GBK", "CP936"},
        {"zh_CN.gb18030", "GB18030"},
        {"zh_TW.Big5", "CP950"},
        {"ja_JP.SJIS", "CP932"},
        {"en_US.UTF-8", "UTF-8"},
        {"es_ES.utf8@euro", "UTF-8"},
        {"de_DE.ISO-8859-15@euro", "ISO-8859-15"},
        {"C", "UTF-8"},
        {"POSIX", "UTF-8"},
        {"", "UTF-8"},
        {"xx_XX.NO-SUCH-SET", "UTF-8"},
        {"C.UTF-8", "UTF-8"},
        {"no_such_locale", "UTF-8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CCodePage::FromLocale(c.pszLocale).Name(), c.pszName) << c.pszLocale;
}

// Sets or clears the locale variables for one test, restoring them afterwards.
class CLocaleEnv {
public:
    CLocaleEnv() {
        for (int i = 0; i < 3; ++i) {
            const char* v = std::getenv(s_names[i]);
            if (v)
                m_saved[i] = v;
        }
    }
    ~CLocaleEnv() {
        for (int i = 0; i < 3; ++i)
            Set(i, m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }
    void Set(int i, const char* value) {
        if (value)
            setenv(s_names[i], value, 1);
        else
            unsetenv(s_names[i]);
    }
    static constexpr const char* s_names[3] = {"LC_ALL", "LC_CTYPE", "LANG"};

private:
    std::optional<std::string> m_saved[3];
};

TEST(CodePage, SystemFollowsLocaleVariables) {
    const struct {
        const char* values[3]; // LC_ALL, LC_CTYPE, LANG
        const char* pszName;
    } cases[] = {
        {{"zh_CN.GBK", "ja_JP.SJIS", "zh_TW.Big5"}, "CP936"},
        {{nullptr, "ja_JP.SJIS", "zh_TW.Big5"}, "CP932"},
        {{"", "", "zh_TW.Big5"}, "CP950"},
        {{nullptr, nullptr, nullptr}, "UTF-8"},
        {{"C", nullptr, "zh_CN.GBK"}, "UTF-8"},
    };
    CLocaleEnv env;
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            env.Set(i, c.values[i]);
        EXPECT_EQ(CCodePage::System().Name(), c.pszName) << c.pszName;
    }
}

// Walks text by characters and lists their lengths.
std::string Steps(const CCodePage& cp, const std::string& text, bool bZeroTerminated) {
    std::string steps;
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p < end) {
        const size_t n = bZeroTerminated ? cp.CharLength(p) : cp.CharLength(p, end);
        steps += static_cast<char>('0' + n);
        p += n;
    }
    return steps;
}

TEST(CodePage, CharacterStepping) {
    const struct {
        const char* pszPage;
        std::string text;
        const char* pszSteps;
    } cases[] = {
        {"GBK", "\xD6\xD0\xCE\xC4[]", "2211"},       // 中文[]
        {"GBK", "\x81]]", "21"},                     // trail byte ']'
        {"GBK", "a\x81", "11"},                      // lead byte at the end
        {"GBK", "\x80]", "11"},                      // 0x80 is a character of its own
        {"GB18030", "\x94\x39\xFC\x36]", "221"},     // four-byte sequence in two steps
        {"BIG5", "\xA4\xA4\xA1]\r\n", "2211"},       // 中（ then CR LF
        {"SHIFT_JIS", "\x93\xFA\xB1]\x83]", "2112"}, // 日, half-width katakana, ゾ
        {"CP949", "\xB0\xA1\xBB\xE7\r\n", "2211"},   // 가사
        {"WINDOWS-1252", "Coraz\xF3n\xE9\r\n", "1111111111"},
        {"UTF-8", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80]", "2341"},
        {"UTF-8", "\xE4\r\n\x80]", "11111"}, // broken sequences never swallow ASCII
    };
    for (const auto& c : cases) {
        const CCodePage cp = Page(c.pszPage);
        EXPECT_EQ(Steps(cp, c.text, false), c.pszSteps) << c.pszPage;
        EXPECT_EQ(Steps(cp, c.text, true), c.pszSteps) << c.pszPage;
    }
}

TEST(CodePage, StartsCharCountsLeadBytesBack) {
    const struct {
        const char* pszPage;
        std::string text;
        size_t nPos;
        bool bStarts;
    } cases[] = {
        {"GBK", "\x81]", 1, false},         {"GBK", "\x81\x81]", 2, true},
        {"GBK", "\x81\x81\x81]", 3, false}, {"GBK", "a]\x81]", 3, false},
        {"GBK", "\xD6\xD0]", 2, true},      {"SHIFT_JIS", "\xB1]", 1, true},
        {"WINDOWS-1252", "\xE9]", 1, true}, {"UTF-8", "\xE4]", 1, true},
    };
    for (const auto& c : cases) {
        const CCodePage cp = Page(c.pszPage);
        EXPECT_EQ(cp.StartsChar(c.text.c_str(), c.text.c_str() + c.nPos), c.bStarts)
            << c.pszPage << " " << c.nPos;
    }
}

TEST(CodePage, ConvertsBothWays) {
    const struct {
        const char* pszPage;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"GBK", "\xD6\xD0\xCE\xC4[00:01]", u"中文[00:01]"},
        {"CP936", "\x80", u"€"},
        {"GB18030", "\x94\x39\xFC\x36", u"😀"},
        {"BIG5", "\xBA\x71\xB5\xFC", u"歌詞"},
        {"SHIFT_JIS", "\x93\xFA\x96\x7B\xB1", u"日本ｱ"},
        {"CP949", "\xB0\xA1\xBB\xE7", u"가사"},
        {"WINDOWS-1252",
         "Ma\xF1"
         "ana \x80\r\n",
         u"Mañana €\r\n"},
        {"UTF-8", "\xC3\xA9\xF0\x9F\x98\x80", u"é😀"},
        {"UTF-8", "", u""},
    };
    for (const auto& c : cases) {
        const CCodePage cp = Page(c.pszPage);
        std::u16string text;
        EXPECT_TRUE(cp.ToUnicode(c.bytes, text)) << c.pszPage;
        EXPECT_EQ(text, c.text) << c.pszPage;
        std::string bytes;
        EXPECT_TRUE(cp.FromUnicode(c.text, bytes)) << c.pszPage;
        EXPECT_EQ(bytes, c.bytes) << c.pszPage;
    }
}

TEST(CodePage, InvalidBytesAreReportedNotDropped) {
    const struct {
        const char* pszPage;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"UTF-8", "a\xC3(b", u"a\uFFFD(b"},
        {"UTF-8", "ab\xE4\xB8", u"ab\uFFFD\uFFFD"}, // cut short at the end
        {"UTF-8", "a\xED\xA0\x80", u"a\uFFFD"},     // an encoded surrogate
        {"UTF-8", "a\xC0\x80", u"a\uFFFD"},         // an overlong form
        {"GBK", "a\xD6", u"a\uFFFD"},
        {"WINDOWS-1252", "x\x81y", u"x\uFFFDy"},
    };
    for (const auto& c : cases) {
        std::u16string text;
        EXPECT_FALSE(Page(c.pszPage).ToUnicode(c.bytes, text)) << c.pszPage;
        EXPECT_EQ(text.substr(0, 2), c.text.substr(0, 2)) << c.pszPage;
        EXPECT_NE(text.find(u'\uFFFD'), std::u16string::npos) << c.pszPage;
        EXPECT_EQ(text.back(), c.text.back()) << c.pszPage;
    }
}

TEST(CodePage, UnencodableCharactersAreReportedNotDropped) {
    const struct {
        const char* pszPage;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {"WINDOWS-1252", u"a中b", "a?b"},
        {"GBK", u"x😀y", "x?y"},
        {"SHIFT_JIS", u"한", "?"},
        {"UTF-8", std::u16string(u"a") + char16_t(0xD800) + u"b", "a?b"}, // lone surrogate
    };
    for (const auto& c : cases) {
        std::string bytes;
        EXPECT_FALSE(Page(c.pszPage).FromUnicode(c.text, bytes)) << c.pszPage;
        EXPECT_EQ(bytes, c.bytes) << c.pszPage;
    }
}

} // namespace
