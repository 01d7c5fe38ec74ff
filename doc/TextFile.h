#pragma once
// A plain-text lyrics file between its bytes on disk and the editor: code page and byte-order
// mark found on load, line ends normalised, the editor's byte limit kept, and the same code page
// and mark written back on save.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

// Files longer than this are refused before they are read.
constexpr size_t PLAIN_FILE_MAX_SIZE = 1048575;

// Copies in to out so that every line ends with CR LF and every time tag starts a line: a lone
// LF becomes CR LF, a CR is dropped, and a time tag standing in the middle of a line (judged on
// in, not on out) gets CR LF before it. Characters are stepped by the code page.
void NormaliseLoadedText(const CCodePage& cp, std::string_view in, std::string& out);

// How a file's bytes hold its text: in its code page (maybe after the UTF-8 mark), or as UTF-16
// after its byte-order mark, the text then being kept and worked on as UTF-8.
enum class TextFileEncoding { CodePage, Utf16Le, Utf16Be };

// A text as the editor gets it.
struct CLoadedText {
    CCodePage codePage;
    TextFileEncoding encoding = TextFileEncoding::CodePage;
    bool bBom = false;         // the file began with a byte-order mark (always so for UTF-16)
    std::string strBytes;      // normalised text in codePage, without the mark
    std::u16string strUnicode; // the same text for the editor
};

enum class TextLoadResult {
    Ok,
    TooLarge, // normalised, the text would not fit the editor; nothing was cut
    ZeroByte, // the editor cannot hold a zero byte, so the text could not be taken whole
    BadUtf16, // a UTF-16 byte-order mark before bytes that are not UTF-16 text
};

// Finds the code page of a file's bytes and makes the editor text of it. The code page chosen is
// one in which the text decodes and encodes back to the very same bytes, so saving an unedited
// text gives back the file (after line-end normalisation).
TextLoadResult LoadLyricsText(std::string_view fileBytes, int nUiLanguage, CLoadedText& out);

// The code page as the status bar names it: "UTF-8", "UTF-8 BOM", "GBK", "Big5", "Windows-1252",
// and "UTF-16 LE BOM" or "UTF-16 BE BOM" for those files.
std::string CodePageLabel(const CCodePage& cp, bool bBom,
                          TextFileEncoding encoding = TextFileEncoding::CodePage);

// Encodes the editor text (lines ended by CR LF) for saving, the byte-order mark first when bBom
// is set. False when some characters do not exist in the code page: out then holds nothing
// usable, and pUnfit (if given) receives each such character once, in text order.
bool EncodeLyricsText(const CCodePage& cp, bool bBom, std::u16string_view text, std::string& out,
                      std::u16string* pUnfit = nullptr);

// The editor text as a file in the given encoding: for UTF-16 the byte-order mark and the text,
// which always fits; otherwise as EncodeLyricsText.
bool EncodeTextFile(TextFileEncoding encoding, const CCodePage& cp, bool bBom,
                    std::u16string_view text, std::string& out, std::u16string* pUnfit = nullptr);
