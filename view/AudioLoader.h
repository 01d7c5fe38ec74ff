#pragma once
// Opens songs off the interface thread: the media framework's start-up and the wait until a file
// is ready to play never hold the window. The result comes back on the thread of the context
// object, in the order the loads were started; a load overtaken by a later one is dropped.

#include <QByteArray>
#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "player/MediaPlayer.h"

class CAudioLoader {
public:
    // pWhy is empty when the player was prepared.
    using Done = std::function<void(MediaPreparedPlayer pPlayer, const std::string& strWhy)>;

    explicit CAudioLoader(QObject* pContext) : m_pContext(pContext) {}
    // Waits for the loads under way; their results are dropped.
    ~CAudioLoader();
    CAudioLoader(const CAudioLoader&) = delete;
    CAudioLoader& operator=(const CAudioLoader&) = delete;

    // Prepares a player for the file (its name as the file system spells it); done runs on the
    // context's thread unless Start is called again first.
    void Start(const QByteArray& path, Done done);
    bool IsLoading() const { return m_bLoading; }

private:
    struct CWorker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> pFinished;
    };
    void JoinFinished();

    QObject* m_pContext;
    uint64_t m_nGeneration = 0;
    bool m_bLoading = false;
    std::vector<CWorker> m_workers;
};
