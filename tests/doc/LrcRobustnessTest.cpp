// Random texts made of the bytes the grammar cares about: every operation stays inside its
// text, terminates, and cleaning is stable.
#include <vector>

#include "tests/support/TestPages.h"
#include "doc/LrcText.h"

namespace {

class CRandomText {
public:
    explicit CRandomText(uint32_t seed) : m_nState(seed) {}
    std::string Next() {
        static const std::string alphabet[] = {
            "[", "]", ":",   ".",       "0", "1",    "9",        "\r\n", "\r",   "\n",
            " ", "a", "ti:", "offset:", "-", "\x81", "\xD6\xD0", "\xE9", "\xB1", "\xC3\xA9"};
        std::string text;
        const uint32_t n = Rand() % 60;
        for (uint32_t i = 0; i < n; ++i)
            text += alphabet[Rand() % std::size(alphabet)];
        return text;
    }

private:
    uint32_t Rand() {
        m_nState = m_nState * 1664525u + 1013904223u;
        return m_nState >> 8;
    }
    uint32_t m_nState;
};

void CheckScans(const CCodePage& cp, const std::string& text) {
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    uint32_t nTime = 0;
    int32_t nOffset = 0;
    size_t nTags = 0;
    for (const char* p = begin; (p = FindTimeTag(cp, p, end, &nTime, &nOffset)); ++nTags) {
        ASSERT_TRUE(p > begin && p < end) << text;
        ASSERT_EQ(p[-1], '[');
        uint32_t nAgain = 0;
        ASSERT_TRUE(ParseTimeTag(cp, p, end, &nAgain));
        ASSERT_EQ(nAgain, nTime);
        const char* lyric = SkipTagRun(cp, p, end);
        ASSERT_TRUE(lyric && lyric > p && lyric <= end) << text;
        ASSERT_LE(nTags, text.size());
    }
    for (const char* p = begin; *p;) {
        const char* next = NextLine(cp, p);
        ASSERT_TRUE(next > p && next <= end) << text;
        p = next;
    }
    for (int kind = HEADER_TI; kind <= HEADER_OFFSET; ++kind) {
        const char* header = FindHeaderLine(cp, begin, static_cast<HeaderKind>(kind));
        ASSERT_TRUE(!header || (header >= begin && header < end && *header == '['));
    }
}

TEST(LrcRobustness, RandomTexts) {
    CRandomText random(20261207);
    std::vector<char> buffer(LYRICS_CAPACITY);
    for (const char* pszPage : {"GBK", "SHIFT_JIS", "WINDOWS-1252", "UTF-8"}) {
        const CCodePage cp = Page(pszPage);
        for (int i = 0; i < 3000; ++i) {
            const std::string text = random.Next();
            CheckScans(cp, text);
            text.copy(buffer.data(), text.size());
            buffer[text.size()] = '\0';
            CleanLyrics(cp, buffer.data());
            const std::string cleaned(buffer.data());
            ASSERT_LE(cleaned.size(), text.size());
            CleanLyrics(cp, buffer.data());
            ASSERT_EQ(std::string(buffer.data()), cleaned) << pszPage << " " << text;
            ASSERT_TRUE(RebuildLyrics(cp, buffer.data(), TIME_FORMAT_HUNDREDTHS));
            CheckScans(cp, buffer.data());
        }
    }
}

} // namespace
