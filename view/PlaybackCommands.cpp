// The song's audio: loading it, the transport commands and the volume commands.
#include "view/PlaybackCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSlider>
#include <algorithm>
#include <climits>

#include "app/Resource.h"
#include "platform/AllFilesFilter.h"
#include "player/MediaPlayer.h"
#include "view/PlaybackControls.h"
#include "view/VersewrightView.h"

namespace {

constexpr int kPlaybackPeriodMs = 100;
constexpr uint32_t kSeekStepMs = 5000;
constexpr int kVolumeStep = 60;
constexpr int kProgressPage = 5000;
constexpr int kVolumeMin = -2000;
constexpr int kVolumeMax = 0;

enum { PLAY_STOPPED = 0, PLAY_PLAYING = 1, PLAY_PAUSED = 2 };

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

    m_strAudioPath = strPath;
    QSlider* pProgress = GetBarSlider(IDC_PROGRESS);
    if (MediaOpen(nullptr, strPath.toUtf8().constData(), 0)) {
        m_bAudioLoaded = 1;
        SetBarText(IDC_AUDIO_FILE, strPath);
        if (pProgress) {
            pProgress->setValue(0);
            const uint32_t nLength = MediaGetLength(nullptr);
            pProgress->setRange(0, static_cast<int>(std::min<uint32_t>(nLength, INT_MAX)));
            pProgress->setPageStep(kProgressPage);
            pProgress->setEnabled(true);
        }
        if (QSlider* pVolume = GetBarSlider(IDC_VOLUME))
            pVolume->setValue(m_nVolume);
        MediaSetVolume(nullptr, m_nVolume); // the volume chosen before carries over
        if (m_nSpeedIndex != SPEED_NORMAL_INDEX) // and so does the speed
            MediaSetRate(nullptr, kSpeedPercents[m_nSpeedIndex] / 100.0);
    } else {
        if (pProgress)
            pProgress->setEnabled(false);
        m_bAudioLoaded = 0;
        m_strAudioPath.clear();
    }
    UpdatePlayPosition(0, true);
    viewport()->update();
    RedrawGutter();
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
    if (!MediaPlay(nullptr))
        return;
    SetPlaybackTimer(kPlaybackPeriodMs);
    m_nPlayState = PLAY_PLAYING;
}

void CVersewrightView::OnUpdatePlay(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded && m_nPlayState != PLAY_PLAYING);
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
    const uint32_t nTarget = nPosition >= kSeekStepMs ? nPosition - kSeekStepMs : 0;
    MediaSetPosition(nullptr, nTarget);
    UpdatePlayPosition(nTarget, false);
}

void CVersewrightView::OnForward() {
    const uint32_t nLength = MediaGetLength(nullptr);
    const uint32_t nPosition = MediaGetPosition(nullptr);
    const uint32_t nTarget = nPosition >= nLength || nLength - nPosition < kSeekStepMs
                                 ? nLength
                                 : nPosition + kSeekStepMs;
    MediaSetPosition(nullptr, nTarget);
    UpdatePlayPosition(nTarget, false);
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
