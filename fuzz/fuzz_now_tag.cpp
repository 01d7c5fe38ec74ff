// Fuzzes the now-tag scan that runs on every playback tick: the now tag for a play position,
// the tags before and after it, and the line that holds it. Every place it gives must lie in
// the text and in order.

#include <cstring>

#include "doc/NowTag.h"
#include "fuzz/FuzzInput.h"

namespace {

uint32_t Read32(const uint8_t*& p, size_t& n) {
    uint32_t v = 0;
    for (int i = 0; i < 4 && n > 0; ++i, ++p, --n)
        v = v << 8 | *p;
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    const uint32_t nPosition = Read32(in.pData, in.nSize);
    const int32_t nOffsetIn = static_cast<int32_t>(Read32(in.pData, in.nSize));
    const FuzzText text(in.pData, in.nSize);
    const char* p = text.Get();
    const size_t n = text.nLength;

    int32_t nOffset = nOffsetIn;
    bool bHasTags = false;
    SNowTag tag;
    if (FindNowTagInText(in.cp, p, n, nPosition, &nOffset, &bHasTags, &tag)) {
        if (!bHasTags || p[tag.nTagStart] != '[' || tag.nTagStart >= tag.nTagEnd ||
            p[tag.nTagEnd - 1] != ']' || tag.nTagEnd > tag.nLyricStart ||
            tag.nLyricStart > tag.nLyricEnd || tag.nLyricEnd > tag.nCaret || tag.nCaret > n)
            std::abort();
        const int nLine = LineOfPosition(in.cp, p, tag.nTagEnd);
        if (nLine < 0 || nLine > LineOfPosition(in.cp, p, tag.nCaret))
            std::abort();
        NowTagFieldText(nOffset, NowTagText(p, tag), NowTagLyric(p, tag));
        uint32_t nTime = 0;
        nOffset = 0;
        if (!HasTagOfTime(in.cp, p, n, tag.nTime, &nOffset))
            std::abort();
        if (FindPrevTagTime(in.cp, p, n, tag.nTime, &nOffset, &nTime) && nTime >= tag.nTime)
            std::abort();
        if (FindNextTagTime(in.cp, p, n, tag.nTime, nPosition, &nOffset, &nTime) &&
            (nTime <= tag.nTime || nTime > nPosition))
            std::abort();
    }
    return 0;
}
