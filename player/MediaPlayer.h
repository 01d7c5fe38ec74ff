#pragma once
// The media player registry: playback instances reached by an opaque key. The program uses
// the null key only. Backend-free: the backend comes from the factory set at start-up.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IMediaBackend;
using MediaBackendFactory = std::function<std::unique_ptr<IMediaBackend>()>;

// The factory every MediaOpen asks for a new backend instance.
void MediaSetBackendFactory(MediaBackendFactory factory);

// path is a file name as the file system spells it (on Linux its bytes, which Qt writes in
// UTF-8), whatever the locale.
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

// How playback stands: Ended once the song has played to its end (the position and the length
// then read where it really stopped), Failed after a decode error, a lost audio device or a
// stream that stopped delivering (the position stays at the last good one, and Play tries again
// from there). pWhy, when given, receives what failed. Ok without a player.
enum class MediaStatus { Ok, Ended, Failed };
MediaStatus MediaGetStatus(const void* key, std::string* pWhy);
