#include "doc/LyricsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "doc/CodePageDetect.h"
#include "doc/Conversion.h"
#include "doc/LrcText.h"
#include "doc/TextFile.h"

namespace {

LyricsFormat BinaryFormat(LyricsFileType type) {
    return type == LyricsFileType::Lyr ? LyricsFormat::Lyr : LyricsFormat::Mpt;
}

bool Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

bool LoadPlainText(std::string_view bytes, int nUiLanguage, CLyricsFile& out, std::string& error) {
    CLoadedText loaded;
    switch (LoadLyricsText(bytes, nUiLanguage, loaded)) {
    case TextLoadResult::Ok:
        break;
    case TextLoadResult::TooLarge:
        return Fail(error, "too large: the editor holds at most " +
                               std::to_string(LYRICS_MAX_TEXT) + " bytes of text");
    case TextLoadResult::ZeroByte:
        return Fail(error, "not a text file (it holds zero bytes)");
    case TextLoadResult::BadUtf16:
        return Fail(error, "not a text file (a UTF-16 mark before bytes that are no UTF-16)");
    }
    out.codePage = loaded.codePage;
    out.bBom = loaded.bBom;
    out.encoding = loaded.encoding;
    if (out.encoding != TextFileEncoding::CodePage) {
        // Checked as decoded: its line ends are already the editor's.
        out.strRaw = loaded.strBytes;
        out.strText = std::move(loaded.strBytes);
        return true;
    }
    out.strRaw.assign(out.bBom ? bytes.substr(UTF8_BOM.size()) : bytes);
    out.strText = std::move(loaded.strBytes);
    // Only UTF-8 and what the detector named come from the bytes; the rest is a fallback.
    CCodePage guessed;
    out.bCodePageKnown = out.bBom || IsStrictUtf8(out.strRaw) ||
                         (GuessCodePage(out.strRaw, guessed) && guessed == out.codePage);
    return true;
}

} // namespace

bool LoadLyricsImage(LyricsFileType type, std::string_view bytes, int nUiLanguage, CLyricsFile& out,
                     std::string& error) {
    out = CLyricsFile();
    out.type = type;
    if (type == LyricsFileType::PlainText)
        return LoadPlainText(bytes, nUiLanguage, out, error);
    CImportedLyrics lyrics;
    if (!ImportLyrics(BinaryFormat(type), bytes, TIME_FORMAT_HUNDREDTHS, nUiLanguage, lyrics))
        return Fail(error, type == LyricsFileType::Lyr ? "not a readable LYR file"
                                                       : "not a readable MPT file");
    out.codePage = lyrics.codePage;
    out.bCut = lyrics.bCut;
    // Opened in the window, a LYR file's stored tags get lines of their own as in a loaded
    // LRC file, when that still fits.
    if (type == LyricsFileType::Lyr) {
        std::string normalised;
        NormaliseLoadedText(out.codePage, lyrics.strText, normalised);
        if (normalised.size() <= LYRICS_MAX_TEXT)
            lyrics.strText.swap(normalised);
    }
    out.strText = std::move(lyrics.strText);
    return true;
}

bool ReadAllFromFd(int fd, size_t limit, std::string& out, std::string& error) {
    out.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(error, std::strerror(errno));
        if (n == 0)
            return true;
        out.append(buffer, static_cast<size_t>(n));
        if (out.size() > limit)
            return Fail(error, "too large: the editor holds at most " +
                                   std::to_string(LYRICS_MAX_TEXT) + " bytes of text");
    }
}

bool ReadLyricsFile(const std::string& path, int nUiLanguage, CLyricsFile& out,
                    std::string& error) {
    const LyricsFileType type = FileTypeOfPath(path);
    std::string bytes;
    if (type != LyricsFileType::PlainText) // only the part the format's reader looks at
        return ReadFileBytes(path, ReadLimit(BinaryFormat(type)), bytes, &error) &&
               LoadLyricsImage(type, bytes, nUiLanguage, out, error);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail(error, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Fail(error, std::strerror(EISDIR));
    }
    const bool bRead = ReadAllFromFd(fd, PLAIN_FILE_MAX_SIZE, bytes, error);
    ::close(fd);
    return bRead && LoadLyricsImage(type, bytes, nUiLanguage, out, error);
}

std::string PlainFileBytes(const CLyricsFile& file, std::string_view text) {
    std::string out;
    if (file.encoding != TextFileEncoding::CodePage) {
        std::u16string unicode;
        file.codePage.ToUnicode(text, unicode);
        EncodeTextFile(file.encoding, file.codePage, true, unicode, out); // UTF-16 holds any text
        return out;
    }
    out.reserve(text.size() + UTF8_BOM.size());
    if (file.bBom)
        out += UTF8_BOM;
    out += text;
    return out;
}

std::string TextToUtf8(const CCodePage& cp, std::string_view bytes) {
    std::u16string unicode;
    cp.ToUnicode(bytes, unicode);
    std::string out;
    CCodePage().FromUnicode(unicode, out);
    return out;
}

std::string EncodingName(const CLyricsFile& file) {
    switch (file.encoding) {
    case TextFileEncoding::Utf16Le:
        return "UTF-16LE";
    case TextFileEncoding::Utf16Be:
        return "UTF-16BE";
    case TextFileEncoding::CodePage:
        break;
    }
    return file.codePage.Name();
}

bool ConvertToUtf8(CLyricsFile& file, std::string& error) {
    const CCodePage utf8;
    file.encoding = TextFileEncoding::CodePage;
    if (file.codePage == utf8)
        return true;
    std::u16string unicode;
    std::string text;
    if (!file.codePage.ToUnicode(file.strText, unicode) || !utf8.FromUnicode(unicode, text))
        return Fail(error, "the text is not valid " + file.codePage.Name());
    file.codePage = utf8;
    file.strText = std::move(text);
    return true;
}
