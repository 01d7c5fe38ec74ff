#include "view/TagText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "doc/LrcText.h"

namespace {
// Copies the character at p and returns the position after it.
const char* CopyChar(const CCodePage& cp, const char* p, char*& out) {
    const size_t n = cp.CharLength(p);
    std::memcpy(out, p, n);
    out += n;
    return p + n;
}
} // namespace

size_t RemoveTimeTags(const CCodePage& cp, const char* text, char* out) {
    const char* end = text + std::strlen(text);
    char* start = out;
    const char* p = text;
    while (p < end) {
        if (*p == '[' && IsTimeTagShape(cp, p + 1, end)) {
            const char* after = ScanForChar(cp, p + 1, end, ']');
            if (after) {
                p = after;
                continue;
            }
        }
        p = CopyChar(cp, p, out);
    }
    *out = '\0';
    return static_cast<size_t>(out - start);
}

size_t RemoveTagFractions(const CCodePage& cp, const char* text, char* out) {
    const char* end = text + std::strlen(text);
    char* start = out;
    const char* p = text;
    while (p < end) {
        if (*p == '[' && IsTimeTagShape(cp, p + 1, end)) {
            const char* close = ScanForChar(cp, p + 1, end, ']');
            if (close) {
                // Up to the first '.', then straight to the ']'.
                *out++ = *p++;
                while (p < close - 1 && *p != '.')
                    p = CopyChar(cp, p, out);
                *out++ = ']';
                p = close;
                continue;
            }
        }
        p = CopyChar(cp, p, out);
    }
    *out = '\0';
    return static_cast<size_t>(out - start);
}

namespace {

// Digits after the '.' of a time tag, 0 to 3 (the grammar reads no more).
int FractionDigits(const char* afterBracket, const char* close) {
    const char* dot =
        static_cast<const char*>(std::memchr(afterBracket, '.', close - afterBracket));
    if (dot == nullptr)
        return 0;
    int n = 0;
    while (n < 3 && dot + 1 + n < close && dot[1 + n] >= '0' && dot[1 + n] <= '9')
        ++n;
    return n;
}

// Digits a shift by deltaMs needs to keep its exact value.
int DigitsOfShift(int64_t deltaMs) {
    const int64_t ms = deltaMs < 0 ? -deltaMs : deltaMs;
    return ms % 1000 == 0 ? 0 : ms % 100 == 0 ? 1 : ms % 10 == 0 ? 2 : 3;
}

void AppendTag(std::string& out, uint64_t ms, int nDigits) {
    char tag[48];
    const auto minutes = static_cast<unsigned long long>(ms / 60000);
    const auto seconds = static_cast<unsigned>(ms / 1000 % 60);
    static constexpr unsigned kDivisor[] = {1, 100, 10, 1};
    if (nDigits == 0)
        std::snprintf(tag, sizeof tag, "[%02llu:%02u]", minutes, seconds);
    else
        std::snprintf(tag, sizeof tag, "[%02llu:%02u.%0*u]", minutes, seconds, nDigits,
                      static_cast<unsigned>(ms % 1000 / kDivisor[nDigits]));
    out += tag;
}

} // namespace

void ShiftTimeTags(const CCodePage& cp, std::string_view text, int64_t deltaMs, std::string& out) {
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    // The grammar works on a zero-terminated text.
    const std::string copy(text);
    const char* const start = copy.c_str();
    const char* const end = start + copy.size();
    const int nShiftDigits = DigitsOfShift(deltaMs);
    const char* p = start;
    uint32_t time = 0;
    int32_t offset = 0;
    while (const char* tag = FindTimeTag(cp, p, end, &time, &offset)) {
        const char* close = ScanForChar(cp, tag, end, ']');
        out.append(p, static_cast<size_t>(tag - 1 - p));
        const int64_t moved = std::max<int64_t>(0, static_cast<int64_t>(time) + deltaMs);
        AppendTag(out, static_cast<uint64_t>(std::min<int64_t>(moved, UINT32_MAX)),
                  std::max(FractionDigits(tag, close - 1), nShiftDigits));
        p = close;
    }
    out.append(p, static_cast<size_t>(end - p));
}
