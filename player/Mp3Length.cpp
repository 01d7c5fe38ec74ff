// Length of an MPEG audio stream from its frame headers.
#include "player/Mp3Length.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// Bit rates in kbit/s by [version is MPEG-1 ? 0 : 1][layer - 1][index].
constexpr int kBitRates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};
constexpr int kSampleRates[3][3] = {
    {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};

// How far to look for the first frame, and for the next one after damaged data.
constexpr uint64_t kSyncSearch = 64 * 1024;
// Frames that must follow each other before a sync counts.
constexpr int kSyncRun = 3;

uint32_t BigEndian32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool SameStream(const Mp3FrameHeader& a, const Mp3FrameHeader& b) {
    return a.nVersion == b.nVersion && a.nLayer == b.nLayer && a.nSampleRate == b.nSampleRate;
}

// Sequential and random reads of a file region through one buffer.
class CRegionReader {
public:
    CRegionReader(const std::string& path, uint64_t offset)
        : m_fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)), m_nBase(offset), m_buf(256 * 1024) {
        off_t size = m_fd >= 0 ? lseek(m_fd, 0, SEEK_END) : -1;
        m_nSize = size > 0 && uint64_t(size) > offset ? uint64_t(size) - offset : 0;
    }
    ~CRegionReader() {
        if (m_fd >= 0)
            close(m_fd);
    }
    CRegionReader(const CRegionReader&) = delete;
    CRegionReader& operator=(const CRegionReader&) = delete;

    uint64_t Size() const { return m_nSize; }

    // n bytes at pos of the region, or null when they are not all there.
    const unsigned char* At(uint64_t pos, size_t n) {
        if (n > m_buf.size() || pos > m_nSize || n > m_nSize - pos)
            return nullptr;
        if (pos < m_nStart || pos + n > m_nStart + m_nFilled) {
            m_nStart = pos;
            m_nFilled = 0;
            while (m_nFilled < m_buf.size() && m_nStart + m_nFilled < m_nSize) {
                const ssize_t got = pread(m_fd, m_buf.data() + m_nFilled, m_buf.size() - m_nFilled,
                                          off_t(m_nBase + m_nStart + m_nFilled));
                if (got <= 0)
                    break;
                m_nFilled += size_t(got);
            }
            if (n > m_nFilled)
                return nullptr;
        }
        return m_buf.data() + (pos - m_nStart);
    }

private:
    int m_fd;
    uint64_t m_nBase;
    uint64_t m_nSize = 0;
    std::vector<unsigned char> m_buf;
    uint64_t m_nStart = 0;
    size_t m_nFilled = 0;
};

bool HeaderAt(CRegionReader& reader, uint64_t pos, Mp3FrameHeader& out) {
    const unsigned char* p = reader.At(pos, 4);
    return p && Mp3ParseHeader(p, out);
}

// A frame at pos followed by kSyncRun - 1 frames of the same stream.
bool SyncAt(CRegionReader& reader, uint64_t pos, Mp3FrameHeader& first) {
    if (!HeaderAt(reader, pos, first))
        return false;
    Mp3FrameHeader h = first;
    for (int i = 1; i < kSyncRun; ++i) {
        pos += uint64_t(h.nFrameBytes);
        if (pos == reader.Size())
            return true; // a short stream that ends cleanly
        Mp3FrameHeader next;
        if (!HeaderAt(reader, pos, next) || !SameStream(first, next))
            return false;
        h = next;
    }
    return true;
}

// The first synced frame in [from, from + limit).
bool FindSync(CRegionReader& reader, uint64_t from, uint64_t limit, uint64_t& pos,
              Mp3FrameHeader& first) {
    for (uint64_t p = from; p < from + limit && p + 4 <= reader.Size(); ++p) {
        const unsigned char* b = reader.At(p, 2);
        if (b && b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && SyncAt(reader, p, first)) {
            pos = p;
            return true;
        }
    }
    return false;
}

// Skips ID3v2 tags at the start of the region.
uint64_t SkipId3v2(CRegionReader& reader) {
    uint64_t pos = 0;
    while (const unsigned char* p = reader.At(pos, 10)) {
        if (std::memcmp(p, "ID3", 3) != 0 || p[3] == 0xFF || ((p[6] | p[7] | p[8] | p[9]) & 0x80))
            break;
        const uint64_t size = (uint64_t(p[6]) << 21) | (uint64_t(p[7]) << 14) |
                              (uint64_t(p[8]) << 7) | uint64_t(p[9]);
        pos += 10 + size + ((p[5] & 0x10) ? 10 : 0);
    }
    return pos;
}

// What a Xing/Info or VBRI header in the first frame says of the stream.
struct CInfoFrame {
    bool bPresent = false;
    int64_t nSamples = -1; // samples the frame count gives, -1 when it gives none
    int64_t nBytes = -1;   // bytes of the stream, -1 when not given
    int64_t nDelay = 0;    // encoder delay and padding of a LAME tag (decoders drop them)
    int64_t nPadding = 0;
};

