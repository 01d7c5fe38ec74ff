// The player registry: a doubly linked list of players, newest first, and the state rules of
// play, pause and stop over an abstract media backend.
#include "player/MediaPlayer.h"

#include <cmath>
#include <string>
#include <utility>

#include "platform/CodePage.h"
#include "player/MediaPlayerRegistry.h"

namespace {

CMediaPlayer* g_pHead = nullptr;
MediaBackendFactory g_factory;

CMediaPlayer* FindPlayer(const void* key) {
    for (CMediaPlayer* p = g_pHead; p; p = p->m_pNext)
        if (p->m_pKey == key)
            return p;
    return nullptr;
}

// The player's method for the key, or 0 without a player.
template <typename Result> Result Forward(const void* key, Result (CMediaPlayer::*method)()) {
    CMediaPlayer* p = FindPlayer(key);
    return p ? (p->*method)() : Result(0);
}

void Unlink(CMediaPlayer* p) {
    if (p->m_pNext)
        p->m_pNext->m_pPrev = p->m_pPrev;
    if (p->m_pPrev)
        p->m_pPrev->m_pNext = p->m_pNext;
    if (g_pHead == p)
        g_pHead = p->m_pNext;
    p->m_pNext = p->m_pPrev = nullptr;
}

} // namespace

