#include "doc/NowTag.h"

#include <cstdio>

#include "doc/LrcText.h"
#include "doc/PlayTime.h"

namespace {

// Calls visit(time, afterBracket) for each time tag of the text in order, until visit returns
// false. FindTimeTag stores the offset tags it passes into *pOffset.
template <typename Visit>
void WalkTimeTags(const CCodePage& cp, const char* text, size_t length, int32_t* pOffset,
                  Visit visit) {
    const char* end = text + length;
    const char* pos = text;
    uint32_t time = 0;
    while (pos < end) {
        const char* tag = FindTimeTag(cp, pos, end, &time, pOffset);
        if (tag == nullptr || !visit(time, tag))
            return;
        pos = tag; // one byte after the '[' just found
    }
}

// Position of the CR of the CR LF that ends the line holding pos, or end.
const char* LineEnd(const CCodePage& cp, const char* pos, const char* end) {
    while (pos < end) {
        if (pos[0] == '\r' && pos + 1 < end && pos[1] == '\n')
            return pos;
        pos += cp.CharLength(pos, end);
    }
    return end;
}

} // namespace

bool FindNowTagInText(const CCodePage& cp, const char* text, size_t length, uint32_t position,
                      int32_t* pOffset, bool* pHasTags, SNowTag* pTag) {
    const uint32_t target = EffectiveTime(position, *pOffset);
    *pOffset = 0;
    *pHasTags = false;
    const char* best = nullptr;
    uint32_t bestTime = 0;
    WalkTimeTags(cp, text, length, pOffset, [&](uint32_t time, const char* tag) {
        *pHasTags = true;
        if (time <= target && time >= bestTime) {
            best = tag;
            bestTime = time;
        }
        return true;
    });
    if (best == nullptr)
        return false;

    const char* end = text + length;
    const char* close = ScanForChar(cp, best, end, ']');
    if (close == nullptr) // a valid tag always has its ']'
        close = best;
    const char* lyric = SkipTagRun(cp, best, end);
    if (lyric == nullptr)
        lyric = close;
    const char* lyricEnd = LineEnd(cp, lyric, end);
    const char* caret = lyricEnd;
    while (caret + 1 < end && caret[0] == '\r' && caret[1] == '\n')
        caret += 2;

    pTag->nTime = bestTime;
    pTag->nTagStart = static_cast<size_t>(best - 1 - text);
    pTag->nTagEnd = static_cast<size_t>(close - text);
    pTag->nLyricStart = static_cast<size_t>(lyric - text);
    pTag->nLyricEnd = static_cast<size_t>(lyricEnd - text);
    pTag->nCaret = static_cast<size_t>(caret - text);
    return true;
}

bool FindPrevTagTime(const CCodePage& cp, const char* text, size_t length, uint32_t nowTime,
                     int32_t* pOffset, uint32_t* pTime) {
    bool found = false;
    uint32_t best = 0;
    WalkTimeTags(cp, text, length, pOffset, [&](uint32_t time, const char*) {
        if (time < nowTime && time >= best) {
            best = time;
            found = true;
        }
        return true;
    });
    if (found)
        *pTime = best;
    return found;
}

bool FindNextTagTime(const CCodePage& cp, const char* text, size_t length, uint32_t nowTime,
                     uint32_t audioLength, int32_t* pOffset, uint32_t* pTime) {
    bool found = false;
    uint32_t best = audioLength;
    WalkTimeTags(cp, text, length, pOffset, [&](uint32_t time, const char*) {
        if (time > nowTime && time <= best) {
            best = time;
            found = true;
        }
        return true;
    });
    if (found)
        *pTime = best;
    return found;
}

bool HasTagOfTime(const CCodePage& cp, const char* text, size_t length, uint32_t nowTime,
                  int32_t* pOffset) {
    bool found = false;
    WalkTimeTags(cp, text, length, pOffset, [&](uint32_t time, const char*) {
        found = time == nowTime;
        return !found;
    });
    return found;
}

std::vector<STimeTagSpan> ListTimeTags(const CCodePage& cp, const char* text, size_t length,
                                       int32_t* pOffset) {
    std::vector<STimeTagSpan> tags;
    const char* end = text + length;
    // Lines are counted on from the previous tag, so the whole walk stays one pass.
    const char* counted = text;
    int line = 0;
    WalkTimeTags(cp, text, length, pOffset, [&](uint32_t time, const char* tag) {
        const char* bracket = tag - 1;
        for (; counted < bracket; counted += cp.CharLength(counted, bracket)) {
            if (counted[0] == '\r' && counted + 1 < bracket && counted[1] == '\n') {
                ++line;
                ++counted;
            }
        }
        const char* close = ScanForChar(cp, tag, end, ']');
        STimeTagSpan span;
        span.nStart = static_cast<size_t>(bracket - text);
        span.nEnd = static_cast<size_t>((close ? close : tag) - text);
        span.nTime = time;
        span.nLine = line;
        tags.push_back(span);
        return true;
    });
    return tags;
}

int LineOfPosition(const CCodePage& cp, const char* text, size_t pos) {
    const char* end = text + pos;
    int line = 0;
    for (const char* p = text; p < end; p += cp.CharLength(p, end)) {
        if (p[0] == '\r' && p + 1 < end && p[1] == '\n') {
            ++line;
            ++p;
        }
    }
    return line;
}

std::string_view NowTagText(const char* text, const SNowTag& tag) {
    return std::string_view(text + tag.nTagStart, tag.nTagEnd - tag.nTagStart);
}

std::string_view NowTagLyric(const char* text, const SNowTag& tag) {
    return std::string_view(text + tag.nLyricStart, tag.nLyricEnd - tag.nLyricStart);
}

std::string NowTagFieldText(int32_t offset, std::string_view tag, std::string_view lyric) {
    std::string field;
    if (offset != 0) {
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, " [offset:%i] ", static_cast<int>(offset));
        field = prefix;
    } else {
        field = " ";
    }
    field += tag;
    field += ' ';
    field += lyric;
    return field;
}
