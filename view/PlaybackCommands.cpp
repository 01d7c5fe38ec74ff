// The song's audio: loading it, the transport commands and the volume commands.
#include "view/PlaybackCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSlider>
#include <algorithm>
#include <climits>
#include <utility>

#include "app/Resource.h"
#include "doc/PlayTime.h"
#include "platform/AllFilesFilter.h"
#include "player/MediaPlayer.h"
#include "view/AudioLoader.h"
#include "view/PlaybackControls.h"
#include "view/VersewrightView.h"

namespace {

constexpr int kPlaybackPeriodMs = 100;
constexpr uint32_t kSeekStepMs = 5000;
constexpr int kVolumeStep = 60;
constexpr int kProgressPage = 5000;
constexpr int kVolumeMin = -2000;
constexpr int kVolumeMax = 0;

QString PlayTimeText(uint32_t nPosition) {
    char szTime[PLAY_TIME_BUFFER] = "";
    FormatPlayTime(szTime, nPosition);
    return QString::fromLatin1(szTime);
}

} // namespace

QString AudioFileFilter() {
    return QStringLiteral("Audio files(*.mp3 *.wma *.mpt *.wav *.mpa *.mp2 *.au *.aif *.aiff "
                          "*.snd *.mid *.midi *.rmi)") +
           QStringLiteral(";;") + QLatin1String(kAllFilesFilter);
}

void CVersewrightView::LoadAudio(const QString& strPath) {
    const QString strName = QFileInfo(strPath).fileName();
    const qsizetype nDot = strName.lastIndexOf(QLatin1Char('.'));
    m_strAudioExt = nDot >= 0 ? strName.mid(nDot).toUpper() : QString();
    m_strAudioName = strName;

    m_nNowTagTime = 0;
    m_nPlayState = PLAY_STOPPED;
    KillPlaybackTimer();
    MediaClose(nullptr); // the song open before stops and goes
    m_bAudioLoaded = 0;
    m_bPlayWhenLoaded = false;
    m_nResumeAt = 0;

    // The window stays live while the song loads; the field shows what is loading.
    m_strAudioPath = strPath;
    SetBarText(IDC_AUDIO_FILE, strPath);
    if (QSlider* pProgress = GetBarSlider(IDC_PROGRESS))
        pProgress->setEnabled(false);
    m_pAudioLoader->Start(QFile::encodeName(strPath),
                          [this, strPath](MediaPreparedPlayer pPlayer, const std::string& strWhy) {
                              OnAudioPrepared(strPath, std::move(pPlayer), strWhy);
                          });
}

bool CVersewrightView::IsAudioLoading() const {
    return m_pAudioLoader->IsLoading();
}

void CVersewrightView::FinishAudioLoading() {
    while (IsAudioLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
}

void CVersewrightView::OnAudioPrepared(const QString& strPath, MediaPreparedPlayer pPlayer,
                                       const std::string& strWhy) {
    QSlider* pProgress = GetBarSlider(IDC_PROGRESS);
    if (MediaOpenPrepared(nullptr, std::move(pPlayer))) {
        m_bAudioLoaded = 1;
        SetBarText(IDC_AUDIO_FILE, strPath);
        FitProgressRange();
        if (pProgress) {
            pProgress->setValue(0);
            pProgress->setPageStep(kProgressPage);
            pProgress->setEnabled(true);
        }
        if (QSlider* pVolume = GetBarSlider(IDC_VOLUME))
            pVolume->setValue(m_nVolume);
        MediaSetVolume(nullptr, m_nVolume); // the volume chosen before carries over
        // And so does the speed, where the song can take it.
        if (m_nSpeedIndex != SPEED_NORMAL_INDEX &&
            !MediaSetRate(nullptr, kSpeedPercents[m_nSpeedIndex] / 100.0))
            m_nSpeedIndex = SPEED_NORMAL_INDEX;
    } else {
        if (pProgress)
            pProgress->setEnabled(false);
        m_bAudioLoaded = 0;
        m_strAudioPath.clear();
        SetBarText(IDC_AUDIO_FILE, QString()); // no name of a song that is not there
        ShowStatusText(QStringLiteral("Cannot open the audio file %1: %2")
                           .arg(QDir::toNativeSeparators(strPath), QString::fromStdString(strWhy)));
    }
    const uint32_t nStart = m_bAudioLoaded ? std::exchange(m_nResumeAt, 0) : 0;
    if (nStart > 0)
        MediaSetPosition(nullptr, nStart);
    UpdatePlayPosition(nStart, true);
    viewport()->update();
    RedrawGutter();
    if (std::exchange(m_bPlayWhenLoaded, false) && m_bAudioLoaded)
        OnPlay();
}

void CVersewrightView::FollowPlayback() {
    const uint32_t nPosition = MediaGetPosition(nullptr);
    std::string strWhy;
    const MediaStatus status = MediaGetStatus(nullptr, &strWhy);
    if (status != MediaStatus::Ok && m_nPlayState == PLAY_PLAYING) {
        // Ended or failed: the transport stands still where the song was last heard.
        KillPlaybackTimer();
        MediaPause(nullptr);
        m_nPlayState = PLAY_STOPPED;
        if (status == MediaStatus::Failed)
            ShowStatusText(
                QStringLiteral("Playback of %1 stopped at %2: %3")
                    .arg(m_strAudioName, PlayTimeText(nPosition), QString::fromStdString(strWhy)));
        FitProgressRange(); // at the real end the length is what was heard
    }
    UpdatePlayPosition(nPosition, status != MediaStatus::Ok);
}

void CVersewrightView::FitProgressRange() {
    QSlider* pProgress = GetBarSlider(IDC_PROGRESS);
    const int nLength = static_cast<int>(std::min<uint32_t>(MediaGetLength(nullptr), INT_MAX));
    if (pProgress && m_bAudioLoaded && pProgress->maximum() != nLength)
        pProgress->setRange(0, nLength);
}

void CVersewrightView::OnOpenAudio() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenAudioDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(AudioFileFilter().split(QStringLiteral(";;")));
    MatchAllFilesWithoutDot(dialog);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        LoadAudio(dialog.selectedFiles().constFirst());
}

