// Fuzzes the Edit menu's whole-text commands (delete all tags, delete fractions, tidy) on
// arbitrary texts in each kind of code page, with the editor's buffers.

#include <cstring>

#include "doc/LrcText.h"
#include "fuzz/FuzzInput.h"
#include "view/TagText.h"

namespace {

// Room the view gives a whole-text result.
constexpr size_t kWorkBuffer = LYRICS_CAPACITY + 4;

// A removal never lengthens the text, and says how long its result is.
void CheckRemoval(const FuzzText& text, size_t nWritten, const char* out) {
    if (nWritten > text.nLength || std::strlen(out) != nWritten)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    const FuzzText text(in.pData, in.nSize);
    auto pOut = std::make_unique<char[]>(kWorkBuffer);
    CheckRemoval(text, RemoveTimeTags(in.cp, text.Get(), pOut.get()), pOut.get());
    CheckRemoval(text, RemoveTagFractions(in.cp, text.Get(), pOut.get()), pOut.get());

    const FuzzText tidy(in.pData, in.nSize, LYRICS_CAPACITY - 1);
    CleanLyrics(in.cp, tidy.Get());
    const size_t nCleaned = std::strlen(tidy.Get());
    if (nCleaned > text.nLength)
        std::abort();
    const bool bFits = RebuildLyrics(in.cp, tidy.Get(), in.nTimeFormat);
    const size_t nRebuilt = std::strlen(tidy.Get());
    // What is kept is whole lines: it ends with CR LF unless it ends where the text ended.
    if (nRebuilt > LYRICS_MAX_TEXT ||
        (!bFits && nRebuilt > 0 &&
         (nRebuilt < 2 || std::memcmp(tidy.Get() + nRebuilt - 2, "\r\n", 2) != 0)))
        std::abort();
    return 0;
}
