#pragma once
// Moving one time tag to a new time on a lyrics text's bytes: the nudge of a line's first tag
// and the rewrite of a dragged tag. A moved tag is always written with hundredths.

#include <cstddef>
#include <cstdint>

#include "doc/LrcText.h"
#include "platform/CodePage.h"

// Bytes [nStart, nEnd) of the text become szTag (nLength bytes), a tag of value nTime.
struct STagRewrite {
    size_t nStart = 0;
    size_t nEnd = 0;
    uint32_t nTime = 0;
    char szTag[TIME_TAG_BUFFER] = {};
    size_t nLength = 0;
};

// The rewrite of the tag at [start, end) to time (rounded to hundredths).
STagRewrite RewriteTag(size_t start, size_t end, uint32_t time);
// The first time tag of a line (bytes [line, line + length), no line break in them) moved by
// delta milliseconds, never below 0; false when the line has no time tag. Offset tags of the
// line are passed over, not followed.
bool NudgeFirstTag(const CCodePage& cp, const char* line, size_t length, int32_t delta,
                   STagRewrite* pRewrite);
