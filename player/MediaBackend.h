#pragma once
// What the player registry needs of a media framework: one instance per opened file.
// Every operation returns a status that counts as success when it is not negative.

#include <cstdint>
#include <string>

#include "player/MediaPlayer.h"

// The handles a player holds on its backend; each is acquired once and released once.
enum class MediaInterface { Graph, Control, Seeking, Position, Audio };

class IMediaBackend {
public:
    virtual ~IMediaBackend() = default;

    // Builds the (empty) playback graph; the Graph handle is held from here on.
    virtual int Create() = 0;
    // Prepares the file for playback; path is zero-terminated UTF-16.
    virtual int RenderFile(const char16_t* path) = 0;
    // Control, Seeking, Position or Audio.
    virtual int Acquire(MediaInterface which) = 0;
    virtual void Release(MediaInterface which) = 0;

    virtual int Run() = 0;
    virtual int Pause() = 0;
    virtual int Stop() = 0;
    // Back to the start, no stop position.
    virtual int Rewind() = 0;

    virtual int GetDuration(double* pSeconds) = 0;
    virtual int GetPosition(double* pSeconds) = 0;
    virtual int SetPosition(double seconds) = 0;
    // Hundredths of a decibel, 0 full volume.
    virtual int SetVolume(int32_t volume) = 0;

    // Whether playback ended or failed since the last Run or seek; pWhy may be null.
    virtual MediaStatus GetStatus(std::string* pWhy) {
        (void)pWhy;
        return MediaStatus::Ok;
    }
    // Playback speed, 1.0 normal; positions stay in the song's time. A backend that cannot
    // change speed plays at 1.0 only.
    virtual int SetRate(double rate) { return rate == 1.0 ? 0 : -1; }
};

inline bool MediaSucceeded(int status) {
    return status >= 0;
}
