#pragma once
// Decoding a song for its waveform: the whole audio through GStreamer as fast as it decodes,
// reduced to peaks on the way. Runs on the caller's thread, which must not be the interface
// thread for a long song.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "player/WavePeaks.h"

// Receives the bins made so far, now and then while the decode goes on.
using PeakProgress = std::function<void(const std::vector<SPeakBin>&)>;

// Decodes the file (a file-system path; an MPT file from its audio stream) into bins of binMs.
// Stops early, returning false, once *pCancel is set. On failure strError says why.
bool DecodeSongPeaks(const std::string& path, uint32_t binMs, const std::atomic<bool>* pCancel,
                     const PeakProgress& progress, std::vector<SPeakBin>* pBins,
                     std::string& strError);
