#include "doc/LyrFormat.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

void PutBe16(uint8_t* p, size_t value) {
    p[0] = static_cast<uint8_t>(value >> 8);
    p[1] = static_cast<uint8_t>(value);
}

uint16_t GetBe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

// End of the line's content: the CR LF that ends it or the terminator.
const char* LineContentEnd(const CCodePage& cp, const char* p) {
    while (*p != '\0' && !(p[0] == '\r' && p[1] == '\n'))
        p += cp.CharLength(p);
    return p;
}

struct LyrEntry {
    uint16_t nTime;   // tenths
    uint32_t nString; // position of the line's string in the pool
    uint32_t nLength; // its length with the zero byte
};

uint16_t ToLyrTime(uint32_t ms) {
    return static_cast<uint16_t>(std::min<uint32_t>(ms / 100, LYR_MAX_TIME));
}

// Puts the entry after all entries with the same time.
void InsertSorted(LyrEntry* pTable, size_t& nCount, const LyrEntry& entry) {
    size_t i = nCount;
    while (i > 0 && pTable[i - 1].nTime > entry.nTime) {
        pTable[i] = pTable[i - 1];
        --i;
    }
    pTable[i] = entry;
    ++nCount;
}

// A stored string longer than the LRC buffer could never be written, so it is not looked for
// further than that.
const char* FindLyrString(const uint8_t* image, size_t size, uint16_t nOffset, size_t& nLength) {
    const size_t start = LYR_STRING_BASE + nOffset;
    if (start >= size)
        return nullptr;
    const size_t span = std::min(size - start, LYRICS_CAPACITY);
    const void* pZero = std::memchr(image + start, 0, span);
    if (pZero == nullptr)
        return nullptr;
    nLength = static_cast<size_t>(static_cast<const uint8_t*>(pZero) - (image + start));
    return reinterpret_cast<const char*>(image + start);
}

} // namespace

int GetTextCharset(const char* text) {
    for (const char* p = text; *p != '\0'; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80)
            return 1;
    return 2;
}

void PrepareExportText(const CCodePage& cp, std::string_view text, char* buffer) {
    const size_t n = std::min(text.size(), LYRICS_MAX_TEXT);
    std::copy_n(text.data(), n, buffer); // text.data() may be null when n is 0
    buffer[n] = '\0';
    CleanLyrics(cp, buffer);
    // A rebuilt text that does not fit keeps its whole lines; that is what gets stored.
    RebuildLyrics(cp, buffer, TIME_FORMAT_HUNDREDTHS);
}

bool NextLyricLine(const CCodePage& cp, const char** ppPos, LyricLine* pLine) {
    const char* p = *ppPos;
    while (*p != '\0') {
        const char* pContentEnd = LineContentEnd(cp, p);
        const char* pEnd = *pContentEnd == '\0' ? pContentEnd : pContentEnd + 2;
        uint32_t time = 0;
        int32_t offset = 0;
        const char* pTag = *p == '[' ? FindTimeTag(cp, p, pContentEnd, &time, &offset) : nullptr;
        if (pTag != nullptr) {
            const char* pLyric = SkipTagRun(cp, pTag, pContentEnd);
            if (pLyric == nullptr) // a run ending in an unclosed group: it belongs to the text
                pLyric = ScanForChar(cp, pTag, pContentEnd, ']');
            pLine->pStart = p;
            pLine->pEnd = pEnd;
            pLine->pContent = pContentEnd;
            pLine->pLyric = pLyric;
            pLine->nTags = 0;
            const char* pNext = nullptr;
            while (NextLineTag(cp, *pLine, &pNext, &time))
                ++pLine->nTags;
            *ppPos = pEnd;
            return true;
        }
        p = pEnd;
    }
    *ppPos = p;
    return false;
}

