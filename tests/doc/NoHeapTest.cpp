// The playback display scans the text ten times a second: scanning must not allocate.
#include <cstdlib>
#include <new>

#include "tests/support/TestPages.h"
#include "doc/LrcText.h"

namespace {
bool g_bCounting = false;
int g_nAllocations = 0;
} // namespace

// The replacements pair malloc with free; inlined into a test's creation, GCC takes the pair for
// new with free and warns.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t n) {
    if (g_bCounting)
        ++g_nAllocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    std::abort();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace {

TEST(LrcNoHeap, ScanningCleaningAndRebuildingDoNotAllocate) {
    std::string text = "[ti:T]\r\n[offset:-100]\r\n";
    for (int i = 0; i < 200; ++i)
        text += "[00:01.50][x]\xD6\xD0\xCE\xC4 \r\n\r\n";
    std::string buffer(LYRICS_CAPACITY, '\0');
    text.copy(buffer.data(), text.size());
    for (const char* pszPage : {"GBK", "UTF-8", "WINDOWS-1252"}) {
        const CCodePage cp = Page(pszPage);
        g_nAllocations = 0;
        g_bCounting = true;
        uint32_t nTime = 0;
        int32_t nOffset = 0;
        const char* end = text.c_str() + text.size();
        for (const char* p = text.c_str(); (p = FindTimeTag(cp, p, end, &nTime, &nOffset));)
            SkipTagRun(cp, p, end);
        FindHeaderLine(cp, text.c_str(), HEADER_TI);
        ReadOffsetTag(cp, text.c_str(), &nOffset);
        char tag[TIME_TAG_BUFFER];
        FormatTimeTag(tag, 1234, TIME_FORMAT_HUNDREDTHS);
        CleanLyrics(cp, buffer.data());
        RebuildLyrics(cp, buffer.data(), TIME_FORMAT_HUNDREDTHS);
        g_bCounting = false;
        EXPECT_EQ(g_nAllocations, 0) << pszPage;
    }
}

} // namespace
