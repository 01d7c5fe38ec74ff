#pragma once
// The true play length of an MPEG audio stream (MP3, also layers I and II), from its frame
// headers: the frame count of a Xing/Info or VBRI header when the stream's size agrees with the
// header's byte count, else a walk over every frame. Works on a file region so it serves plain
// files and streams behind a header.

#include <cstdint>
#include <string>

// Frame header fields that matter for length and for keeping in sync.
struct Mp3FrameHeader {
    int nVersion = 0; // 1: MPEG-1, 2: MPEG-2, 3: MPEG-2.5
    int nLayer = 0;   // 1, 2 or 3
    int nSampleRate = 0;
    int nSamples = 0;    // samples per frame
    int nFrameBytes = 0; // whole frame, header included
    bool bMono = false;
};

// Parses the four bytes at p; false when they are not a usable frame header (free format
// bit rates are not usable: their frame length is not in the header).
bool Mp3ParseHeader(const unsigned char* p, Mp3FrameHeader& out);

// Length in seconds of the MPEG audio stream in [offset, end of file) of the file at path
// (a file-system path). False when the region does not start, after any ID3v2 tags, with a
// run of valid MPEG audio frames.
bool Mp3ScanLength(const std::string& path, uint64_t offset, double& seconds);
