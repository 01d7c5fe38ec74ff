#pragma once
// The length of an audio file read from the file itself, without playing it: MP3 (and the
// stream behind an MPT header) by the frame scan the player uses, WAV from its header.

#include <cstdint>
#include <string>
#include <string_view>

// Length in seconds of a RIFF WAVE image: its data chunk's size over the byte rate of its
// format chunk (head holds at least the chunks before the data; fileSize bounds a data chunk
// that claims more than the file has). False when head is no WAVE file or names no byte rate.
bool WavLength(std::string_view head, uint64_t fileSize, double& seconds);

// Length in milliseconds (truncated, as the player reports it) of the audio file at path, told
// by its extension (.mp3, .mpt, .wav in any letter case). False, with the reason, otherwise.
bool AudioFileLength(const std::string& path, uint32_t& ms, std::string& error);
