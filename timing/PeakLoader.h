#pragma once
// Gets a song's waveform outline without ever holding up the window: from the cache folder when
// an entry for the file as it is now exists, else by decoding the song on a thread of its own,
// handing over what is done as it goes and keeping the result in the cache.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "player/WavePeaks.h"

class CPeakLoader : public QObject {
public:
    enum class EState { None, Reading, Ready, Failed };

    explicit CPeakLoader(QObject* pParent = nullptr);
    ~CPeakLoader() override;

    // Starts on a song (empty: none); what the previous song was doing stops.
    void Load(const QString& strPath);
    const QString& Path() const { return m_strPath; }
    EState State() const { return m_state; }
    const QString& Error() const { return m_strError; }
    const std::vector<SPeakBin>& Bins() const { return m_bins; }
    uint32_t BinMs() const { return m_nBinMs; }

    // Called on the interface thread whenever the bins or the state changed.
    void SetOnChanged(std::function<void()> onChanged) { m_onChanged = std::move(onChanged); }

    // Folder of the cache entries ($XDG_CACHE_HOME/Versewright/peaks).
    static QString CacheFolder();

private:
    void StopWorker();
    // Runs on the worker thread.
    void Work(uint64_t nGeneration, std::string strSong, std::string strCache);
    // Hands a result to the interface thread; dropped there if another song came meanwhile.
    void Post(uint64_t nGeneration, EState state, std::vector<SPeakBin> bins, uint32_t nBinMs,
              QString strError);

    QString m_strPath;
    EState m_state = EState::None;
    QString m_strError;
    std::vector<SPeakBin> m_bins;
    uint32_t m_nBinMs = PEAK_BIN_MS;
    std::function<void()> m_onChanged;

    uint64_t m_nGeneration = 0;
    std::atomic<bool> m_bCancel{false};
    std::thread m_worker;
};
