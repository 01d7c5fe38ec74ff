// Fuzzes the MPT reader with arbitrary headers, and the writer with arbitrary texts and audio
// names: whatever it writes must be a sound header that the reader accepts.

#include <memory>
#include <string_view>

#include "doc/MptFormat.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    if (!in.bText) {
        CheckReaderResult(ReadMpt(in.cp, in.pData, in.nSize, in.nTimeFormat, pOut.get()),
                          pOut.get());
        return 0;
    }
    // The text up to the first zero byte is the lyrics, the rest the audio file's name.
    const std::string_view all(reinterpret_cast<const char*>(in.pData), in.nSize);
    const size_t nZero = all.find('\0');
    const std::string_view text = all.substr(0, nZero);
    const std::string_view name = nZero == all.npos ? std::string_view() : all.substr(nZero + 1);
    const std::string file = BuildMptFile(in.cp, text, name, 123456, "ID3");
    const size_t nHeader = file.size() - 3;
    if (nHeader >= MPT_HEADER_CAPACITY || file.compare(nHeader, 3, "ID3") != 0 ||
        ExistingMptHeaderLength(file) != nHeader)
        std::abort();
    if (!ReadMpt(in.cp, reinterpret_cast<const uint8_t*>(file.data()), file.size(), in.nTimeFormat,
                 pOut.get()))
        std::abort();
    CheckReaderOutput(pOut.get());
    return 0;
}
