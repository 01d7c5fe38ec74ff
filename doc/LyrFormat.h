#pragma once
// The LYR lyrics format: a big-endian header, a table of (time, string) entries sorted by time and
// one zero-terminated copy of the string per entry, padded to blocks of 512 bytes. Also the pieces
// the MPT writer shares with it: the preparation of the editor text, the walk over its timed lines
// and the character-set test.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doc/LrcText.h"
#include "platform/CodePage.h"

constexpr size_t LYR_HEADER_SIZE = 536;   // header up to the first table entry
constexpr size_t LYR_BLOCK = 512;         // file length is a multiple of this
constexpr size_t LYR_STRING_BASE = 512;   // string offsets count from this file byte
constexpr size_t LYR_MAX_ENTRIES = 2048;  // table entries
constexpr size_t LYR_MAX_IMAGE = 29184;   // 57 blocks
constexpr size_t LYR_STRING_POOL = 28672; // bytes for the strings of the lines taken
// The reader never looks past the largest table (65535 entries); strings start below 512 + 65536
// and are looked at for at most 65536 bytes, which ends before that.
constexpr size_t LYR_READ_LIMIT = LYR_HEADER_SIZE + 4 * 0xFFFF;
constexpr uint16_t LYR_TIME_WRITTEN = 0xFFFF; // reader's mark; never stored for a real time
constexpr uint16_t LYR_MAX_TIME = 0xFFFE;     // tenths; later times are stored as this

// 1 if any byte of the text is 0x80 or more, else 2 (the LYR and MPT character-set mark).
int GetTextCharset(const char* text);

// Copies the editor text (at most LYRICS_MAX_TEXT bytes) into buffer (LYRICS_CAPACITY bytes), then
// cleans and rebuilds it with hundredths, so that every tag has one form and the offset line is
// applied to the times and gone. This is the text both binary writers store.
void PrepareExportText(const CCodePage& cp, std::string_view text, char* buffer);

// One line of a prepared text that begins with '[' and holds at least one valid time tag.
struct LyricLine {
    const char* pStart;   // first byte of the line
    const char* pEnd;     // start of the next line (past its CR LF) or the terminator
    const char* pContent; // end of the line's content: its CR LF or the terminator
    const char* pLyric;   // lyric text after the tag run, up to pContent
    size_t nTags;         // number of valid time tags on the line
};

// Finds the next timed line at or after *ppPos and moves *ppPos past it; false at the end.
// Empty lines, lines not beginning with '[' and lines without a valid time tag are passed over.
bool NextLyricLine(const CCodePage& cp, const char** ppPos, LyricLine* pLine);
// Time in ms of the tag after *ppTag on the line (start with *ppTag = nullptr); false when the
// line has no more tags.
bool NextLineTag(const CCodePage& cp, const LyricLine& line, const char** ppTag, uint32_t* pTime);

// Stores one lyric string (length bytes, maybe ending in CR LF) at pool: the final CR LF is
// removed (never a CR that ends a double-byte character of cp), an empty string becomes one
// blank, a zero byte ends it. Returns the position after it.
char* StoreLyrString(const CCodePage& cp, char* pool, const char* text, size_t length);

// Builds the LYR image of a prepared text into image (LYR_MAX_IMAGE bytes); returns its length.
// Lines that do not fit the format's limits are left out with all later lines.
size_t BuildLyr(const CCodePage& cp, const char* text, uint8_t* image);

// The whole LYR file for an editor text: prepared, then built.
std::string BuildLyrFile(const CCodePage& cp, std::string_view text);

// Appends LRC text to a fixed buffer of LYRICS_CAPACITY bytes, whole lines only: a line that
// does not fit is taken back and the writer refuses everything after it.
class CLrcWriter {
public:
    explicit CLrcWriter(char* pOut) : m_pOut(pOut) { m_pOut[0] = '\0'; }

    void Append(const char* p, size_t n);
    void AppendTimeTag(uint32_t time, int nTimeFormat);
    // Ends the current line with CR LF; false (and the line taken back) when it did not fit.
    bool EndLine();
    bool IsFull() const { return m_bFull; }
    size_t Length() const { return m_nLineStart; }

private:
    char* m_pOut;
    size_t m_nLength = 0;
    size_t m_nLineStart = 0;
    bool m_bFull = false;
};

// Copies one stored string up to its zero byte, dropping single CR and LF bytes; a lead byte is
// copied with the rest of its character, and the copy ends at the zero even inside a character.
void AppendLyricText(const CCodePage& cp, CLrcWriter& out, const char* str);

// Converts a LYR image into LRC text in out (LYRICS_CAPACITY bytes), with the tags of each string
// latest first. False (and out empty) when the image is malformed: shorter than its header, a
// table running past the end, or a first entry whose string is not inside the image. Otherwise
// entries are read up to the last sound one (at most LYR_MAX_ENTRIES), and lines up to the last
// that fits; *pCut (if given) tells whether anything was left out that way.
bool ReadLyr(const CCodePage& cp, const uint8_t* image, size_t size, int nTimeFormat, char* out,
             bool* pCut = nullptr);
