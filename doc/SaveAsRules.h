#pragma once
// The rules of the Save As export that need no window: the proposed name, the filter list and
// the format a chosen file name asks for.

#include <string>
#include <string_view>
#include <vector>

#include "doc/LyricsPath.h"

// Name proposed by Save As: the file name of the path last opened without its extension;
// "" when nothing was opened yet.
std::string ProposeSaveAsName(std::string_view openedPath);

struct CSaveAsFilter {
    const char* name;      // "LRC files(*.lrc)"
    const char* extension; // "lrc"
};

// The filter list: MPT is offered only while an audio file with the extension ".MP3" or ".MPT"
// (any letter case) is loaded.
std::vector<CSaveAsFilter> SaveAsFilters(bool bAudioLoaded, std::string_view audioExt);

enum class SaveAsFormat { None, PlainText, Lyr, Mpt };

// What a chosen file name asks to be written as: "lrc" and "txt" plain text, "lyr" and "mpt" their
// formats, any letter case; any other extension (or none) writes nothing.
SaveAsFormat SaveAsFormatOf(std::string_view chosenPath);
