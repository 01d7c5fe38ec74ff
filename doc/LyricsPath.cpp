#include "doc/LyricsPath.h"

std::string_view PathFileName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view PathExtension(std::string_view path) {
    const std::string_view name = PathFileName(path);
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

LyricsFileType FileTypeOfPath(std::string_view path) {
    const std::string ext = UpperAscii(PathExtension(path));
    if (ext == ".LYR")
        return LyricsFileType::Lyr;
    if (ext == ".MPT")
        return LyricsFileType::Mpt;
    return LyricsFileType::PlainText;
}
