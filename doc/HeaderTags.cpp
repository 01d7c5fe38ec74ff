#include "doc/HeaderTags.h"

#include <cstring>

namespace {

constexpr const char* kKeywords[] = {"ti", "ar", "al", "by", "offset"};

// Where the value of a header tag ends.
struct SHeaderTag {
    HeaderKind kind = HEADER_NONE;
    const char* pValue = nullptr;   // first byte of the value
    const char* pClose = nullptr;   // its ']'; nullptr when the line or the text ends first
    const char* pLineEnd = nullptr; // the CR of the CR LF that came first, if one did
};

// The header tag whose '[' is at bracket, with its ']' looked for on the same line.
SHeaderTag ReadTagAt(const CCodePage& cp, const char* bracket) {
    SHeaderTag tag;
    tag.kind = GetHeaderKind(bracket);
    if (tag.kind == HEADER_NONE)
        return tag;
    tag.pValue = bracket + (tag.kind == HEADER_OFFSET ? 8 : 4);
    for (const char* q = tag.pValue; *q; q += cp.CharLength(q)) {
        if (*q == ']') {
            tag.pClose = q;
            break;
        }
        if (*q == '\r' && q[1] == '\n') {
            tag.pLineEnd = q;
            break;
        }
    }
    return tag;
}

// The first bytes of [start, end) that fit in max bytes without splitting a character.
std::string_view CutAtCharacter(const CCodePage& cp, const char* start, const char* end,
                                size_t max) {
    const char* p = start;
    while (p < end) {
        const size_t n = cp.CharLength(p, end);
        if (static_cast<size_t>(p + n - start) > max)
            break;
        p += n;
    }
    return std::string_view(start, static_cast<size_t>(p - start));
}

// Appends bytes to out at *pLength; false when they do not fit in LYRICS_MAX_TEXT.
bool Append(char* out, size_t* pLength, const char* bytes, size_t n) {
    if (n > LYRICS_MAX_TEXT - *pLength)
        return false;
    std::memcpy(out + *pLength, bytes, n);
    *pLength += n;
    return true;
}

bool AppendHeaderLine(char* out, size_t* pLength, HeaderKind kind, const std::string& value) {
    const char* keyword = kKeywords[kind - 1];
    return Append(out, pLength, "[", 1) && Append(out, pLength, keyword, std::strlen(keyword)) &&
           Append(out, pLength, ":", 1) && Append(out, pLength, value.data(), value.size()) &&
           Append(out, pLength, "]\r\n", 3);
}

} // namespace

void ReadHeaderTags(const CCodePage& cp, const char* text, SHeaderValues& values) {
    values = SHeaderValues();
    if (!text)
        return;
    for (const char* p = text; *p;) {
        if (*p != '[') {
            p += cp.CharLength(p);
            continue;
        }
        const SHeaderTag tag = ReadTagAt(cp, p);
        if (tag.kind == HEADER_NONE) {
            ++p;
            continue;
        }
        if (tag.pLineEnd) {
            p = tag.pLineEnd + 2;
            continue;
        }
        if (!tag.pClose)
            break; // no ']' anywhere after it, so no later tag can close either
        if (tag.kind != HEADER_OFFSET || IsOffsetNumber(tag.pValue))
            values.Of(tag.kind) = CutAtCharacter(cp, tag.pValue, tag.pClose, HEADER_VALUE_MAX);
        // A value may hold the start of another tag, so the walk goes on inside it.
        p = tag.pValue;
    }
}

namespace {

// Copies text to out without its header tags (each with the CR LF right after its ']'); true
// when it dropped at least one.
bool StripHeaderTags(const CCodePage& cp, const char* text, std::string& out) {
    out.clear();
    bool bRemoved = false;
    for (const char* p = text; *p;) {
        if (*p == '[') {
            const SHeaderTag tag = ReadTagAt(cp, p);
            if (tag.pClose) {
                p = tag.pClose + 1;
                if (p[0] == '\r' && p[1] == '\n')
                    p += 2;
                bRemoved = true;
                continue;
            }
        }
        const size_t n = cp.CharLength(p);
        out.append(p, n);
        p += n;
    }
    return bRemoved;
}

} // namespace

ptrdiff_t WriteHeaderTags(const CCodePage& cp, const SHeaderValues& values, const char* text,
                          char* out) {
    size_t nLength = 0;
    for (int kind = HEADER_TI; kind <= HEADER_OFFSET; ++kind) {
        const std::string& value = values.Of(static_cast<HeaderKind>(kind));
        if (!value.empty() &&
            !AppendHeaderLine(out, &nLength, static_cast<HeaderKind>(kind), value))
            return -1;
    }
    // Dropping a tag can join the bytes around it into a new one ("[[ti:x]ti:y]" leaves
    // "[ti:y]"), which would override the value just written when the text is read again: the
    // rest is stripped again until no header tag is left in it.
    std::string body = text ? text : "";
    std::string stripped;
    while (StripHeaderTags(cp, body.c_str(), stripped))
        body.swap(stripped);
    if (!Append(out, &nLength, body.data(), body.size()))
        return -1;
    out[nLength] = '\0';
    return static_cast<ptrdiff_t>(nLength);
}

std::u16string DecodeTagField(const CCodePage& docCp, const CCodePage& fallbackCp,
                              std::string_view bytes) {
    std::u16string text;
    if (docCp.ToUnicode(bytes, text))
        return text;
    fallbackCp.ToUnicode(bytes, text);
    return text;
}
