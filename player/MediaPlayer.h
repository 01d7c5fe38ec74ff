#pragma once
// The media player registry: playback instances reached by an opaque key. The program uses
// the null key only. Backend-free: the backend comes from the factory set at start-up.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IMediaBackend;
class CMediaPlayer;
using MediaBackendFactory = std::function<std::unique_ptr<IMediaBackend>()>;

// The factory every MediaOpen asks for a new backend instance.
void MediaSetBackendFactory(MediaBackendFactory factory);

// path is a file name as the file system spells it (on Linux its bytes, which Qt writes in
// UTF-8), whatever the locale.
int MediaOpen(const void* key, const char* path, int32_t volume);

// Opening in two steps, so that the slow part can run off the interface thread: MediaPrepare
// builds a player for the file on any thread (it touches no registry; pWhy, when given, receives
// why it failed), MediaOpenPrepared registers it under the key on the registry's thread (0 when
// there is no player or the key is taken; the player is then released). MediaOpen does both.
struct CMediaPlayerDeleter {
    void operator()(CMediaPlayer* pPlayer) const;
};
using MediaPreparedPlayer = std::unique_ptr<CMediaPlayer, CMediaPlayerDeleter>;
MediaPreparedPlayer MediaPrepare(const char* path, int32_t volume, std::string* pWhy);
int MediaOpenPrepared(const void* key, MediaPreparedPlayer pPlayer);

int MediaClose(const void* key);
void MediaCloseAll();
int MediaPlay(const void* key);
int MediaPause(const void* key);
int MediaStop(const void* key);
// Seconds as the player reports them: milliseconds truncated toward zero, low 32 bits; a
// negative or undefined value reads as 0.
uint32_t SecondsToMs(double seconds);

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
// Playback speed (1.0 normal), pitch kept; 1 on success, 0 without a player or when the backend
// cannot play at that speed.
int MediaSetRate(const void* key, double rate);
