#include "view/TagText.h"

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
