#pragma once
// Reading LYR and MPT files into LRC text, for opening them and for the two conversion commands.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

enum class LyricsFormat { Lyr, Mpt };

// Bytes of the file that a reader looks at: the first 65536 bytes of an MPT file (they hold its
// whole header); for LYR, all that its reader can reach, so that a huge file is never read whole.
size_t ReadLimit(LyricsFormat format);

// "It is not a valid LYR file." and the same for MPT: why a malformed image was refused.
const char* NotValidReason(LyricsFormat format);

// Reads at most limit bytes of the file at path into data. True only when as many bytes were read
// as the file's length (cut to limit) promised; otherwise pReason (if given) gets the system's
// text for the cause.
bool ReadFileBytes(const std::string& path, size_t limit, std::string& data,
                   std::string* pReason = nullptr);

// Converts a file image to LRC text (lines ended by CR LF, no header tags) with tags written in
// nTimeFormat. False for a malformed image. *pCut (if given) tells whether lyrics the image holds
// were left out (see ReadLyr).
bool ConvertToLrc(LyricsFormat format, const CCodePage& cp, std::string_view data, int nTimeFormat,
                  std::string& lrc, bool* pCut = nullptr);

// LRC text of a LYR or MPT image, in the code page of its lyrics.
struct CImportedLyrics {
    CCodePage codePage;
    std::string strText;
    bool bCut = false; // some of the file's lyrics were left out
};

// Converts an image whose code page nobody names: it is read once byte by byte (no trail byte of
// a code page we know is CR, LF or zero, so the lines come out the same), the code page of that
// text is found as for a plain text file, and the image is read again stepping by that code page.
// False for a malformed image.
bool ImportLyrics(LyricsFormat format, std::string_view data, int nTimeFormat, int nUiLanguage,
                  CImportedLyrics& out);

// What is said of a LYR file whose lyrics were not all read (CImportedLyrics::bCut).
constexpr const char kLyricsLeftOut[] =
    "The file holds more lyrics than a LYR file can (2,048 entries) or the editor can (65,535 "
    "bytes); the rest was left out.";

// Why a conversion wrote nothing: the input could not be read or was malformed, or the output
// could not be written; reason is the system's text or names the fault.
struct CConversionFailure {
    bool bOutput = false;
    std::string reason;
};

// Reads the LYR or MPT file at path (only what its reader looks at) and imports its lyrics. False,
// with the reason (the system's, or that it is no valid file of the format), when it cannot.
bool ImportLyricsFile(LyricsFormat format, const std::string& path, int nTimeFormat,
                      int nUiLanguage, CImportedLyrics& lyrics, std::string& reason);

// The conversion command's work after its dialogs: the input read (as much as ReadLimit allows),
// converted by ImportLyrics, and only then the output written beside its place and renamed over
// it once complete; the LRC text keeps the input's code page. Nothing is written when the input
// cannot be read whole or is malformed. True when the output was written (*pCut, if given, then
// tells whether lyrics were left out); otherwise *pFailure (if given) says why.
bool ConvertFileToLrc(LyricsFormat format, const std::string& inputPath,
                      const std::string& outputPath, int nTimeFormat, int nUiLanguage,
                      CConversionFailure* pFailure = nullptr, bool* pCut = nullptr);

// The file-name part of path with its last four characters removed, whatever they are
// (Song.lyr gives Song, Song.ly gives Son); UTF-8 characters are never split.
std::string CutProposedName(std::string_view path);
// The proposed output name of a conversion: CutProposedName(path) + ".lrc".
std::string ProposeLrcName(std::string_view path);
