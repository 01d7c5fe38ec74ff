#include "doc/LrcText.h"

#include <cstring>

namespace {

// Digit runs are read saturating here, far beyond any 32-bit time, so nothing wraps.
constexpr uint64_t DIGITS_CAP = 10'000'000'000ULL;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads decimal digits from p while p < end; returns the first byte that is not one.
const char* ReadDigits(const char* p, const char* end, uint64_t* pValue) {
    uint64_t v = 0;
    for (; p < end && IsDigit(*p); ++p) {
        v = v * 10 + static_cast<uint64_t>(*p - '0');
        if (v > DIGITS_CAP)
            v = DIGITS_CAP;
    }
    *pValue = v;
    return p;
}

// An optional sign and decimal digits in a zero-terminated text.
struct SSignedNumber {
    bool bNegative;
    uint64_t nMagnitude; // saturated at DIGITS_CAP
    const char* pEnd;    // first byte after the digits
};

SSignedNumber ReadSignedNumber(const char* pos) {
    SSignedNumber n{*pos == '-', 0, pos};
    if (*pos == '+' || *pos == '-')
        ++pos;
    const char* end = pos;
    while (IsDigit(*end))
        ++end;
    ReadDigits(pos, end, &n.nMagnitude);
    n.pEnd = end;
    return n;
}

// True if the zero-terminated text at p starts with word (lower case), letters in either case.
// A zero byte never matches, so nothing is read past the terminator.
bool StartsWithNoCase(const char* p, const char* word) {
    for (; *word; ++p, ++word) {
        char c = *p;
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != *word)
            return false;
    }
    return true;
}

// Position of the CR of the first CR LF at or after p (a character start); nullptr if none.
const char* FindCrLf(const CCodePage& cp, const char* p) {
    for (const char* q = p; (q = std::strchr(q, '\r')) != nullptr; ++q) {
        if (q[1] == '\n' && cp.StartsChar(p, q))
            return q;
    }
    return nullptr;
}

struct SLine {
    const char* pContentEnd; // the line's CR LF, or the terminator
    const char* pNext;       // just past the CR LF, or the terminator
    bool HasCrLf() const { return pNext != pContentEnd; }
};

SLine SplitLine(const CCodePage& cp, const char* p) {
    const char* crlf = FindCrLf(cp, p);
    if (crlf)
        return {crlf, crlf + 2};
    const char* end = p + std::strlen(p);
    return {end, end};
}

// Offset tags met by the time-tag scan take effect at once.
void PickUpOffset(const char* afterBracket, const char* end, int32_t* pOffset) {
    if (!pOffset || end - afterBracket <= 7 || !StartsWithNoCase(afterBracket, "offset:"))
        return;
    if (IsOffsetNumber(afterBracket + 7))
        *pOffset = ParseSignedNumber(afterBracket + 7);
}

// Start of the blanks that end [lineStart, contentEnd), never splitting a character.
const char* TrailingBlanks(const CCodePage& cp, const char* lineStart, const char* contentEnd) {
    const char* q = contentEnd;
    while (q > lineStart && q[-1] == ' ')
        --q;
    if (q < contentEnd && !cp.StartsChar(lineStart, q))
        ++q; // that blank is the trail byte of a character
    return q;
}

// A tag's time with the offset applied: a positive offset makes tags earlier (never below 0),
// a negative one later (never past the largest time).
uint32_t AdjustTime(uint32_t time, int32_t offset) {
    if (offset >= 0)
        return time > static_cast<uint32_t>(offset) ? time - static_cast<uint32_t>(offset) : 0;
    const uint64_t later = static_cast<uint64_t>(time) + static_cast<uint64_t>(-int64_t{offset});
    return later > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(later);
}

// Output of RebuildLyrics: whole lines only, within LYRICS_MAX_TEXT bytes.
class CLineWriter {
public:
    explicit CLineWriter(char* buffer) : m_pBuffer(buffer) {}

