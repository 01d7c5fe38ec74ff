#pragma once
// The media player registry: playback instances reached by an opaque key. The program uses
// the null key only. Backend-free: the backend comes from the factory set at start-up.

#include <cstdint>
#include <functional>
#include <memory>

class IMediaBackend;
using MediaBackendFactory = std::function<std::unique_ptr<IMediaBackend>()>;

// The factory every MediaOpen asks for a new backend instance.
void MediaSetBackendFactory(MediaBackendFactory factory);

int MediaOpen(const void* key, const char* path, int32_t volume);
int MediaClose(const void* key);
void MediaCloseAll();
int MediaPlay(const void* key);
int MediaPause(const void* key);
int MediaStop(const void* key);
uint32_t MediaGetLength(const void* key);
uint32_t MediaGetPosition(const void* key);
int MediaSetPosition(const void* key, uint32_t ms);
void MediaSetVolume(const void* key, int32_t volume);
// Playback speed (1.0 normal), pitch kept; 1 on success, 0 without a player or when the backend
// cannot play at that speed.
int MediaSetRate(const void* key, double rate);
