#pragma once
// The media backend over GStreamer's playbin, audio only.

#include <memory>

#include "player/MediaBackend.h"
#include "player/MediaPlayer.h"

typedef struct _GstElement GstElement;

// A new backend instance. audioSink names the sink element to play into; nullptr takes the
// default (autoaudiosink, which falls back to a clock-synced null sink without a sound device).
// A "fakeaudiosink" is made clock-synced. Initialises GStreamer on first use; null when
// GStreamer cannot be initialised.
std::unique_ptr<IMediaBackend> CreateGstMediaBackend(const char* audioSink = nullptr);

// Starts GStreamer for this process once, from any thread (a second caller waits for the first),
// and chooses the elements the program's songs play through. False when it cannot start.
bool InitGStreamer();

// A factory for MediaSetBackendFactory making GStreamer backends with the given sink.
MediaBackendFactory GstMediaBackendFactory(const char* audioSink = nullptr);

// The playbin of a backend made by CreateGstMediaBackend (null before Create), for inspection.
GstElement* GstMediaBackendPipeline(IMediaBackend* pBackend);