CInfoFrame ReadInfoFrame(CRegionReader& reader, uint64_t pos, const Mp3FrameHeader& h) {
    CInfoFrame info;
    const unsigned char* frame = reader.At(pos, size_t(h.nFrameBytes));
    if (!frame || h.nLayer != 3)
        return info;
    const int nSideInfo = h.nVersion == 1 ? (h.bMono ? 17 : 32) : (h.bMono ? 9 : 17);
    const int nXing = 4 + nSideInfo;
    if (nXing + 12 <= h.nFrameBytes && (std::memcmp(frame + nXing, "Xing", 4) == 0 ||
                                        std::memcmp(frame + nXing, "Info", 4) == 0)) {
        info.bPresent = true;
        const uint32_t flags = BigEndian32(frame + nXing + 4);
        int nNext = nXing + 8;
        if (flags & 1) {
            info.nSamples = int64_t(BigEndian32(frame + nNext)) * h.nSamples;
            nNext += 4;
        }
        if ((flags & 2) && nNext + 4 <= h.nFrameBytes)
            info.nBytes = BigEndian32(frame + nNext);
        // The LAME tag follows the optional byte count, table of contents and quality.
        const int nLame = nNext + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 100 : 0) +
                          ((flags & 8) ? 4 : 0);
        if (nLame + 24 <= h.nFrameBytes && (std::memcmp(frame + nLame, "LAME", 4) == 0 ||
                                            std::memcmp(frame + nLame, "Lavc", 4) == 0 ||
                                            std::memcmp(frame + nLame, "Lavf", 4) == 0)) {
            const unsigned char* gap = frame + nLame + 21;
            info.nDelay = (gap[0] << 4) | (gap[1] >> 4);
            info.nPadding = ((gap[1] & 0x0F) << 8) | gap[2];
        }
        return info;
    }
    constexpr int nVbri = 4 + 32;
    if (nVbri + 18 <= h.nFrameBytes && std::memcmp(frame + nVbri, "VBRI", 4) == 0) {
        info.bPresent = true;
        info.nBytes = BigEndian32(frame + nVbri + 10);
        info.nSamples = int64_t(BigEndian32(frame + nVbri + 14)) * h.nSamples;
    }
    return info;
}

// Bytes of MPEG audio from pos to the end of the region, without an ID3v1 tag at the end.
uint64_t StreamBytes(CRegionReader& reader, uint64_t pos) {
    uint64_t end = reader.Size();
    if (end >= pos + 128) {
        const unsigned char* tag = reader.At(end - 128, 3);
        if (tag && std::memcmp(tag, "TAG", 3) == 0)
            end -= 128;
    }
    return end - pos;
}

// A header's counts are believed only when the stream's size agrees with its byte count
// (within a few frames): a cut-off download or joined files keep the first header.
bool SizeAgrees(const CInfoFrame& info, uint64_t nStreamBytes) {
    constexpr int64_t kSlack = 4096;
    return info.nBytes > 0 && int64_t(nStreamBytes) - info.nBytes <= kSlack &&
           info.nBytes - int64_t(nStreamBytes) <= kSlack;
}

} // namespace

bool Mp3ParseHeader(const unsigned char* p, Mp3FrameHeader& out) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int nVersionBits = (p[1] >> 3) & 3;
    const int nLayerBits = (p[1] >> 1) & 3;
    const int nRateIndex = p[2] >> 4;
    const int nFreqIndex = (p[2] >> 2) & 3;
    if (nVersionBits == 1 || nLayerBits == 0 || nRateIndex == 0 || nRateIndex == 15 ||
        nFreqIndex == 3)
        return false;
    out.nVersion = nVersionBits == 3 ? 1 : nVersionBits == 2 ? 2 : 3;
    out.nLayer = 4 - nLayerBits;
    out.nSampleRate = kSampleRates[out.nVersion - 1][nFreqIndex];
    out.bMono = (p[3] >> 6) == 3;
    const int nKbps = kBitRates[out.nVersion == 1 ? 0 : 1][out.nLayer - 1][nRateIndex];
    const int nPadding = (p[2] >> 1) & 1;
    if (out.nLayer == 1) {
        out.nSamples = 384;
        out.nFrameBytes = (12 * nKbps * 1000 / out.nSampleRate + nPadding) * 4;
    } else {
        out.nSamples = (out.nLayer == 3 && out.nVersion != 1) ? 576 : 1152;
        out.nFrameBytes = out.nSamples / 8 * nKbps * 1000 / out.nSampleRate + nPadding;
    }
    return out.nFrameBytes > 4;
}

bool Mp3ScanLength(const std::string& path, uint64_t offset, double& seconds) {
    CRegionReader reader(path, offset);
    const uint64_t start = SkipId3v2(reader);
    uint64_t pos = 0;
    Mp3FrameHeader first;
    if (!FindSync(reader, start, kSyncSearch, pos, first))
        return false;

    const CInfoFrame info = ReadInfoFrame(reader, pos, first);
    if (info.nSamples > 0 && SizeAgrees(info, StreamBytes(reader, pos))) {
        int64_t nSamples = info.nSamples;
        if (info.nDelay + info.nPadding < nSamples)
            nSamples -= info.nDelay + info.nPadding;
        seconds = double(nSamples) / first.nSampleRate;
        return true;
    }

    // Measured: every frame but the header's own, less the encoder's delay that decoders drop.
    uint64_t nSamples = 0;
    if (info.bPresent)
        pos += uint64_t(first.nFrameBytes);
    Mp3FrameHeader h;
    while (pos < reader.Size()) {
        if (!HeaderAt(reader, pos, h) || !SameStream(first, h)) {
            // Damaged data or a trailing tag: go on at the next synced frame, if any.
            if (!FindSync(reader, pos + 1, kSyncSearch, pos, h) || !SameStream(first, h))
                break;
        }
        if (pos + uint64_t(h.nFrameBytes) > reader.Size())
            break; // a cut-off last frame does not play
        nSamples += uint64_t(h.nSamples);
        pos += uint64_t(h.nFrameBytes);
    }
    if (uint64_t(info.nDelay) < nSamples)
        nSamples -= uint64_t(info.nDelay);
    seconds = double(nSamples) / first.nSampleRate;
    return nSamples > 0;
}
