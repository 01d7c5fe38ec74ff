#include "doc/Conversion.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "doc/CodePageDetect.h"
#include "doc/FileReplace.h"
#include "doc/LrcText.h"
#include "doc/LyrFormat.h"
#include "doc/LyricsPath.h"
#include "doc/MptFormat.h"

namespace {

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Start of the last character of name[0, n): a lead byte with up to three continuation bytes
// after it; any other byte stands alone.
size_t LastCharStart(std::string_view name, size_t n) {
    size_t i = n - 1;
    while (i > 0 && n - i < 4 && IsUtf8Continuation(name[i]))
        --i;
    if (static_cast<unsigned char>(name[i]) >= 0xC0)
        return i;
    return n - 1;
}

// The first code page in which text decodes and encodes back to the very same bytes.
CCodePage FindTextCodePage(std::string_view text, int nUiLanguage) {
    std::u16string unicode;
    std::string back;
    for (const CCodePage& cp : CodePageCandidates(text, false, nUiLanguage))
        if (cp.ToUnicode(text, unicode) && cp.FromUnicode(unicode, back) && back == text)
            return cp;
    CCodePage latin1;
    CCodePage::FromName("ISO-8859-1", latin1);
    return latin1;
}

} // namespace

const char* NotValidReason(LyricsFormat format) {
    return format == LyricsFormat::Lyr ? "It is not a valid LYR file."
                                       : "It is not a valid MPT file.";
}

size_t ReadLimit(LyricsFormat format) {
    return format == LyricsFormat::Mpt ? MPT_READ_LIMIT : LYR_READ_LIMIT;
}

bool ReadFileBytes(const std::string& path, size_t limit, std::string& data, std::string* pReason) {
    data.clear();
    const auto fail = [&](int nError) {
        data.clear();
        if (pReason != nullptr)
            *pReason = std::strerror(nError);
        return false;
    };
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct stat st;
    int nError = 0;
    if (fstat(fd, &st) != 0)
        nError = errno;
    else if (!S_ISREG(st.st_mode))
        nError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    size_t nRead = 0;
    if (nError == 0) {
        data.resize(
            static_cast<size_t>(std::min<uintmax_t>(static_cast<uintmax_t>(st.st_size), limit)));
        while (nRead < data.size()) {
            const ssize_t n = read(fd, data.data() + nRead, data.size() - nRead);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                nError = n < 0 ? errno : EIO; // the file got shorter while read
                break;
            }
            nRead += static_cast<size_t>(n);
        }
    }
    close(fd);
    return nError == 0 || fail(nError);
}

bool ConvertToLrc(LyricsFormat format, const CCodePage& cp, std::string_view data, int nTimeFormat,
                  std::string& lrc, bool* pCut) {
    auto pText = std::make_unique<char[]>(LYRICS_CAPACITY);
    const auto* pData = reinterpret_cast<const uint8_t*>(data.data());
    bool bCut = false;
    const bool bRead = format == LyricsFormat::Lyr
                           ? ReadLyr(cp, pData, data.size(), nTimeFormat, pText.get(), &bCut)
                           : ReadMpt(cp, pData, data.size(), nTimeFormat, pText.get());
    lrc.assign(pText.get());
    if (pCut != nullptr)
        *pCut = bCut;
    return bRead;
}

bool ImportLyrics(LyricsFormat format, std::string_view data, int nTimeFormat, int nUiLanguage,
                  CImportedLyrics& out) {
    CCodePage bytewise;
    CCodePage::FromName("ISO-8859-1", bytewise);
    if (!ConvertToLrc(format, bytewise, data, nTimeFormat, out.strText, &out.bCut))
        return false;
    out.codePage = FindTextCodePage(out.strText, nUiLanguage);
    if (out.codePage.GetKind() == CCodePage::Kind::SingleByte)
        return true;
    return ConvertToLrc(format, out.codePage, data, nTimeFormat, out.strText, &out.bCut);
}

bool ImportLyricsFile(LyricsFormat format, const std::string& path, int nTimeFormat,
                      int nUiLanguage, CImportedLyrics& lyrics, std::string& reason) {
    std::string data;
    if (!ReadFileBytes(path, ReadLimit(format), data, &reason))
        return false;
    if (ImportLyrics(format, data, nTimeFormat, nUiLanguage, lyrics))
        return true;
    reason = NotValidReason(format);
    return false;
}

bool ConvertFileToLrc(LyricsFormat format, const std::string& inputPath,
                      const std::string& outputPath, int nTimeFormat, int nUiLanguage,
                      CConversionFailure* pFailure, bool* pCut) {
    CConversionFailure failure;
    CImportedLyrics lyrics;
    if (ImportLyricsFile(format, inputPath, nTimeFormat, nUiLanguage, lyrics, failure.reason)) {
        failure.bOutput = true;
        if (WriteFileReplacing(outputPath, lyrics.strText, &failure.reason)) {
            if (pCut != nullptr)
                *pCut = lyrics.bCut;
            return true;
        }
    }
    if (pFailure != nullptr)
        *pFailure = std::move(failure);
    return false;
}

std::string CutProposedName(std::string_view path) {
    const std::string_view name = PathFileName(path);
    size_t n = name.size();
    for (int k = 0; k < 4 && n > 0; ++k)
        n = LastCharStart(name, n);
    return std::string(name.substr(0, n));
}

std::string ProposeLrcName(std::string_view path) {
    return CutProposedName(path) + ".lrc";
}
