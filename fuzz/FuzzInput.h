#pragma once
// The first byte of a fuzz input picks the code page, the time format and whether the rest is
// a file image for the reader or a lyrics text for the writer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

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

// The rest of the input as the editor's text: cut at a zero byte and at the editor's limit, in
// a buffer of exactly its length and terminator, so a read past the terminator is caught.
struct FuzzText {
    std::unique_ptr<char[]> pBuffer;
    size_t nLength = 0;

    FuzzText(const uint8_t* data, size_t size, size_t nRoom = 0) {
        const char* p = reinterpret_cast<const char*>(data);
        nLength = std::string_view(p, size).substr(0, LYRICS_MAX_TEXT).find('\0');
        if (nLength == std::string_view::npos)
            nLength = size < LYRICS_MAX_TEXT ? size : LYRICS_MAX_TEXT;
        pBuffer = std::make_unique<char[]>((nRoom > nLength ? nRoom : nLength) + 1);
        std::memcpy(pBuffer.get(), p, nLength);
        pBuffer[nLength] = '\0';
    }
    char* Get() const { return pBuffer.get(); }
};

// Bytes as a file on disk for readers that take a path: an anonymous in-memory file reached by
// its /proc/self/fd name.
class CFuzzFile {
public:
    CFuzzFile(const uint8_t* data, size_t size) : m_fd(memfd_create("fuzz", MFD_CLOEXEC)) {
        if (m_fd < 0 || write(m_fd, data, size) != static_cast<ssize_t>(size))
            std::abort();
        m_strPath = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~CFuzzFile() { close(m_fd); }
    CFuzzFile(const CFuzzFile&) = delete;
    CFuzzFile& operator=(const CFuzzFile&) = delete;
    const std::string& Path() const { return m_strPath; }

private:
    int m_fd;
    std::string m_strPath;
};
