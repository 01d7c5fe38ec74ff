#pragma once
// The LRC grammar on byte ranges of a lyrics text: time tags, header tags, formatting,
// cleaning and rebuilding. A text is zero-terminated, at most LYRICS_MAX_TEXT bytes, lines
// ended by CR LF. Character stepping is asked of the code page, so a trail byte is never
// taken for '[', ']', CR or LF. Nothing here allocates.

#include <cstddef>
#include <cstdint>

#include "platform/CodePage.h"

// The editor holds at most this many bytes, the terminator included.
constexpr size_t LYRICS_CAPACITY = 65536;
constexpr size_t LYRICS_MAX_TEXT = LYRICS_CAPACITY - 1;

enum HeaderKind {
    HEADER_NONE = 0,
    HEADER_TI = 1,
    HEADER_AR = 2,
    HEADER_AL = 3,
    HEADER_BY = 4,
    HEADER_OFFSET = 5,
};

// Time-tag format: 0 writes [mm:ss], any other value [mm:ss.xx].
enum { TIME_FORMAT_SECONDS = 0, TIME_FORMAT_HUNDREDTHS = 1 };

// Longest text FormatTimeTag writes, terminator included ("[71582:47.29]" and less).
constexpr size_t TIME_TAG_BUFFER = 32;

// Position just after the first ch in [start, end), skipping whole characters; nullptr if absent.
const char* ScanForChar(const CCodePage& cp, const char* start, const char* end, char ch);
// Position just past the next CR LF at or after pos; the terminator's position if there is none.
const char* NextLine(const CCodePage& cp, const char* pos);
// Shape rule of a bracket group; afterBracket is the byte after its '['.
bool IsTimeTagShape(const CCodePage& cp, const char* afterBracket, const char* end);
// True if the '[' before afterBracket stands where a time tag may stand.
bool IsTagPosition(const char* scanStart, const char* afterBracket);
// The same, but a ']', CR or LF before the '[' counts only when it is a character of its own
// (not the trail byte of a double-byte character). FindTimeTag uses this one.
bool IsTagPosition(const CCodePage& cp, const char* scanStart, const char* afterBracket);
// Value of the group; false if it is no time tag (also when the time overflows 32 bits).
bool ParseTimeTag(const CCodePage& cp, const char* afterBracket, const char* end, uint32_t* pTime);
// First valid time tag in [start, end): position after its '[' and its time; nullptr if none.
// Offset tags passed on the way are stored into *pOffset.
const char* FindTimeTag(const CCodePage& cp, const char* start, const char* end, uint32_t* pTime,
                        int32_t* pOffset);
// First byte after the run of bracket groups beginning at afterBracket; nullptr if the group
// has no ']'.
const char* SkipTagRun(const CCodePage& cp, const char* afterBracket, const char* end);
// Kind of the header tag whose '[' is at bracket (bytes after it, any letter case).
HeaderKind GetHeaderKind(const char* bracket);
// Start of the first line that begins with a header tag of this kind; nullptr if none.
const char* FindHeaderLine(const CCodePage& cp, const char* text, HeaderKind kind);
// Offset of the first valid offset line, stored into *pOffset too; 0 (and *pOffset untouched)
// if none.
int32_t ReadOffsetTag(const CCodePage& cp, const char* text, int32_t* pOffset);
// Optional sign, digits (maybe none), then ']' or the end of the text.
bool IsOffsetNumber(const char* pos);
// Signed decimal value at pos.
int32_t ParseSignedNumber(const char* pos);
// Writes the tag text (zero-terminated) into out (TIME_TAG_BUFFER bytes); returns its length.
size_t FormatTimeTag(char* out, uint32_t time, int nTimeFormat);
// Keeps only empty lines, tag lines and header lines (trailing blanks removed), in place.
void CleanLyrics(const CCodePage& cp, char* text);
// Rebuilds a cleaned text in place (headers first, offset applied to every tag). text is a
// buffer of LYRICS_CAPACITY bytes. The view's offset is not touched: a caller that wants it
// set from the text calls ReadOffsetTag first. Returns false when the result did not fit: text then
// holds the whole lines that fitted, never part of a line.
bool RebuildLyrics(const CCodePage& cp, char* text, int nTimeFormat);
