#pragma once
// Following the song through the lyrics: the now tag (the time tag with the greatest value not
// after the effective play time, the later one on equal values), the tags before and after it,
// and the texts the control bar shows for it. Each function makes one forward pass over a
// lyrics text [text, text + length) in its code page; nothing allocates except the field text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

// Where the now tag and its lyric lie in the text, as byte offsets from the text's start.
struct SNowTag {
    uint32_t nTime = 0;     // value in milliseconds
    size_t nTagStart = 0;   // its '['
    size_t nTagEnd = 0;     // just past its ']'
    size_t nLyricStart = 0; // just past the run of bracket groups that begins with it
    size_t nLyricEnd = 0;   // the CR LF that ends its line, or the end of the text
    size_t nCaret = 0;      // start of the next non-empty line, or the end of the text
};

// Finds the now tag for a play position. The target is the effective time of position with
// *pOffset as it stands on entry; *pOffset is then reset to 0 and picks up every valid offset
// tag the scan passes. *pHasTags tells whether the text holds any time tag. False when no tag
// lies at or before the target.
bool FindNowTagInText(const CCodePage& cp, const char* text, size_t length, uint32_t position,
                      int32_t* pOffset, bool* pHasTags, SNowTag* pTag);

// Greatest tag value below nowTime; false if none. *pOffset picks up the offset tags passed.
bool FindPrevTagTime(const CCodePage& cp, const char* text, size_t length, uint32_t nowTime,
                     int32_t* pOffset, uint32_t* pTime);
// Smallest tag value above nowTime and not past audioLength; false if none.
bool FindNextTagTime(const CCodePage& cp, const char* text, size_t length, uint32_t nowTime,
                     uint32_t audioLength, int32_t* pOffset, uint32_t* pTime);
// True if some tag has the value nowTime (the scan stops at the first one).
bool HasTagOfTime(const CCodePage& cp, const char* text, size_t length, uint32_t nowTime,
                  int32_t* pOffset);

// One time tag of a text: its bytes from '[' to just past ']', its value and its zero-based line.
struct STimeTagSpan {
    size_t nStart = 0;
    size_t nEnd = 0;
    uint32_t nTime = 0;
    int nLine = 0;
};
// Every time tag of the text, in text order. *pOffset picks up the offset tags passed.
std::vector<STimeTagSpan> ListTimeTags(const CCodePage& cp, const char* text, size_t length,
                                       int32_t* pOffset);

// Zero-based line that holds byte pos: the number of CR LF pairs that end before it.
int LineOfPosition(const CCodePage& cp, const char* text, size_t pos);

// The bytes of the now tag ("[" to "]") and of its lyric.
std::string_view NowTagText(const char* text, const SNowTag& tag);
std::string_view NowTagLyric(const char* text, const SNowTag& tag);
// The now-tag field: " [offset:N] " (or " " when the offset is 0), the tag, " ", the lyric.
std::string NowTagFieldText(int32_t offset, std::string_view tag, std::string_view lyric);
