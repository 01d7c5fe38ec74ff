#pragma once
// The header tags of a lyrics text as the header dialog sees them: the five values (title,
// artist, album, editor, offset) read out of the text, and the text rewritten so that it starts
// with exactly the given header lines and holds no other header tags. Byte work only; the text
// is zero-terminated and in the code page given.

#include <cstddef>
#include <string>
#include <string_view>

#include "doc/LrcText.h"
#include "platform/CodePage.h"

// A value read from the text keeps at most this many bytes, never part of a character.
constexpr size_t HEADER_VALUE_MAX = 255;

struct SHeaderValues {
    // Indexed by HeaderKind - 1: title, artist, album, editor, offset.
    std::string str[5];

    std::string& Of(HeaderKind kind) { return str[kind - 1]; }
    const std::string& Of(HeaderKind kind) const { return str[kind - 1]; }
    // Title, artist and album all empty: the audio file's tag may stand in for them.
    bool LacksSongNames() const { return str[0].empty() && str[1].empty() && str[2].empty(); }
};

// Reads the header tags found anywhere in text: a tag needs its ']' on its own line, the last
// tag of a kind wins, and an offset counts only when it is a signed decimal number.
void ReadHeaderTags(const CCodePage& cp, const char* text, SHeaderValues& values);

// Writes into out (LYRICS_CAPACITY bytes) the header lines of the non-empty values, in the order
// title, artist, album, editor, offset, then text without its header tags (each with the CR LF
// right after its ']'). A tag without its ']' on its line stays as ordinary text. Returns the
// length written, or -1 when the result would pass LYRICS_MAX_TEXT bytes (out is then
// undefined): the caller keeps the old text rather than lose its end.
ptrdiff_t WriteHeaderTags(const CCodePage& cp, const SHeaderValues& values, const char* text,
                          char* out);

// An ID3v1 field's bytes as text: in the document's code page when they are valid there, else in
// the fallback (the legacy code page of the interface language, which tag writers used).
std::u16string DecodeTagField(const CCodePage& docCp, const CCodePage& fallbackCp,
                              std::string_view bytes);
