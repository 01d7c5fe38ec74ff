#pragma once
// The ID3v1 tag: the fixed 128-byte trailer of an audio file. Its fields are bytes as they
// stand; no conversion is made here.

// Size of each output buffer: 30 field bytes and a terminator.
constexpr int ID3V1_FIELD_BUFFER = 31;

// Empties title, artist and album (each ID3V1_FIELD_BUFFER bytes), then fills them from the
// file's ID3v1 tag, trailing blanks removed. 1 if the file could be opened (tag or not), else 0.
int ReadId3v1Tag(const char* path, char* title, char* artist, char* album);

// Removes trailing blanks (0x20 only) from a terminated string in place.
void TrimTrailingSpaces(char* text);
