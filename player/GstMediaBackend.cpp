// The GStreamer media backend.
#include "player/GstMediaBackend.h"

std::unique_ptr<IMediaBackend> CreateGstMediaBackend(const char*) { return nullptr; }

MediaBackendFactory GstMediaBackendFactory(const char* audioSink) {
    return [audioSink] { return CreateGstMediaBackend(audioSink); };
}
