#include "doc/MptFormat.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "doc/LrcText.h"
#include "doc/LyrFormat.h"

namespace {

void PutLe16(uint8_t* p, size_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint16_t GetLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t GetLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

struct MptEntry {
    uint32_t nTime; // tenths
    const char* pLyric;
    const char* pLyricEnd;
};

// The longest prefix of name within MPT_MAX_NAME bytes that ends on a character boundary.
size_t CutName(const CCodePage& cp, std::string_view name) {
    const char* p = name.data();
    const char* end = p + name.size();
    size_t n = 0;
    while (p + n < end) {
        const size_t len = cp.CharLength(p + n, end);
        if (n + len > MPT_MAX_NAME)
            break;
        n += len;
    }
    return n;
}

struct MptRecord {
    const uint8_t* pText;
    size_t nLength; // text bytes
    uint32_t nTime;
};

// Dropping CR and LF joins the 16-byte rows again; a zero byte would end the LRC text early.
void AppendRecordText(const CCodePage& cp, CLrcWriter& writer, const MptRecord& record) {
    const char* p = reinterpret_cast<const char*>(record.pText);
    const char* end = p + record.nLength;
    while (p < end) {
        const size_t len = cp.CharLength(p, end);
        if (len > 1 || (*p != '\r' && *p != '\n')) {
            for (size_t k = 0; k < len; ++k)
                if (p[k] != '\0')
                    writer.Append(p + k, 1);
        }
        p += len;
    }
}

} // namespace

size_t WrapMptText(const CCodePage& cp, const char* text, const char* end, char* out,
                   size_t capacity) {
    size_t nOut = 0;
    size_t nColumn = 0;
    auto put = [&](const char* p, size_t n) {
        if (nOut + n <= capacity)
            std::memcpy(out + nOut, p, n);
        else
            capacity = 0; // once a byte is missing, nothing after it is written either
        nOut += n;
    };
    for (const char* p = text; p < end;) {
        const size_t width = cp.CharLength(p, end);
        if (nColumn + width > MPT_ROW) {
            put("\r\n", 2);
            nColumn = 0;
        }
        put(p, width);
        nColumn += width;
        p += width;
    }
    return nOut;
}

size_t BuildMptHeader(const CCodePage& cp, const char* text, std::string_view name,
                      uint32_t nSongLengthMs, uint8_t* header) {
    const size_t nName = CutName(cp, name);
    const size_t nFirst = MPT_FIXED_SIZE + nName + 1;
    std::memset(header, 0, nFirst);
    std::memcpy(header + 4, "MPT", 3);
    std::memcpy(header + 7, GetTextCharset(text) == 1 ? "Ver1.0" : "Ver1.1", 6);
    PutLe32(header + 15, nSongLengthMs / 100);
    if (nName > 0) // an empty view may hold no pointer at all
        std::memcpy(header + MPT_FIXED_SIZE, name.data(), nName);
    PutLe16(header + 2, nFirst - 2);

    auto pEntries = std::make_unique<MptEntry[]>(MPT_MAX_ENTRIES);
    size_t nEntries = 0;
    const char* pPos = text;
    LyricLine line;
    while (NextLyricLine(cp, &pPos, &line) && nEntries + line.nTags <= MPT_MAX_ENTRIES) {
        const char* pTag = nullptr;
        uint32_t time = 0;
        while (NextLineTag(cp, line, &pTag, &time)) {
            // After all entries with the same time.
            const MptEntry entry{time / 100, line.pLyric, line.pContent};
            size_t i = nEntries++;
            for (; i > 0 && pEntries[i - 1].nTime > entry.nTime; --i)
                pEntries[i] = pEntries[i - 1];
            pEntries[i] = entry;
        }
    }

    size_t nAt = nFirst;
    size_t nRecords = 0;
    for (size_t i = 0; i < nEntries && nAt + MPT_RECORD_HEAD < MPT_HEADER_CAPACITY; ++i) {
        const MptEntry& e = pEntries[i];
        char* pText = reinterpret_cast<char*>(header + nAt + MPT_RECORD_HEAD);
        const size_t nRoom = MPT_HEADER_CAPACITY - nAt - MPT_RECORD_HEAD;
        const size_t nText = WrapMptText(cp, e.pLyric, e.pLyricEnd, pText, nRoom);
        if (nText >= nRoom)
            break;
        PutLe16(header + nAt, MPT_RECORD_HEAD + nText);
        PutLe32(header + nAt + 2, e.nTime);
        nAt += MPT_RECORD_HEAD + nText;
        ++nRecords;
    }
    PutLe16(header, nAt);
    PutLe16(header + 13, nRecords);
    return nAt;
}

int64_t MptAudioStart(std::string_view head, uint64_t nFileSize) {
    if (head.size() < 7 || head.substr(4, 3) != "MPT")
        return 0;
    const uint64_t nHeader = GetLe16(reinterpret_cast<const uint8_t*>(head.data()));
    return nHeader >= MPT_FIXED_SIZE && nHeader < nFileSize ? int64_t(nHeader) : -1;
}

size_t ExistingMptHeaderLength(std::string_view audio) {
    const int64_t nStart = MptAudioStart(audio, audio.size());
    return nStart > 0 ? size_t(nStart) : 0;
}

std::string BuildMptFile(const CCodePage& cp, std::string_view text, std::string_view name,
                         uint32_t nSongLengthMs, std::string_view audio) {
    auto pText = std::make_unique<char[]>(LYRICS_CAPACITY);
    PrepareExportText(cp, text, pText.get());
    std::string file(MPT_HEADER_CAPACITY, '\0');
    file.resize(BuildMptHeader(cp, pText.get(), name, nSongLengthMs,
                               reinterpret_cast<uint8_t*>(file.data())));
    file.append(audio.substr(ExistingMptHeaderLength(audio)));
    return file;
}

bool ReadMpt(const CCodePage& cp, const uint8_t* data, size_t size, int nTimeFormat, char* out) {
    out[0] = '\0';
    if (size < MPT_FIXED_SIZE)
        return false;
    const size_t nCount = GetLe16(data + 13);

    // The sound records: each with its length and time inside the data, no shorter than that.
    // A record takes at least 6 bytes, which bounds the table.
    const size_t nMax = std::min(nCount, size / MPT_RECORD_HEAD);
    auto pRecords = std::make_unique<MptRecord[]>(nMax + 1);
    size_t nAt = size_t{GetLe16(data + 2)} + 2;
    size_t n = 0;
    for (; n < nMax; ++n) {
        if (nAt > size || size - nAt < MPT_RECORD_HEAD)
            break;
        const size_t nLength = GetLe16(data + nAt);
        if (nLength < MPT_RECORD_HEAD || nLength > size - nAt)
            break;
        pRecords[n] = {data + nAt + MPT_RECORD_HEAD, nLength - MPT_RECORD_HEAD,
                       GetLe32(data + nAt + 2)};
        nAt += nLength;
    }
    if (nCount > 0 && n == 0)
        return false;

    CLrcWriter writer(out);
    for (size_t i = 0; i < n && !writer.IsFull(); ++i) {
        const MptRecord& ri = pRecords[i];
        if (ri.nTime == MPT_TIME_WRITTEN)
            continue;
        for (size_t j = i; j < n; ++j) {
            MptRecord& rj = pRecords[j];
            if (rj.nTime == MPT_TIME_WRITTEN)
                continue; // stored with the mark: never written
            if (j == i ||
                (rj.nLength == ri.nLength && std::memcmp(rj.pText, ri.pText, ri.nLength) == 0)) {
                const uint64_t ms = uint64_t{rj.nTime} * 100;
                writer.AppendTimeTag(static_cast<uint32_t>(std::min<uint64_t>(ms, UINT32_MAX)),
                                     nTimeFormat);
                rj.nTime = MPT_TIME_WRITTEN;
            }
        }
        AppendRecordText(cp, writer, ri);
        writer.EndLine();
    }
    return true;
}
