#pragma once
// The MPT format: a little-endian lyrics header (audio file name, song length, one record per
// time tag with the lyric in rows of at most 16 bytes) in front of an unchanged MP3 stream.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

constexpr size_t MPT_HEADER_CAPACITY = 65536; // the header always ends before this
constexpr size_t MPT_READ_LIMIT = 65536;      // bytes of an MPT file read for its lyrics
constexpr size_t MPT_FIXED_SIZE = 19;         // header fields before the audio file name
constexpr size_t MPT_MAX_NAME = 259;          // bytes of the audio file name
constexpr size_t MPT_RECORD_HEAD = 6;         // record length and time
constexpr size_t MPT_ROW = 16;                // bytes per lyric row
constexpr size_t MPT_MAX_ENTRIES = 2048;
constexpr uint32_t MPT_TIME_WRITTEN = 0xFFFFFFFF; // reader's mark

// Writes the lyric text [text, end) in rows of at most 16 bytes separated by CR LF, never
// splitting a character. Returns the length of the wrapped text; only the bytes that fit into
// capacity are written.
size_t WrapMptText(const CCodePage& cp, const char* text, const char* end, char* out,
                   size_t capacity);

// Builds the header for a prepared text into header (MPT_HEADER_CAPACITY bytes) and returns its
// length H. name is the audio file's name without folder; it is cut to MPT_MAX_NAME bytes at a
// character boundary. Records that would reach the capacity are left out with all later ones.
size_t BuildMptHeader(const CCodePage& cp, const char* text, std::string_view name,
                      uint32_t nSongLengthMs, uint8_t* header);

// Where the audio of a file starts, from its first bytes (head) and its size: 0 when it has no
// "MPT" mark at byte 4; for an MPT file the header length (its first two bytes, little-endian)
// when the header holds at least the fixed fields and leaves audio after it, else -1 (no audio
// to play). The player and the MPT writer both go by this.
int64_t MptAudioStart(std::string_view head, uint64_t nFileSize);

// Length of the MPT header that audio data starts with, or 0 when it has none or a broken one:
// an MPT file saved over an MPT file keeps only the audio stream.
size_t ExistingMptHeaderLength(std::string_view audio);

// The whole MPT file for an editor text: the text prepared, the header built, then the audio
// stream (audio without any MPT header of its own).
std::string BuildMptFile(const CCodePage& cp, std::string_view text, std::string_view name,
                         uint32_t nSongLengthMs, std::string_view audio);

// Converts the lyric records of an MPT header into LRC text in out (LYRICS_CAPACITY bytes), one
// line per distinct text with its tags earliest first. False (and out empty) when the data is
// shorter than the fixed header or holds records but not even the first is sound; otherwise
// records are read up to the last sound one, and lines up to the last that fits.
bool ReadMpt(const CCodePage& cp, const uint8_t* data, size_t size, int nTimeFormat, char* out);