    void BeginLine() { m_nLineStart = m_nSize; }
    // Drops the current line if it did not fit; false then.
    bool EndLine() {
        if (!m_bOverflow)
            return true;
        m_nSize = m_nLineStart;
        return false;
    }
    void Append(const char* p, size_t n) {
        if (n == 0 || m_bOverflow)
            return;
        if (m_bBreakPending) {
            m_bBreakPending = false;
            Append("\r\n", 2);
        }
        if (n > LYRICS_MAX_TEXT - m_nSize) {
            m_bOverflow = true;
            return;
        }
        std::memcpy(m_pBuffer + m_nSize, p, n);
        m_nSize += n;
    }
    // The last line of a text has no CR LF; anything after it in the output needs one.
    void BreakBeforeNext() { m_bBreakPending = true; }
    size_t Size() const { return m_nSize; }

private:
    char* m_pBuffer;
    size_t m_nSize = 0;
    size_t m_nLineStart = 0;
    bool m_bOverflow = false;
    bool m_bBreakPending = false;
};

// Appends the rebuilt form of one line that begins with '['; nothing if it holds no time tag.
void RebuildTagLine(const CCodePage& cp, const char* line, const SLine& split, int32_t offset,
                    int nTimeFormat, CLineWriter& writer) {
    uint32_t time = 0;
    int32_t ignoredOffset = 0;
    const char* tag = FindTimeTag(cp, line, split.pContentEnd, &time, &ignoredOffset);
    if (!tag)
        return;
    const char* lyric = SkipTagRun(cp, tag, split.pContentEnd);
    for (; tag; tag = FindTimeTag(cp, tag, split.pContentEnd, &time, &ignoredOffset)) {
        char buf[TIME_TAG_BUFFER];
        writer.Append(buf, FormatTimeTag(buf, AdjustTime(time, offset), nTimeFormat));
    }
    if (lyric)
        writer.Append(lyric, static_cast<size_t>(split.pNext - lyric));
}

char* WriteDigits(char* p, uint32_t value, int nMinDigits) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    while (n < nMinDigits)
        digits[n++] = '0';
    while (n)
        *p++ = digits[--n];
    return p;
}

} // namespace

const char* ScanForChar(const CCodePage& cp, const char* start, const char* end, char ch) {
    if (!start || start >= end)
        return nullptr;
    if (static_cast<unsigned char>(ch) < 0x80) {
        // Find the byte, then make sure it is not the trail byte of a character.
        for (const char* q = start; q < end; ++q) {
            q = static_cast<const char*>(std::memchr(q, ch, static_cast<size_t>(end - q)));
            if (!q)
                return nullptr;
            if (cp.StartsChar(start, q))
                return q + 1;
        }
        return nullptr;
    }
    for (const char* p = start; p < end; p += cp.CharLength(p, end)) {
        if (*p == ch)
            return p + 1;
    }
    return nullptr;
}

const char* NextLine(const CCodePage& cp, const char* pos) {
    if (!pos)
        return nullptr;
    return SplitLine(cp, pos).pNext;
}

bool IsTimeTagShape(const CCodePage& cp, const char* afterBracket, const char* end) {
    if (!afterBracket || afterBracket >= end)
        return false;
    uint64_t ignored = 0;
    const char* p = ReadDigits(afterBracket, end, &ignored);
    if (p == end || *p != ':')
        return false;
    return ScanForChar(cp, p + 1, end, ']') != nullptr;
}

bool IsTagPosition(const char* scanStart, const char* afterBracket) {
    if (!scanStart || !afterBracket || afterBracket <= scanStart)
        return false;
    const char* bracket = afterBracket - 1;
    const ptrdiff_t before = bracket - scanStart;
    return before == 0 || bracket[-1] == ']' ||
           (before >= 2 && bracket[-2] == '\r' && bracket[-1] == '\n');
}

