#include "doc/TagRetime.h"

#include "doc/PlayTime.h"

STagRewrite RewriteTag(size_t start, size_t end, uint32_t time) {
    STagRewrite rewrite;
    rewrite.nStart = start;
    rewrite.nEnd = end;
    rewrite.nTime = RoundToHundredths(time);
    rewrite.nLength = FormatTimeTag(rewrite.szTag, rewrite.nTime, TIME_FORMAT_HUNDREDTHS);
    return rewrite;
}

bool NudgeFirstTag(const CCodePage& cp, const char* line, size_t length, int32_t delta,
                   STagRewrite* pRewrite) {
    const char* end = line + length;
    uint32_t time = 0;
    int32_t offset = 0;
    const char* tag = FindTimeTag(cp, line, end, &time, &offset);
    if (!tag)
        return false;
    const char* close = ScanForChar(cp, tag, end, ']');
    if (!close)
        return false;
    *pRewrite = RewriteTag(static_cast<size_t>(tag - 1 - line), static_cast<size_t>(close - line),
                           NudgeTagTime(time, delta));
    return true;
}
