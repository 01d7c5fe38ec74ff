#include <vector>

#include "tests/support/TestPages.h"
#include "doc/LrcText.h"

namespace {

// The text in an editor-sized buffer, as the tidy command hands it over.
class CTextBuffer {
public:
    explicit CTextBuffer(const std::string& text) : m_buffer(LYRICS_CAPACITY, '\xEE') {
        EXPECT_LE(text.size(), LYRICS_MAX_TEXT);
        text.copy(m_buffer.data(), text.size());
        m_buffer[text.size()] = '\0';
    }
    char* Data() { return m_buffer.data(); }
    std::string Text() const { return std::string(m_buffer.data()); }

private:
    std::vector<char> m_buffer;
};

std::string Clean(const char* pszPage, const std::string& text) {
    CTextBuffer buf(text);
    CleanLyrics(Page(pszPage), buf.Data());
    return buf.Text();
}

TEST(LrcClean, KeepsOnlyEmptyTagAndHeaderLines) {
    const struct {
        const char* pszPage;
        std::string text;
        std::string cleaned;
    } cases[] = {
        {"UTF-8", "[ti:x]\r\nplain\r\n\r\n[00:01]a   \r\n   [00:01]x\r\n[00:02]x   ",
         "[ti:x]\r\n\r\n[00:01]a\r\n[00:02]x"},
        {"UTF-8", "[00:01]x   \r\n", "[00:01]x\r\n"}, // last line, text ends with CR LF
        {"UTF-8", "[00:01]x   ", "[00:01]x"},         // last line without CR LF
        {"UTF-8", "   \r\n", ""},                     // blanks only
        {"UTF-8", "   ", ""},
        {"UTF-8", "\r\n\r\n", "\r\n\r\n"},
        {"UTF-8", "", ""},
        {"UTF-8", "[12]\r\n[]\r\n[ab:cd]x\r\n[:05]y\r\n[01:]\r\n[1:2:3]z\r\n",
         "[:05]y\r\n[01:]\r\n[1:2:3]z\r\n"},
        {"UTF-8", "[OFFSET:5]  \r\n[Ar:A] \r\n[al:\r\n[by:]",
         "[OFFSET:5]\r\n[Ar:A]\r\n[al:\r\n[by:]"},
        {"UTF-8", "[x]  [00:01]\r\n", ""},
        {"UTF-8", "[00:01\r\n]x\r\n", ""},         // the first group must close on its own line
        {"UTF-8", "[00:01]a \r", "[00:01]a \r"},   // a lone CR is no line end
        {"UTF-8", "[00:01]a\nb  ", "[00:01]a\nb"}, // nor a lone LF
        {"UTF-8", "x\n[00:01]a\r\n", ""},
        {"UTF-8", "[00:01]\t \r\n", "[00:01]\t\r\n"}, // only blanks are trimmed
        {"WINDOWS-1252",
         "[00:01]Coraz\xF3n\r\n[00:02]Ma\xF1"
         "ana  \r\nAdi\xF3s\r\n",
         "[00:01]Coraz\xF3n\r\n[00:02]Ma\xF1"
         "ana\r\n"},
        {"GBK", "[00:01]\xD6\xD0 \r\n\xCE\xC4\r\n", "[00:01]\xD6\xD0\r\n"},
        {"GBK", "[00:01]a\x81 ", "[00:01]a\x81 "}, // that blank is a trail byte
        {"GBK", "[00:01]a\x81  ", "[00:01]a\x81 "},
        {"GBK", "[00:01]\x81\r\n[00:02]\r\nx", "[00:01]\x81\r\n[00:02]\r\n"}, // one line
        {"BIG5", "[00:01]\xBA\x71\xB5\xFC  \r\n", "[00:01]\xBA\x71\xB5\xFC\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Clean(c.pszPage, c.text), c.cleaned) << c.pszPage << " " << c.text;
}

struct SRebuilt {
    std::string text;
    bool bFits;
};

SRebuilt Rebuild(const char* pszPage, const std::string& text, int nFormat) {
    CTextBuffer buf(text);
    const bool bFits = RebuildLyrics(Page(pszPage), buf.Data(), nFormat);
    return {buf.Text(), bFits};
}

TEST(LrcRebuild, HeadersFirstThenTagsWithTheOffsetApplied) {
    const struct {
        const char* pszPage;
        std::string text;
        int nFormat;
        std::string rebuilt;
    } cases[] = {
        {"UTF-8", "[offset:2000]\r\n[00:01]a", 1, "[00:00.00]a"},
        {"UTF-8", "[offset:-2000]\r\n[00:01]a", 1, "[00:03.00]a"},
        {"UTF-8", "[offset:1000]\r\n[00:01]a\r\n[00:01.01]b", 1, "[00:00.00]a\r\n[00:00.01]b"},
        {"UTF-8", "[offset:x]\r\n[offset:-500]\r\n[00:01]a", 1, "[00:01.50]a"},
        {"UTF-8", "[00:01]a\r\n[ti:One]\r\n[ti:Two]\r\n", 1, "[ti:One]\r\n[00:01.00]a\r\n"},
        {"UTF-8", "[by:B]\r\n[al:C]\r\n[ar:A]\r\n[ti:T]\r\n[00:01]x\r\n", 1,
         "[ti:T]\r\n[ar:A]\r\n[al:C]\r\n[by:B]\r\n[00:01.00]x\r\n"},
        {"UTF-8", "[00:01]a\r\n\r\n[00:02]b\r\n", 0, "[00:01]a\r\n\r\n[00:02]b\r\n"},
        {"UTF-8", "[1:2]x", 0, "[01:02]x"},
        {"UTF-8", "[1:75]x", 1, "[02:15.00]x"},
        {"UTF-8", "[00:01]a\r\n[00:02]", 1, "[00:01.00]a\r\n[00:02.00]"},
        {"UTF-8", "[00:02]\r\n", 1, "[00:02.00]\r\n"},
        {"UTF-8", "[00:01][00:05.2]Hello\r\n", 1, "[00:01.00][00:05.20]Hello\r\n"},
        {"UTF-8", "[00:01][x]Hello\r\n", 1, "[00:01.00]Hello\r\n"},
        {"UTF-8", "[ti:x][00:01]abc\r\n", 1, "[ti:x][00:01]abc\r\n[00:01.00]abc\r\n"},
        {"UTF-8", "[12]x\r\n[71583:00]y\r\nplain\r\n[00:03]z", 1, "[00:03.00]z"},
        {"UTF-8", "[00:05]a [offset:1000]\r\n", 1, "[00:05.00]a [offset:1000]\r\n"},
        {"UTF-8", "[offset:-2147483648]\r\n[71582:47]x", 1, "[71582:47.29]x"},
        {"UTF-8", "", 1, ""},
        // The last line has no CR LF: a header taken from there still gets its own line.
        {"UTF-8", "[00:01]a\r\n[ti:T]", 1, "[ti:T]\r\n[00:01.00]a\r\n"},
        {"UTF-8", "[ti:T]", 1, "[ti:T]"},
        {"UTF-8", "[00:01]a\r\n[ti:T][00:02]b", 1, "[ti:T][00:02]b\r\n[00:01.00]a\r\n[00:02.00]b"},
        {"GBK", "[00:01]\xD6\xD0\xCE\xC4\r\n[00:02]\x81][00:03]x\r\n", 1,
         "[00:01.00]\xD6\xD0\xCE\xC4\r\n[00:02.00]\x81][00:03]x\r\n"},
        {"WINDOWS-1252",
         "[00:01]Ma\xF1"
         "ana\r\n[00:02]Coraz\xF3n",
         0,
         "[00:01]Ma\xF1"
         "ana\r\n[00:02]Coraz\xF3n"},
    };
    for (const auto& c : cases) {
        const SRebuilt r = Rebuild(c.pszPage, c.text, c.nFormat);
        EXPECT_EQ(r.text, c.rebuilt) << c.pszPage << " " << c.text;
        EXPECT_TRUE(r.bFits) << c.text;
    }
}

TEST(LrcRebuild, CleanThenRebuild) {
    CTextBuffer buf("[offset:500]\r\n[ti:Song]\r\n[00:01][00:03.2]Hello  ");
    const CCodePage cp = Page("UTF-8");
    CleanLyrics(cp, buf.Data());
    EXPECT_TRUE(RebuildLyrics(cp, buf.Data(), TIME_FORMAT_HUNDREDTHS));
    EXPECT_EQ(buf.Text(), "[ti:Song]\r\n[00:00.50][00:02.70]Hello");
}

std::string Repeat(const std::string& line, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += line;
    return s;
}

TEST(LrcRebuild, StopsAtTheCapacityOnALineBoundary) {
    const std::string full = "[01:02.00]x\r\n";
    const struct {
        std::string text;
        bool bFits;
        std::string rebuilt;
    } cases[] = {
        // Every line grows from 8 to 13 bytes: only the whole lines that fit remain.
        {Repeat("[1:2]x\r\n", LYRICS_MAX_TEXT / 8), false,
         Repeat(full, LYRICS_MAX_TEXT / full.size())},
        // Exactly the capacity, and one byte over it.
        {"[00:01]" + std::string(LYRICS_MAX_TEXT - 10, 'x'), true,
         "[00:01.00]" + std::string(LYRICS_MAX_TEXT - 10, 'x')},
        {"[00:01]" + std::string(LYRICS_MAX_TEXT - 9, 'x'), false, ""},
        {"[ti:T]\r\n[00:01]" + std::string(LYRICS_MAX_TEXT - 17, 'x'), false, "[ti:T]\r\n"},
    };
    for (const auto& c : cases) {
        const SRebuilt r = Rebuild("UTF-8", c.text, TIME_FORMAT_HUNDREDTHS);
        EXPECT_EQ(r.bFits, c.bFits) << c.text.size();
        EXPECT_EQ(r.text.size(), c.rebuilt.size());
        EXPECT_TRUE(r.text == c.rebuilt) << c.text.size();
    }
}

} // namespace
