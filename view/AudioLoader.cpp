// Songs prepared on worker threads and handed back to the interface thread.
#include "view/AudioLoader.h"

#include <QMetaObject>

CAudioLoader::~CAudioLoader() {
    ++m_nGeneration;
    for (CWorker& worker : m_workers)
        worker.thread.join();
}

void CAudioLoader::Start(const QByteArray& path, Done done) {
    JoinFinished();
    const uint64_t nGeneration = ++m_nGeneration;
    m_bLoading = true;
    auto pFinished = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, path, done = std::move(done), nGeneration, pFinished] {
        std::string strWhy;
        // Shared: Qt copies the functor that carries it across threads.
        std::shared_ptr<MediaPreparedPlayer> pResult =
            std::make_shared<MediaPreparedPlayer>(MediaPrepare(path.constData(), 0, &strWhy));
        if (!*pResult && strWhy.empty())
            strWhy = "the file cannot be played";
        QMetaObject::invokeMethod(
            m_pContext,
            [this, done, nGeneration, pResult, strWhy] {
                if (nGeneration != m_nGeneration)
                    return; // overtaken; the player is released with the last copy
                m_bLoading = false;
                done(std::move(*pResult), strWhy);
            },
            Qt::QueuedConnection);
        *pFinished = true;
    });
    m_workers.push_back({std::move(thread), std::move(pFinished)});
}

void CAudioLoader::JoinFinished() {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (*it->pFinished) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}
