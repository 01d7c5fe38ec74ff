#include "player/WavePeaks.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "doc/Conversion.h"
#include "doc/FileReplace.h"

namespace {

const char kMagic[8] = {'V', 'W', 'P', 'E', 'A', 'K', 'S', '1'};
// magic, size, modified, bin ms, count
constexpr size_t kHeaderSize = 8 + 8 + 8 + 4 + 4;
// Longer than a day of audio in 10 ms bins: no real entry has more.
constexpr uint32_t kMaxBins = 1u << 24;

int16_t ToSample(float f) {
    if (std::isnan(f))
        return 0;
    return static_cast<int16_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f));
}

void PutLe(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

uint64_t GetLe(const char* p, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<uint8_t>(p[i])) << (8 * i);
    return value;
}

} // namespace

CPeakReducer::CPeakReducer(uint32_t sampleRate, uint32_t channels, uint32_t binMs)
    : m_nRate(sampleRate ? sampleRate : 1), m_nChannels(channels ? channels : 1),
      m_nBinMs(binMs ? binMs : 1) {
    m_nBinEnd = (m_nRate * m_nBinMs + 999) / 1000;
}

void CPeakReducer::CloseBin() {
    SPeakBin bin;
    if (m_bOpen) {
        bin.nMin = ToSample(m_fMin);
        bin.nMax = ToSample(m_fMax);
    }
    m_bins.push_back(bin);
    m_bOpen = false;
    // Bin k ends at frame ceil((k + 1) * rate * binMs / 1000): no drift over a long song.
    m_nBinEnd = ((m_bins.size() + 1) * m_nRate * m_nBinMs + 999) / 1000;
}

void CPeakReducer::AddSamples(const float* samples, size_t frames) {
    for (size_t i = 0; i < frames; ++i, ++m_nFrame) {
        if (m_nFrame >= m_nBinEnd)
            CloseBin();
        const float* frame = samples + i * m_nChannels;
        float lo = frame[0];
        float hi = frame[0];
        for (uint32_t c = 1; c < m_nChannels; ++c) {
            lo = std::min(lo, frame[c]);
            hi = std::max(hi, frame[c]);
        }
        if (!m_bOpen) {
            m_fMin = lo;
            m_fMax = hi;
            m_bOpen = true;
        } else {
            m_fMin = std::min(m_fMin, lo);
            m_fMax = std::max(m_fMax, hi);
        }
    }
}

void CPeakReducer::Finish() {
    if (m_bOpen)
        CloseBin();
}

std::string EncodePeakCache(const SPeakSource& source, uint32_t binMs,
                            const std::vector<SPeakBin>& bins) {
    std::string out(kMagic, sizeof kMagic);
    out.reserve(kHeaderSize + bins.size() * 4);
    PutLe(out, source.nSize, 8);
    PutLe(out, static_cast<uint64_t>(source.nModifiedNs), 8);
    PutLe(out, binMs, 4);
    PutLe(out, bins.size(), 4);
    for (const SPeakBin& bin : bins) {
        PutLe(out, static_cast<uint16_t>(bin.nMin), 2);
        PutLe(out, static_cast<uint16_t>(bin.nMax), 2);
    }
    return out;
}

bool DecodePeakCache(std::string_view bytes, const SPeakSource& source, uint32_t* pBinMs,
                     std::vector<SPeakBin>* pBins) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return false;
    const char* p = bytes.data() + sizeof kMagic;
    if (GetLe(p, 8) != source.nSize ||
        static_cast<int64_t>(GetLe(p + 8, 8)) != source.nModifiedNs)
        return false;
    const uint32_t binMs = static_cast<uint32_t>(GetLe(p + 16, 4));
    const uint32_t count = static_cast<uint32_t>(GetLe(p + 20, 4));
    if (binMs == 0 || count > kMaxBins || bytes.size() != kHeaderSize + size_t(count) * 4)
        return false;
    p = bytes.data() + kHeaderSize;
    pBins->resize(count);
    for (uint32_t i = 0; i < count; ++i, p += 4) {
        (*pBins)[i].nMin = static_cast<int16_t>(GetLe(p, 2));
        (*pBins)[i].nMax = static_cast<int16_t>(GetLe(p + 2, 2));
    }
    *pBinMs = binMs;
    return true;
}

std::string PeakCacheFileName(std::string_view songPath) {
    uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char ch : songPath) {
        hash ^= static_cast<uint8_t>(ch);
        hash *= 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.peaks", static_cast<unsigned long long>(hash));
    return name;
}

bool ReadPeakSource(const std::string& songPath, SPeakSource* pSource) {
    struct stat st {};
    if (stat(songPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    pSource->nSize = static_cast<uint64_t>(st.st_size);
    pSource->nModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

bool LoadPeakCache(const std::string& cachePath, const SPeakSource& source, uint32_t* pBinMs,
                   std::vector<SPeakBin>* pBins) {
    // One byte past the largest cache, so that a longer file is refused as a whole.
    std::string bytes;
    return ReadFileBytes(cachePath, kHeaderSize + size_t(kMaxBins) * 4 + 1, bytes) &&
           DecodePeakCache(bytes, source, pBinMs, pBins);
}

bool SavePeakCache(const std::string& cachePath, const SPeakSource& source, uint32_t binMs,
                   const std::vector<SPeakBin>& bins) {
    return WriteFileReplacing(cachePath, EncodePeakCache(source, binMs, bins));
}

namespace {
PeakDecoder g_peakDecoder;
} // namespace

void SetPeakDecoder(PeakDecoder decoder) {
    g_peakDecoder = std::move(decoder);
}

bool DecodePeaks(const std::string& path, uint32_t binMs, const std::atomic<bool>* pCancel,
                 const PeakProgress& progress, std::vector<SPeakBin>* pBins,
                 std::string& strError) {
    pBins->clear();
    if (!g_peakDecoder) {
        strError = "no audio decoder";
        return false;
    }
    return g_peakDecoder(path, binMs, pCancel, progress, pBins, strError);
}

void ReduceToColumns(const SPeakBin* bins, size_t count, double first, double perColumn,
                     SPeakBin* columns, int columnCount) {
    const double total = static_cast<double>(count);
    for (int c = 0; c < columnCount; ++c) {
        const double from = first + c * perColumn;
        const double to = from + perColumn;
        SPeakBin column;
        if (to > 0.0 && from < total) {
            const size_t a = from <= 0.0 ? 0 : static_cast<size_t>(from);
            size_t b = to >= total ? count : static_cast<size_t>(std::ceil(to));
            if (b <= a)
                b = a + 1;
            column = bins[a];
            for (size_t i = a + 1; i < b; ++i) {
                column.nMin = std::min(column.nMin, bins[i].nMin);
                column.nMax = std::max(column.nMax, bins[i].nMax);
            }
        }
        columns[c] = column;
    }
}
