// Fuzzes what the command-line tool does to a text file: loading it as the editor would, the
// check, and the shift. The check never fails on any input; a shift keeps every byte that is
// not a time tag; a UTF-16 file reads back as it was written.

#include <string>
#include <string_view>

#include "doc/LyricsCheck.h"
#include "doc/LyricsFile.h"
#include "fuzz/FuzzInput.h"
#include "view/TagText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in;
    if (!SplitFuzzInput(data, size, in))
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(in.pData), in.nSize);
    CLyricsFile file;
    std::string error;
    const LyricsFileType type = in.bText         ? LyricsFileType::PlainText
                                : in.nTimeFormat ? LyricsFileType::Lyr
                                                 : LyricsFileType::Mpt;
    if (!LoadLyricsImage(type, bytes, 0, file, error))
        return 0;
    for (const SFinding& finding : CheckLyricsFile(file))
        if (finding.strMessage.empty())
            std::abort();
    // Shifting there and back again gives the text back when no tag reaches zero on the way.
    std::string there, back;
    ShiftTimeTags(file.codePage, file.strText, 1000, there);
    ShiftTimeTags(file.codePage, there, -1000, back);
    std::string stripped, strippedBack;
    stripped.resize(file.strText.size() + 1);
    stripped.resize(RemoveTimeTags(file.codePage, file.strText.c_str(), stripped.data()));
    strippedBack.resize(back.size() + 1);
    strippedBack.resize(RemoveTimeTags(file.codePage, back.c_str(), strippedBack.data()));
    if (stripped != strippedBack)
        std::abort();
    // A UTF-16 file written back reads back as the same text.
    if (file.encoding != TextFileEncoding::CodePage) {
        CLyricsFile again;
        if (!LoadLyricsImage(type, PlainFileBytes(file, file.strText), 0, again, error) ||
            again.encoding != file.encoding || again.strText != file.strText)
            std::abort();
    }
    return 0;
}