bool NextLineTag(const CCodePage& cp, const LyricLine& line, const char** ppTag, uint32_t* pTime) {
    int32_t offset = 0;
    const char* pFrom = *ppTag == nullptr ? line.pStart : *ppTag;
    const char* pTag = FindTimeTag(cp, pFrom, line.pContent, pTime, &offset);
    if (pTag == nullptr)
        return false;
    *ppTag = pTag;
    return true;
}

char* StoreLyrString(const CCodePage& cp, char* pool, const char* text, size_t length) {
    // A CR that is the trail byte of a double-byte character is no line end.
    if (length >= 2 && text[length - 2] == '\r' && text[length - 1] == '\n' &&
        cp.StartsChar(text, text + length - 2))
        length -= 2;
    if (length == 0) {
        *pool++ = ' ';
    } else {
        std::memcpy(pool, text, length);
        pool += length;
    }
    *pool++ = '\0';
    return pool;
}

size_t BuildLyr(const CCodePage& cp, const char* text, uint8_t* image) {
    std::memset(image, 0, LYR_HEADER_SIZE);
    image[0] = 0x02;
    std::memcpy(image + 2, "Quelb 604", 9);
    image[12] = 0x10;
    const int charset = GetTextCharset(text);
    image[13] = static_cast<uint8_t>(charset);
    image[0x210] = static_cast<uint8_t>(charset);

    auto pTable = std::make_unique<LyrEntry[]>(LYR_MAX_ENTRIES);
    auto pPool = std::make_unique<char[]>(LYR_STRING_POOL);
    size_t nEntries = 0;
    size_t nPool = 0;
    size_t nStringBytes = 0; // S: one copy per entry
    const size_t nTableRoom = LYR_MAX_IMAGE - LYR_HEADER_SIZE;

    const char* pPos = text;
    LyricLine line;
    while (NextLyricLine(cp, &pPos, &line)) {
        const size_t L = static_cast<size_t>(line.pEnd - line.pLyric);
        const size_t k = line.nTags;
        const size_t nContent = static_cast<size_t>(line.pContent - line.pLyric);
        const size_t nStored = std::max<size_t>(nContent, 1) + 1;
        if (nStringBytes + 4 * nEntries + k * L + 30 >= LYR_STRING_POOL ||
            nEntries + k > LYR_MAX_ENTRIES ||
            4 * (nEntries + k) + nStringBytes + k * nStored > nTableRoom)
            break;
        const size_t nString = nPool;
        nPool = static_cast<size_t>(StoreLyrString(cp, pPool.get() + nPool, line.pLyric, L) -
                                    pPool.get());
        const char* pTag = nullptr;
        uint32_t time = 0;
        while (NextLineTag(cp, line, &pTag, &time)) {
            const LyrEntry entry{ToLyrTime(time), static_cast<uint32_t>(nString),
                                 static_cast<uint32_t>(nPool - nString)};
            InsertSorted(pTable.get(), nEntries, entry);
        }
        nStringBytes += k * (nPool - nString);
    }

    // One copy of the string per entry, in table order.
    uint8_t* pEntry = image + LYR_HEADER_SIZE;
    const size_t nStringsAt = LYR_HEADER_SIZE + 4 * nEntries;
    size_t nAt = nStringsAt;
    for (size_t i = 0; i < nEntries; ++i, pEntry += 4) {
        const LyrEntry& e = pTable[i];
        PutBe16(pEntry, e.nTime);
        PutBe16(pEntry + 2, nAt - LYR_STRING_BASE);
        std::memcpy(image + nAt, pPool.get() + e.nString, e.nLength);
        nAt += e.nLength;
    }
    PutBe16(image + 0x216, nEntries);
    const size_t nLength = (nAt + LYR_BLOCK - 1) / LYR_BLOCK * LYR_BLOCK;
    std::memset(image + nAt, 0, nLength - nAt);
    PutBe16(image + 14, nLength - LYR_BLOCK);
    return nLength;
}

