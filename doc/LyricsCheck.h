#pragma once
// What a user would want fixed in a lyrics file, line by line: tags the program will not read
// as the user meant, times out of order or twice, offsets it ignores, and text that does not
// fit the editor or the binary formats.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "doc/LyricsFile.h"

enum class FindingKind {
    MalformedTag,    // a bracket group that looks like a time tag but is none, or is unclosed
    MidLineTag,      // a time tag inside a lyric, which opening the file moves to a new line
    OutOfOrder,      // a line whose earliest tag is before the earliest tag of the line above
    DuplicateTag,    // a time that another tag has already
    DuplicateHeader, // a second header of one kind
    BadOffset,       // an offset value the program ignores
    UnknownCodePage, // the bytes named no code page; a fallback was used
    OverLimit,       // beyond what the editor, its header dialog or a LYR or MPT file holds
};

struct SFinding {
    size_t nLine = 0; // 1-based; 0 for the whole file
    FindingKind kind = FindingKind::MalformedTag;
    std::string strMessage; // UTF-8
};

// A time as a tag shows it, without brackets and with hundredths ("01:23.45").
std::string TimeTagText(uint32_t ms);

// Short machine name of a kind ("malformed-tag", "out-of-order", ...).
const char* FindingKindName(FindingKind kind);

// Checks a loaded file. Lines are counted in the file as stored (any line end); the limits of
// the binary formats are those of the text the window would write.
std::vector<SFinding> CheckLyricsFile(const CLyricsFile& file);
