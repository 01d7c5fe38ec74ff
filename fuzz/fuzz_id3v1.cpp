// Fuzzes the ID3v1 reader with arbitrary files, and the decoding of its fields for the header
// dialog in each kind of code page.

#include <cstring>

#include "doc/HeaderTags.h"
#include "fuzz/FuzzInput.h"
#include "player/Id3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    const CFuzzFile file(in.pData, in.nSize);
    char fields[3][ID3V1_FIELD_BUFFER];
    if (ReadId3v1Tag(file.Path().c_str(), fields[0], fields[1], fields[2]) != 1)
        std::abort();
    CCodePage fallback;
    CCodePage::FromName("GB18030", fallback);
    for (const char* field : fields) {
        const size_t n = std::strlen(field);
        if (n >= ID3V1_FIELD_BUFFER || (n > 0 && field[n - 1] == ' '))
            std::abort();
        DecodeTagField(in.cp, fallback, field);
    }
    return 0;
}
