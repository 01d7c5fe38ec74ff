// Fuzzes the LYR reader with arbitrary images, and the writer with arbitrary texts: whatever it
// writes must be a sound image that the reader accepts.

#include <memory>
#include <string_view>

#include "doc/LyrFormat.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    if (!in.bText) {
        CheckReaderResult(ReadLyr(in.cp, in.pData, in.nSize, in.nTimeFormat, pOut.get()),
                          pOut.get());
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(in.pData), in.nSize);
    const std::string image = BuildLyrFile(in.cp, text);
    if (image.size() > LYR_MAX_IMAGE || image.size() % LYR_BLOCK != 0 || image.size() < 1024)
        std::abort();
    if (!ReadLyr(in.cp, reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                 in.nTimeFormat, pOut.get()))
        std::abort();
    CheckReaderOutput(pOut.get());
    return 0;
}
