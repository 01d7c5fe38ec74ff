#include "doc/Conversion.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

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

size_t ReadLimit(LyricsFormat format) {
    return format == LyricsFormat::Mpt ? MPT_READ_LIMIT : LYR_READ_LIMIT;
}

bool ReadFileBytes(const std::string& path, size_t limit, std::string& data) {
    data.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const uintmax_t nSize = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const size_t nWanted = static_cast<size_t>(std::min<uintmax_t>(nSize, limit));
    data.resize(nWanted);
    in.read(data.data(), static_cast<std::streamsize>(nWanted));
    if (static_cast<size_t>(in.gcount()) != nWanted) {
        data.clear();
        return false;
    }
    return true;
}

bool ConvertToLrc(LyricsFormat format, const CCodePage& cp, std::string_view data, int nTimeFormat,
                  std::string& lrc) {
    auto pText = std::make_unique<char[]>(LYRICS_CAPACITY);
    const auto* pData = reinterpret_cast<const uint8_t*>(data.data());
    const bool bRead = format == LyricsFormat::Lyr
                           ? ReadLyr(cp, pData, data.size(), nTimeFormat, pText.get())
                           : ReadMpt(cp, pData, data.size(), nTimeFormat, pText.get());
    lrc.assign(pText.get());
    return bRead;
}

bool ImportLyrics(LyricsFormat format, std::string_view data, int nTimeFormat, int nUiLanguage,
                  CImportedLyrics& out) {
    CCodePage bytewise;
    CCodePage::FromName("ISO-8859-1", bytewise);
    if (!ConvertToLrc(format, bytewise, data, nTimeFormat, out.strText))
        return false;
    out.codePage = FindTextCodePage(out.strText, nUiLanguage);
    if (out.codePage.GetKind() == CCodePage::Kind::SingleByte)
        return true;
    return ConvertToLrc(format, out.codePage, data, nTimeFormat, out.strText);
}

bool ConvertFileToLrc(LyricsFormat format, const std::string& inputPath,
                      const std::string& outputPath, int nTimeFormat, int nUiLanguage) {
    std::string data;
    if (!ReadFileBytes(inputPath, ReadLimit(format), data))
        return false;
    CImportedLyrics lyrics;
    if (!ImportLyrics(format, data, nTimeFormat, nUiLanguage, lyrics))
        return false;
    // Written beside the target and renamed over it only when complete, so a failed write
    // never leaves a truncated file where the user's file was.
    return WriteFileReplacing(outputPath, lyrics.strText);
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
