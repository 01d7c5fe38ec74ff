#pragma once
// Decoding a song for its waveform: the whole audio through GStreamer as fast as it decodes,
// reduced to peaks on the way. Runs on the caller's thread, which must not be the interface
// thread for a long song.

#include <string>
#include <vector>

#include "player/WavePeaks.h"

// Decodes the file (a file-system path; an MPT file from its audio stream) into bins of binMs.
// Stops early, returning false, once *pCancel is set. On failure strError says why. A
// PeakDecoder for SetPeakDecoder.
bool DecodeSongPeaks(const std::string& path, uint32_t binMs, const std::atomic<bool>* pCancel,
                     const PeakProgress& progress, std::vector<SPeakBin>* pBins,
                     std::string& strError);