bool IsTagPosition(const CCodePage& cp, const char* scanStart, const char* afterBracket) {
    if (!scanStart || !afterBracket || afterBracket <= scanStart)
        return false;
    const char* bracket = afterBracket - 1;
    const ptrdiff_t before = bracket - scanStart;
    if (before == 0)
        return true;
    if (bracket[-1] == ']')
        return cp.StartsChar(scanStart, bracket - 1);
    return before >= 2 && bracket[-2] == '\r' && bracket[-1] == '\n' &&
           cp.StartsChar(scanStart, bracket - 2);
}

bool ParseTimeTag(const CCodePage& cp, const char* afterBracket, const char* end, uint32_t* pTime) {
    if (!afterBracket || afterBracket >= end)
        return false;
    uint64_t minutes = 0;
    const char* p = ReadDigits(afterBracket, end, &minutes);
    if (p == end || *p != ':')
        return false;
    uint64_t seconds = 0;
    p = ReadDigits(p + 1, end, &seconds);
    if (p == end)
        return false;
    uint64_t fraction = 0;
    if (*p == '.') {
        ++p;
        static constexpr uint64_t scale[] = {0, 100, 10, 1};
        int nDigits = 0;
        for (; nDigits < 3 && p < end && IsDigit(*p); ++p, ++nDigits)
            fraction = fraction * 10 + static_cast<uint64_t>(*p - '0');
        fraction *= scale[nDigits];
        // Whatever follows up to the ']' is ignored, but the ']' must be there.
        if ((p == end || *p != ']') && !ScanForChar(cp, p, end, ']'))
            return false;
    } else if (*p != ']') {
        return false;
    }
    const uint64_t time = (minutes * 60 + seconds) * 1000 + fraction;
    if (time > UINT32_MAX)
        return false;
    if (pTime)
        *pTime = static_cast<uint32_t>(time);
    return true;
}

const char* FindTimeTag(const CCodePage& cp, const char* start, const char* end, uint32_t* pTime,
                        int32_t* pOffset) {
    if (!start || start >= end)
        return nullptr;
    const char* p = start;
    while ((p = ScanForChar(cp, p, end, '[')) != nullptr) {
        uint32_t time = 0;
        if (IsTagPosition(cp, start, p) && ParseTimeTag(cp, p, end, &time)) {
            if (pTime)
                *pTime = time;
            return p;
        }
        PickUpOffset(p, end, pOffset);
    }
    return nullptr;
}

const char* SkipTagRun(const CCodePage& cp, const char* afterBracket, const char* end) {
    const char* p = ScanForChar(cp, afterBracket, end, ']');
    if (!p)
        return nullptr;
    while (p < end && *p == '[') {
        const char* next = ScanForChar(cp, p + 1, end, ']');
        if (!next)
            break;
        p = next;
    }
    return p;
}

HeaderKind GetHeaderKind(const char* bracket) {
    if (!bracket || *bracket != '[')
        return HEADER_NONE;
    static constexpr struct {
        const char* pszKeyword;
        HeaderKind kind;
    } keywords[] = {{"ti:", HEADER_TI},
                    {"ar:", HEADER_AR},
                    {"al:", HEADER_AL},
                    {"by:", HEADER_BY},
                    {"offset:", HEADER_OFFSET}};
    for (const auto& k : keywords) {
        if (StartsWithNoCase(bracket + 1, k.pszKeyword))
            return k.kind;
    }
    return HEADER_NONE;
}

const char* FindHeaderLine(const CCodePage& cp, const char* text, HeaderKind kind) {
    for (const char* p = text; p && *p; p = NextLine(cp, p)) {
        if (*p == '[' && GetHeaderKind(p) == kind)
            return p;
    }
    return nullptr;
}

int32_t ReadOffsetTag(const CCodePage& cp, const char* text, int32_t* pOffset) {
    if (!text)
        return 0;
    for (const char* p = text; *p;) {
        const SLine line = SplitLine(cp, p);
        if (*p == '[' && GetHeaderKind(p) == HEADER_OFFSET) {
            const char* value = p + 8; // after "[offset:"
            if (value < line.pContentEnd && IsOffsetNumber(value)) {
                const int32_t offset = ParseSignedNumber(value);
                if (pOffset)
                    *pOffset = offset;
                return offset;
            }
        }
        p = line.pNext;
    }
    return 0;
}

