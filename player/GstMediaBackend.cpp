// The GStreamer media backend.
#include "player/GstMediaBackend.h"

#include <string>

std::unique_ptr<IMediaBackend> CreateGstMediaBackend(const char*) {
    return nullptr;
}

MediaBackendFactory GstMediaBackendFactory(const char* audioSink) {
    const bool bDefault = audioSink == nullptr;
    const std::string strSink = bDefault ? std::string() : std::string(audioSink);
    return
        [bDefault, strSink] { return CreateGstMediaBackend(bDefault ? nullptr : strSink.c_str()); };
}
