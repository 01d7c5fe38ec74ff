#pragma once
// A song's waveform outline: per bin of a few milliseconds, the lowest and highest sample of all
// channels. Reduced from decoded samples, kept in a cache file per song, and reduced again to
// one bin per pixel column for drawing. No GUI, no GStreamer.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Milliseconds of audio per bin.
constexpr uint32_t PEAK_BIN_MS = 10;

struct SPeakBin {
    int16_t nMin = 0;
    int16_t nMax = 0;
};

// Turns interleaved float samples (-1 to 1) into bins; any sample rate, any channel count.
class CPeakReducer {
public:
    CPeakReducer(uint32_t sampleRate, uint32_t channels, uint32_t binMs = PEAK_BIN_MS);

    void AddSamples(const float* samples, size_t frames);
    // Closes a partly filled last bin.
    void Finish();
    const std::vector<SPeakBin>& Bins() const { return m_bins; }
    std::vector<SPeakBin> TakeBins() { return std::move(m_bins); }

private:
    void CloseBin();

    uint64_t m_nRate;
    uint32_t m_nChannels;
    uint32_t m_nBinMs;
    uint64_t m_nFrame = 0;   // frames seen so far
    uint64_t m_nBinEnd = 0;  // first frame of the next bin
    bool m_bOpen = false;    // the current bin has samples
    float m_fMin = 0.0f;
    float m_fMax = 0.0f;
    std::vector<SPeakBin> m_bins;
};

// What a cache entry must match to stand for a song file: its size and modification time.
struct SPeakSource {
    uint64_t nSize = 0;
    int64_t nModifiedNs = 0;
};

// The cache file's bytes, and their reading back; false for bytes that are not a whole entry of
// this source (another file, a changed file, a cut or damaged entry).
std::string EncodePeakCache(const SPeakSource& source, uint32_t binMs,
                            const std::vector<SPeakBin>& bins);
bool DecodePeakCache(std::string_view bytes, const SPeakSource& source, uint32_t* pBinMs,
                     std::vector<SPeakBin>* pBins);
// Name of a song's cache file in the cache folder, from its full path.
std::string PeakCacheFileName(std::string_view songPath);
// The song file's size and modification time; false when it cannot be read.
bool ReadPeakSource(const std::string& songPath, SPeakSource* pSource);
// Reads the cache entry of a song; false when there is none that matches.
bool LoadPeakCache(const std::string& cachePath, const SPeakSource& source, uint32_t* pBinMs,
                   std::vector<SPeakBin>* pBins);
// Writes the entry beside its place and renames it over, so a reader never sees half of one.
// A failure leaves an older entry as it was.
bool SavePeakCache(const std::string& cachePath, const SPeakSource& source, uint32_t binMs,
                   const std::vector<SPeakBin>& bins);

// Receives the bins made so far, now and then while a decode goes on.
using PeakProgress = std::function<void(const std::vector<SPeakBin>&)>;
// Decodes a song (a file-system path) into bins of binMs, stopping early with false once
// *pCancel is set; on failure strError says why.
using PeakDecoder =
    std::function<bool(const std::string& path, uint32_t binMs, const std::atomic<bool>* pCancel,
                       const PeakProgress& progress, std::vector<SPeakBin>* pBins,
                       std::string& strError)>;
// The decoder DecodePeaks uses, set once at start-up (the program sets GStreamer's).
void SetPeakDecoder(PeakDecoder decoder);
bool DecodePeaks(const std::string& path, uint32_t binMs, const std::atomic<bool>* pCancel,
                 const PeakProgress& progress, std::vector<SPeakBin>* pBins,
                 std::string& strError);

// Reduces bins to columns: column c covers bins [first + c * perColumn, first + (c + 1) *
// perColumn); a column past the bins, or before them, is flat (0, 0). A column narrower than a
// bin takes the bin it falls in.
void ReduceToColumns(const SPeakBin* bins, size_t count, double first, double perColumn,
                     SPeakBin* columns, int columnCount);
