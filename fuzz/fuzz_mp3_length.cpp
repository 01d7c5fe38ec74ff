// Fuzzes the MP3 length scanner with arbitrary files, from the start and from an offset (a
// stream behind a lyrics header).

#include <cmath>

#include "fuzz/FuzzInput.h"
#include "player/Mp3Length.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint64_t nOffset = data[0] < 0x80 ? 0 : (uint64_t(data[0] & 0x7F) << 8 | data[1]);
    const CFuzzFile file(data + 2, size - 2);
    double seconds = -1;
    if (Mp3ScanLength(file.Path(), nOffset, seconds) && !(seconds >= 0 && std::isfinite(seconds)))
        std::abort();
    for (size_t i = 2; i + 4 <= size; ++i) {
        Mp3FrameHeader h;
        if (Mp3ParseHeader(data + i, h) && (h.nFrameBytes <= 4 || h.nSampleRate <= 0))
            std::abort();
    }
    return 0;
}
