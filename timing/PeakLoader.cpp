#include "timing/PeakLoader.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

CPeakLoader::CPeakLoader(QObject* pParent) : QObject(pParent) {}

CPeakLoader::~CPeakLoader() {
    StopWorker();
}

QString CPeakLoader::CacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Versewright/peaks");
}

void CPeakLoader::StopWorker() {
    if (!m_worker.joinable())
        return;
    m_bCancel = true;
    m_worker.join();
    m_bCancel = false;
}

void CPeakLoader::Load(const QString& strPath) {
    StopWorker();
    ++m_nGeneration;
    m_strPath = strPath;
    m_bins.clear();
    m_strError.clear();
    m_state = strPath.isEmpty() ? EState::None : EState::Reading;
    if (!strPath.isEmpty()) {
        // A folder that cannot be made only means nothing is cached.
        const QString strFolder = CacheFolder();
        QDir().mkpath(strFolder);
        const std::string strSong = ToFileName(strPath);
        const std::string strCache =
            ToFileName(strFolder + QLatin1Char('/')) + PeakCacheFileName(strSong);
        m_worker = std::thread(&CPeakLoader::Work, this, m_nGeneration, strSong, strCache);
    }
    if (m_onChanged)
        m_onChanged();
}

void CPeakLoader::Work(uint64_t nGeneration, std::string strSong, std::string strCache) {
    SPeakSource source;
    const bool bKnown = ReadPeakSource(strSong, &source);
    uint32_t nBinMs = PEAK_BIN_MS;
    std::vector<SPeakBin> bins;
    if (bKnown && LoadPeakCache(strCache, source, &nBinMs, &bins)) {
        Post(nGeneration, EState::Ready, std::move(bins), nBinMs, QString());
        return;
    }
    std::string strError;
    const auto progress = [&](const std::vector<SPeakBin>& partial) {
        Post(nGeneration, EState::Reading, partial, PEAK_BIN_MS, QString());
    };
    if (!DecodePeaks(strSong, PEAK_BIN_MS, &m_bCancel, progress, &bins, strError)) {
        if (!m_bCancel)
            Post(nGeneration, EState::Failed, {}, PEAK_BIN_MS, QString::fromStdString(strError));
        return;
    }
    // The file may have changed while it was read: then the entry would stand for the new one.
    SPeakSource after;
    if (bKnown && ReadPeakSource(strSong, &after) && after.nSize == source.nSize &&
        after.nModifiedNs == source.nModifiedNs)
        SavePeakCache(strCache, source, PEAK_BIN_MS, bins);
    Post(nGeneration, EState::Ready, std::move(bins), PEAK_BIN_MS, QString());
}

void CPeakLoader::Post(uint64_t nGeneration, EState state, std::vector<SPeakBin> bins,
                       uint32_t nBinMs, QString strError) {
    QMetaObject::invokeMethod(
        this,
        [this, nGeneration, state, bins = std::move(bins), nBinMs,
         strError = std::move(strError)]() mutable {
            if (nGeneration != m_nGeneration)
                return;
            m_state = state;
            m_bins = std::move(bins);
            m_nBinMs = nBinMs;
            m_strError = std::move(strError);
            if (state != EState::Reading && m_worker.joinable())
                m_worker.join(); // it has nothing left to do
            if (m_onChanged)
                m_onChanged();
        },
        Qt::QueuedConnection);
}