bool IsOffsetNumber(const char* pos) {
    if (!pos)
        return false;
    const SSignedNumber n = ReadSignedNumber(pos);
    if (*n.pEnd != ']' && *n.pEnd != '\0')
        return false;
    // An offset beyond 32 bits has no meaning and is ignored like any other invalid one.
    return n.nMagnitude <= (n.bNegative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1);
}

int32_t ParseSignedNumber(const char* pos) {
    if (!pos)
        return 0;
    const SSignedNumber n = ReadSignedNumber(pos);
    if (n.bNegative)
        return n.nMagnitude >= (uint64_t{1} << 31) ? INT32_MIN
                                                   : -static_cast<int32_t>(n.nMagnitude);
    return n.nMagnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n.nMagnitude);
}

size_t FormatTimeTag(char* out, uint32_t time, int nTimeFormat) {
    const uint32_t seconds = time / 1000;
    char* p = out;
    *p++ = '[';
    p = WriteDigits(p, seconds / 60, 2);
    *p++ = ':';
    p = WriteDigits(p, seconds % 60, 2);
    if (nTimeFormat != TIME_FORMAT_SECONDS) {
        *p++ = '.';
        p = WriteDigits(p, time / 10 % 100, 2);
    }
    *p++ = ']';
    *p = '\0';
    return static_cast<size_t>(p - out);
}

void CleanLyrics(const CCodePage& cp, char* text) {
    if (!text)
        return;
    char* out = text;
    const char* p = text;
    while (*p) {
        const SLine line = SplitLine(cp, p);
        const char* keepEnd = nullptr;
        if (line.pContentEnd == p) {
            keepEnd = p; // an empty line stays
        } else if (*p == '[' && (IsTimeTagShape(cp, p + 1, line.pContentEnd) ||
                                 GetHeaderKind(p) != HEADER_NONE)) {
            keepEnd = TrailingBlanks(cp, p, line.pContentEnd);
        }
        if (keepEnd) {
            // out never passes p, so what is still to be read stays intact.
            const size_t n = static_cast<size_t>(keepEnd - p);
            std::memmove(out, p, n);
            out += n;
            if (line.HasCrLf()) {
                *out++ = '\r';
                *out++ = '\n';
            }
        }
        p = line.pNext;
    }
    *out = '\0';
}

bool RebuildLyrics(const CCodePage& cp, char* text, int nTimeFormat) {
    if (!text)
        return true;
    int32_t offset = 0;
    ReadOffsetTag(cp, text, &offset);

    char buffer[LYRICS_CAPACITY];
    CLineWriter writer(buffer);
    bool bFits = true;
    // The offset line is not copied: its value goes into the times.
    for (HeaderKind kind : {HEADER_TI, HEADER_AR, HEADER_AL, HEADER_BY}) {
        const char* header = FindHeaderLine(cp, text, kind);
        if (!header)
            continue;
        const SLine line = SplitLine(cp, header);
        writer.BeginLine();
        writer.Append(header, static_cast<size_t>(line.pNext - header));
        if (!writer.EndLine()) {
            bFits = false;
            break;
        }
        if (!line.HasCrLf())
            writer.BreakBeforeNext();
    }
    for (const char* p = text; bFits && *p;) {
        const SLine line = SplitLine(cp, p);
        writer.BeginLine();
        if (line.pContentEnd == p)
            writer.Append("\r\n", 2);
        else if (*p == '[')
            RebuildTagLine(cp, p, line, offset, nTimeFormat, writer);
        bFits = writer.EndLine();
        p = line.pNext;
    }
    std::memcpy(text, buffer, writer.Size());
    text[writer.Size()] = '\0';
    return bFits;
}
