#pragma once
// One playback instance of the player registry and the registry's list head. The public API is
// in MediaPlayer.h; this is for the registry itself and for tests that inspect the list.

#include <cstdint>
#include <memory>
#include <string>

#include "player/MediaBackend.h"

enum class PlayState : int32_t { Stopped = 0, Paused = 1, Running = 2 };

class CMediaPlayer {
public:
    CMediaPlayer* m_pNext = nullptr;
    CMediaPlayer* m_pPrev = nullptr;
    const void* m_pKey = nullptr;
    int32_t m_nVolume = 0;
    PlayState m_state = PlayState::Stopped;

    // The backend instance is the graph; the flags tell which of its handles are held.
    std::unique_ptr<IMediaBackend> m_pGraph;
    bool m_bControl = false;
    bool m_bAudio = false;
    bool m_bSeeking = false;
    bool m_bPosition = false;

    int Init(const void* key, const char* path, int32_t volume, std::string* pWhy = nullptr);
    // pWhy, when given, receives why the graph could not be built.
    int BuildGraph(const char* path, std::string* pWhy = nullptr);
    void ReleaseGraph();

    int Play();
    int Pause();
    int Stop();
    uint32_t GetLength();
    uint32_t GetPosition();
    int SetPosition(uint32_t ms);
    void SetVolume(int32_t volume);
    int SetRate(double rate);
};

// Head of the registry list, null when empty.
CMediaPlayer* MediaRegistryHead();

// The longest path MediaOpen accepts, in UTF-16 units without the terminator.
constexpr size_t kMediaMaxPathUnits = 259;
