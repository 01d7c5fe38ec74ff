#pragma once
// Feeds the tail of a file, from a byte offset on, into a GStreamer appsrc as a seekable byte
// stream: how an audio stream behind a lyrics header is played.

#include <cstdint>
#include <mutex>
#include <string>

typedef struct _GstElement GstElement;

class CGstFileRegionSource {
public:
    CGstFileRegionSource() = default;
    ~CGstFileRegionSource();
    CGstFileRegionSource(const CGstFileRegionSource&) = delete;
    CGstFileRegionSource& operator=(const CGstFileRegionSource&) = delete;

    // Opens the file (file-system path); false when it cannot be read or offset is past its end.
    bool Open(const std::string& path, uint64_t offset);
    // Sets up an appsrc (from playbin's source-setup) to read from this region. The source
    // must outlive the appsrc's streaming.
    void Attach(GstElement* appsrc);

private:
    static void OnNeedData(GstElement* appsrc, unsigned int length, void* self);
    static int OnSeekData(GstElement* appsrc, uint64_t offset, void* self);

    std::mutex m_mutex; // the streaming thread reads; Open and the destructor run on the caller's
    int m_fd = -1;
    uint64_t m_nOffset = 0; // where the region starts in the file
    uint64_t m_nSize = 0;   // bytes in the region
    uint64_t m_nPos = 0;    // next byte to hand out, within the region
};

// Where the audio stream of the file at path starts, by MptAudioStart: 0 for a file that is no
// MPT file or cannot be read, -1 for an MPT file with no audio to play.
int64_t MptAudioOffset(const std::string& path);
