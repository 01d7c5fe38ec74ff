// Fuzzes the header tags: reading the five values out of an arbitrary text, and writing them
// back in front of it. Written values must read back as they were, and nothing may pass the
// editor's limit.

#include <cstring>

#include "doc/HeaderTags.h"
#include "fuzz/FuzzInput.h"

namespace {

void CheckValues(const CCodePage& cp, const SHeaderValues& values) {
    for (const std::string& value : values.str) {
        if (value.size() > HEADER_VALUE_MAX || value.find('\0') != std::string::npos)
            std::abort();
        // Never part of a character.
        size_t i = 0;
        while (i < value.size())
            i += cp.CharLength(value.data() + i, value.data() + value.size());
        if (i != value.size())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    const FuzzText text(in.pData, in.nSize);
    SHeaderValues values;
    ReadHeaderTags(in.cp, text.Get(), values);
    CheckValues(in.cp, values);

    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    const ptrdiff_t nWritten = WriteHeaderTags(in.cp, values, text.Get(), pOut.get());
    if (nWritten < 0)
        return 0;
    if (size_t(nWritten) > LYRICS_MAX_TEXT || std::strlen(pOut.get()) != size_t(nWritten))
        std::abort();
    // A value holding a '[' may hold a tag of its own that a later header line brings back
    // (values are written as they are); otherwise every value reads back unchanged.
    for (const std::string& value : values.str)
        if (value.find('[') != std::string::npos)
            return 0;
    SHeaderValues back;
    ReadHeaderTags(in.cp, pOut.get(), back);
    for (int i = 0; i < 5; ++i)
        if (back.str[i] != values.str[i])
            std::abort();
    return 0;
}