std::string BuildLyrFile(const CCodePage& cp, std::string_view text) {
    auto pText = std::make_unique<char[]>(LYRICS_CAPACITY);
    PrepareExportText(cp, text, pText.get());
    std::string image(LYR_MAX_IMAGE, '\0');
    image.resize(BuildLyr(cp, pText.get(), reinterpret_cast<uint8_t*>(image.data())));
    return image;
}

void CLrcWriter::Append(const char* p, size_t n) {
    if (m_bFull)
        return;
    if (n > LYRICS_MAX_TEXT - m_nLength) {
        m_bFull = true;
        return;
    }
    std::memcpy(m_pOut + m_nLength, p, n);
    m_nLength += n;
}

void CLrcWriter::AppendTimeTag(uint32_t time, int nTimeFormat) {
    char tag[TIME_TAG_BUFFER];
    Append(tag, FormatTimeTag(tag, time, nTimeFormat));
}

bool CLrcWriter::EndLine() {
    Append("\r\n", 2);
    if (m_bFull) {
        m_nLength = m_nLineStart;
        m_pOut[m_nLength] = '\0';
        return false;
    }
    m_nLineStart = m_nLength;
    m_pOut[m_nLength] = '\0';
    return true;
}

void AppendLyricText(const CCodePage& cp, CLrcWriter& out, const char* str) {
    const char* p = str;
    const char* pRun = p; // start of the bytes not yet appended
    while (*p != '\0') {
        if (*p == '\r' || *p == '\n') {
            out.Append(pRun, static_cast<size_t>(p - pRun));
            while (*p == '\r' || *p == '\n')
                ++p;
            pRun = p;
        } else {
            p += cp.CharLength(p);
        }
    }
    out.Append(pRun, static_cast<size_t>(p - pRun));
}

bool ReadLyr(const CCodePage& cp, const uint8_t* image, size_t size, int nTimeFormat, char* out,
             bool* pCut) {
    out[0] = '\0';
    if (pCut != nullptr)
        *pCut = false;
    if (size < LYR_HEADER_SIZE)
        return false;
    const size_t nCount = GetBe16(image + 0x216);
    if (LYR_HEADER_SIZE + 4 * nCount > size)
        return false;

    // The sound entries: no more than the format holds, each string inside the image.
    const size_t nMax = std::min(nCount, LYR_MAX_ENTRIES);
    auto pTimes = std::make_unique<uint16_t[]>(nMax + 1);
    auto pStrings = std::make_unique<const char*[]>(nMax + 1);
    auto pLengths = std::make_unique<size_t[]>(nMax + 1);
    const uint8_t* pTable = image + LYR_HEADER_SIZE;
    size_t n = 0;
    for (; n < nMax; ++n) {
        pStrings[n] = FindLyrString(image, size, GetBe16(pTable + 4 * n + 2), pLengths[n]);
        if (pStrings[n] == nullptr)
            break;
        pTimes[n] = GetBe16(pTable + 4 * n);
    }
    if (nCount > 0 && n == 0)
        return false;

    CLrcWriter writer(out);
    for (size_t i = 0; i < n && !writer.IsFull(); ++i) {
        if (pTimes[i] == LYR_TIME_WRITTEN)
            continue;
        for (size_t j = n; j-- > i;) {
            if (pTimes[j] == LYR_TIME_WRITTEN)
                continue; // stored with the mark: never written
            // Lengths first: strings that overlap in the image differ in length, so only
            // strings that may be equal are compared byte by byte.
            if (pStrings[j] == pStrings[i] ||
                (pLengths[j] == pLengths[i] &&
                 std::memcmp(pStrings[j], pStrings[i], pLengths[i]) == 0)) {
                writer.AppendTimeTag(pTimes[j] * 100u, nTimeFormat);
                pTimes[j] = LYR_TIME_WRITTEN;
            }
        }
        AppendLyricText(cp, writer, pStrings[i]);
        writer.EndLine();
    }
    if (pCut != nullptr)
        *pCut = n < nCount || writer.IsFull();
    return true;
}