void CVersewrightView::OnPlay() {
    if (IsAudioLoading()) {
        m_bPlayWhenLoaded = true; // plays once the song is ready
        return;
    }
    const MediaStatus status = MediaGetStatus(nullptr, nullptr);
    if (status == MediaStatus::Failed) {
        // The failure took the song down: it is set up again off the interface thread (a lost
        // network disk must not freeze the window) and plays on from where it stopped.
        const uint32_t nStopped = MediaGetPosition(nullptr);
        const QString strPath = m_strAudioPath;
        LoadAudio(strPath);
        m_nResumeAt = nStopped;
        m_bPlayWhenLoaded = true;
        return;
    }
    // Played to its end, the song starts again from the start.
    if (status == MediaStatus::Ended)
        MediaSetPosition(nullptr, 0);
    if (!MediaPlay(nullptr)) {
        std::string strWhy;
        MediaGetStatus(nullptr, &strWhy);
        ShowStatusText(QStringLiteral("Cannot play %1: %2")
                           .arg(m_strAudioName, QString::fromStdString(strWhy)));
        return;
    }
    SetPlaybackTimer(kPlaybackPeriodMs);
    m_nPlayState = PLAY_PLAYING;
}

void CVersewrightView::OnUpdatePlay(CCmdUI* pCmdUI) {
    pCmdUI->Enable((m_bAudioLoaded || IsAudioLoading()) && m_nPlayState != PLAY_PLAYING);
}

void CVersewrightView::OnPause() {
    MediaPause(nullptr);
    m_nPlayState = PLAY_PAUSED; // the timer goes on; a still position costs nothing
}

void CVersewrightView::OnUpdatePause(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded && m_nPlayState == PLAY_PLAYING);
}

void CVersewrightView::OnStop() {
    KillPlaybackTimer();
    MediaStop(nullptr); // the player rewinds to 0
    m_nPlayState = PLAY_STOPPED;
    m_nNowTagTime = 0;
    UpdatePlayPosition(0, true);
}

void CVersewrightView::OnUpdateStop(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded && m_nPlayState != PLAY_STOPPED);
}

void CVersewrightView::OnBack() {
    const uint32_t nPosition = MediaGetPosition(nullptr);
    SeekPlayPosition(nPosition >= kSeekStepMs ? nPosition - kSeekStepMs : 0);
}

void CVersewrightView::OnForward() {
    const uint32_t nLength = MediaGetLength(nullptr);
    const uint32_t nPosition = MediaGetPosition(nullptr);
    SeekPlayPosition(nPosition >= nLength || nLength - nPosition < kSeekStepMs
                         ? nLength
                         : nPosition + kSeekStepMs);
}

void CVersewrightView::OnUpdateNeedAudio(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded != 0);
}

void CVersewrightView::OnVolumeUp() {
    StepVolume(kVolumeStep);
}

void CVersewrightView::OnVolumeDown() {
    StepVolume(-kVolumeStep);
}

void CVersewrightView::StepVolume(int nStep) {
    // The slider clamps the value to its range; without a bar the same range applies.
    if (QSlider* pVolume = GetBarSlider(IDC_VOLUME)) {
        pVolume->setValue(pVolume->value() + nStep);
        m_nVolume = pVolume->value();
    } else {
        m_nVolume = std::clamp(m_nVolume + nStep, kVolumeMin, kVolumeMax);
    }
    MediaSetVolume(nullptr, m_nVolume);
}
