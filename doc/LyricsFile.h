#pragma once
// A lyrics file of any of the three formats read as the editor would hold it: LRC text in the
// file's code page with CR LF lines. For batch work outside the window, where every failure
// comes back as a reason to tell the user.

#include <string>
#include <string_view>

#include "doc/LyricsPath.h"
#include "doc/TextFile.h"
#include "platform/CodePage.h"

struct CLyricsFile {
    LyricsFileType type = LyricsFileType::PlainText;
    CCodePage codePage;
    bool bBom = false; // a plain text file that began with a byte-order mark
    // A UTF-16 text file is worked on in UTF-8 (codePage) and written back in UTF-16.
    TextFileEncoding encoding = TextFileEncoding::CodePage;
    bool bCodePageKnown = true; // false when the bytes named no code page and a fallback was used
    std::string strRaw;         // the file's text as stored, mark removed (plain text only)
    std::string strText;        // the text as the editor holds it
    bool bCut = false;          // a LYR file held more lyrics than the format or the editor holds
};

// Makes the editor's text of a file image of the given type. False, with the reason in error,
// when it is no text the editor could hold or a malformed LYR or MPT image.
bool LoadLyricsImage(LyricsFileType type, std::string_view bytes, int nUiLanguage, CLyricsFile& out,
                     std::string& error);

// Reads the file at path (its type from its extension) and loads it as LoadLyricsImage does.
// Never reads more than a reader of that format looks at.
bool ReadLyricsFile(const std::string& path, int nUiLanguage, CLyricsFile& out, std::string& error);

// Bytes read from fd to its end; false, with the reason, when reading fails or passes limit.
bool ReadAllFromFd(int fd, size_t limit, std::string& out, std::string& error);

// Bytes to write for a text in the file's code page: its byte-order mark, then the text; for a
// UTF-16 file the text in its UTF-16.
std::string PlainFileBytes(const CLyricsFile& file, std::string_view text);

// The name of the file's encoding: its code page's, or "UTF-16LE" / "UTF-16BE".
std::string EncodingName(const CLyricsFile& file);

// Text in a code page as UTF-8, for messages; a byte that does not decode shows as U+FFFD.
std::string TextToUtf8(const CCodePage& cp, std::string_view bytes);

// Makes UTF-8 the file's code page (and of a UTF-16 file its encoding), its text converted; the
// byte-order mark stays as it was.
// False, with the reason, when the text is not valid in its code page.
bool ConvertToUtf8(CLyricsFile& file, std::string& error);
