#pragma once
// The first byte of a fuzz input picks the code page, the time format and whether the rest is
// a file image for the reader or a lyrics text for the writer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "doc/LrcText.h"
#include "platform/CodePage.h"

struct FuzzInput {
    CCodePage cp;
    int nTimeFormat;
    bool bText; // the rest is a lyrics text to write, not an image to read
    const uint8_t* pData;
    size_t nSize;
};

inline bool SplitFuzzInput(const uint8_t* data, size_t size, FuzzInput& in) {
    if (size == 0)
        return false;
    static const char* const kNames[] = {"UTF-8", "GBK", "BIG5", "WINDOWS-1252"};
    if (!CCodePage::FromName(kNames[data[0] & 3], in.cp))
        std::abort();
    in.nTimeFormat = data[0] & 4 ? TIME_FORMAT_HUNDREDTHS : TIME_FORMAT_SECONDS;
    in.bText = (data[0] & 8) != 0;
    in.pData = data + 1;
    in.nSize = size - 1;
    return true;
}

// What every LRC text a reader gives must be: within the buffer, whole CR LF lines.
inline void CheckReaderOutput(const char* out) {
    const size_t n = std::strlen(out);
    if (n > LYRICS_MAX_TEXT || (n > 0 && (n < 2 || out[n - 2] != '\r' || out[n - 1] != '\n')))
        std::abort();
}

// A reader's verdict: accepted output must be sound, a refusal must leave the output empty.
inline void CheckReaderResult(bool bAccepted, const char* out) {
    if (bAccepted)
        CheckReaderOutput(out);
    else if (out[0] != '\0')
        std::abort();
}