// Seconds to milliseconds, truncated toward zero, low 32 bits. A negative or undefined value
// from the backend reads as 0 rather than as a huge position.
uint32_t SecondsToMs(double seconds) {
    const double ms = std::trunc(seconds * 1000.0);
    if (!(ms >= 0.0) || ms >= 18446744073709551616.0)
        return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

CMediaPlayer* MediaRegistryHead() {
    return g_pHead;
}

int CMediaPlayer::Init(const void* key, const char* path, int32_t volume, std::string* pWhy) {
    m_pKey = key;
    m_nVolume = volume;
    return BuildGraph(path, pWhy);
}

int CMediaPlayer::BuildGraph(const char* path, std::string* pWhy) {
    std::string strIgnored;
    std::string& why = pWhy ? *pWhy : strIgnored;
    std::u16string wide;
    // File names are the bytes Qt spells in UTF-8, whatever the locale; a path that is no
    // UTF-8 names no file the program could have shown.
    if (!path || !CCodePage().ToUnicode(path, wide) || wide.size() > kMediaMaxPathUnits) {
        why = "the file name is too long or not readable";
        return 0;
    }
    char16_t wszPath[kMediaMaxPathUnits + 1] = {};
    wide.copy(wszPath, wide.size());

    why = "no media framework is available";
    if (!g_factory)
        return 0;
    m_pGraph = g_factory();
    if (!m_pGraph || !MediaSucceeded(m_pGraph->Create())) {
        m_pGraph.reset();
        return 0;
    }
    if (!MediaSucceeded(m_pGraph->RenderFile(wszPath))) {
        if (m_pGraph->GetStatus(&why) != MediaStatus::Failed || why.empty())
            why = "the file cannot be played";
        return 0;
    }
    why = "the media framework cannot control the file";
    if (!MediaSucceeded(m_pGraph->Acquire(MediaInterface::Control)))
        return 0;
    m_bControl = true;
    if (!MediaSucceeded(m_pGraph->Acquire(MediaInterface::Seeking)))
        return 0;
    m_bSeeking = true;
    if (!MediaSucceeded(m_pGraph->Acquire(MediaInterface::Position)))
        return 0;
    m_bPosition = true;
    if (!MediaSucceeded(m_pGraph->Acquire(MediaInterface::Audio)))
        return 0;
    m_bAudio = true;
    why.clear();
    return 1;
}

void CMediaPlayer::ReleaseGraph() {
    if (!m_pGraph)
        return;
    if (m_bControl)
        m_pGraph->Stop();
    const std::pair<bool*, MediaInterface> order[] = {
        {&m_bSeeking, MediaInterface::Seeking},
        {&m_bPosition, MediaInterface::Position},
        {&m_bControl, MediaInterface::Control},
        {&m_bAudio, MediaInterface::Audio},
    };
    for (const auto& [pHeld, which] : order) {
        if (*pHeld)
            m_pGraph->Release(which);
        *pHeld = false;
    }
    m_pGraph->Release(MediaInterface::Graph);
    m_pGraph.reset();
}

int CMediaPlayer::Play() {
    if (!m_bControl)
        return 0;
    if (!MediaSucceeded(m_pGraph->Run()))
        return 0;
    m_state = PlayState::Running;
    return 1;
}

int CMediaPlayer::Pause() {
    if (!m_bControl)
        return 0;
    if (m_state == PlayState::Running && MediaSucceeded(m_pGraph->Pause()))
        m_state = PlayState::Paused;
    return 1;
}

int CMediaPlayer::Stop() {
    if (!m_bControl || !m_bSeeking)
        return 0;
    if (m_state == PlayState::Stopped)
        return 1;
    m_pGraph->Stop();
    m_state = PlayState::Stopped;
    m_pGraph->Rewind();
    m_pGraph->Pause(); // cued at the start; the recorded state stays Stopped
    return 1;
}

uint32_t CMediaPlayer::GetLength() {
    if (!m_bPosition)
        return 0;
    double seconds = 0.0;
    m_pGraph->GetDuration(&seconds);
    return SecondsToMs(seconds);
}

uint32_t CMediaPlayer::GetPosition() {
    if (!m_bPosition)
        return 0;
    double seconds = 0.0;
    m_pGraph->GetPosition(&seconds);
    return SecondsToMs(seconds);
}

int CMediaPlayer::SetPosition(uint32_t ms) {
    if (!m_bPosition)
        return 0;
    m_pGraph->SetPosition(static_cast<double>(ms) * 0.001);
    return 1;
}

void CMediaPlayer::SetVolume(int32_t volume) {
    m_nVolume = volume;
    if (m_pGraph && m_bAudio)
        m_pGraph->SetVolume(volume);
}

int CMediaPlayer::SetRate(double rate) {
    if (!m_bSeeking || !(rate > 0.0))
        return 0;
    return MediaSucceeded(m_pGraph->SetRate(rate)) ? 1 : 0;
}

void MediaSetBackendFactory(MediaBackendFactory factory) {
    g_factory = std::move(factory);
}

void CMediaPlayerDeleter::operator()(CMediaPlayer* pPlayer) const {
    pPlayer->ReleaseGraph();
    delete pPlayer;
}

MediaPreparedPlayer MediaPrepare(const char* path, int32_t volume, std::string* pWhy) {
    MediaPreparedPlayer pPlayer(new CMediaPlayer);
    if (!pPlayer->Init(nullptr, path, volume, pWhy))
        return nullptr;
    return pPlayer;
}

int MediaOpenPrepared(const void* key, MediaPreparedPlayer pPlayer) {
    if (!pPlayer || FindPlayer(key))
        return 0;
    CMediaPlayer* p = pPlayer.release();
    p->m_pKey = key;
    p->m_pNext = g_pHead;
    if (g_pHead)
        g_pHead->m_pPrev = p;
    g_pHead = p;
    return 1;
}

int MediaOpen(const void* key, const char* path, int32_t volume) {
    if (FindPlayer(key))
        return 0;
    return MediaOpenPrepared(key, MediaPrepare(path, volume, nullptr));
}

int MediaClose(const void* key) {
    CMediaPlayer* pPlayer = FindPlayer(key);
    if (!pPlayer)
        return 0;
    Unlink(pPlayer);
    pPlayer->ReleaseGraph();
    delete pPlayer;
    return 1;
}

void MediaCloseAll() {
    while (g_pHead) {
        CMediaPlayer* pPlayer = g_pHead;
        g_pHead = pPlayer->m_pNext;
        if (g_pHead)
            g_pHead->m_pPrev = nullptr;
        pPlayer->ReleaseGraph();
        delete pPlayer;
    }
}

int MediaPlay(const void* key) {
    return Forward(key, &CMediaPlayer::Play);
}
int MediaPause(const void* key) {
    return Forward(key, &CMediaPlayer::Pause);
}
int MediaStop(const void* key) {
    return Forward(key, &CMediaPlayer::Stop);
}
uint32_t MediaGetLength(const void* key) {
    return Forward(key, &CMediaPlayer::GetLength);
}
uint32_t MediaGetPosition(const void* key) {
    return Forward(key, &CMediaPlayer::GetPosition);
}

int MediaSetPosition(const void* key, uint32_t ms) {
    CMediaPlayer* p = FindPlayer(key);
    return p ? p->SetPosition(ms) : 0;
}

void MediaSetVolume(const void* key, int32_t volume) {
    if (CMediaPlayer* p = FindPlayer(key))
        p->SetVolume(volume);
}

MediaStatus MediaGetStatus(const void* key, std::string* pWhy) {
    CMediaPlayer* p = FindPlayer(key);
    if (pWhy)
        pWhy->clear();
    return p && p->m_pGraph && p->m_bControl ? p->m_pGraph->GetStatus(pWhy) : MediaStatus::Ok;
}

int MediaSetRate(const void* key, double rate) {
    CMediaPlayer* p = FindPlayer(key);
    return p ? p->SetRate(rate) : 0;
}
