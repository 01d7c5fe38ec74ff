#pragma once
// Parts of a lyrics file's path, and its file type by extension.

#include <string>
#include <string_view>

// File type of a path by its extension; LYR and MPT are binary formats, every other extension
// is plain LRC text.
enum class LyricsFileType { PlainText, Lyr, Mpt };

// The file name: everything after the last '/'.
std::string_view PathFileName(std::string_view path);
// The extension: the file name from its last '.' on; "" if the name has none (a dot in a folder
// name is not one).
std::string_view PathExtension(std::string_view path);
// ASCII upper case of s.
std::string UpperAscii(std::string_view s);
// Type of a document opened from path (".LYR", ".MPT" in any letter case, else plain text).
LyricsFileType FileTypeOfPath(std::string_view path);
