// Following the playing song: the playback timer, the position display in the control bar, the
// now tag with its caret jump, and the commands that go to the previous, next and now tag.
#include <QSlider>
#include <QTextCursor>
#include <QTimerEvent>
#include <climits>

#include "app/Resource.h"
#include "doc/NowTag.h"
#include "doc/PlayTime.h"
#include "player/MediaPlayer.h"
#include "view/PlaybackControls.h"
#include "view/VersewrightView.h"

void CVersewrightView::timerEvent(QTimerEvent* pEvent) {
    if (pEvent->timerId() == m_timerPlayback.timerId())
        OnTimer(IDT_PLAYBACK);
    CEditView::timerEvent(pEvent);
}

void CVersewrightView::OnTimer(int nIDEvent) {
    if (nIDEvent == IDT_PLAYBACK)
        FollowPlayback();
}

void CVersewrightView::SetPlaybackTimer(int nIntervalMs) {
    m_nPlaybackInterval = nIntervalMs;
    m_timerPlayback.start(nIntervalMs, this);
}

void CVersewrightView::KillPlaybackTimer() {
    m_timerPlayback.stop();
}

void CVersewrightView::UpdatePlayPosition(uint32_t nPosition, bool bForce) {
    if (!m_positionGate.PassTenth(nPosition, bForce))
        return;
    if (m_positionGate.PassSecond(nPosition)) {
        char szTime[PLAY_TIME_BUFFER] = "";
        if (m_bAudioLoaded)
            FormatPlayTime(szTime, nPosition);
        SetBarText(IDC_PROGRESS_TIME, QString::fromLatin1(szTime));
        if (QSlider* pProgress = GetBarSlider(IDC_PROGRESS))
            pProgress->setValue(static_cast<int>(std::min<uint32_t>(nPosition, INT_MAX)));
    }
    std::string strTag;
    std::string strLyric;
    if (FindNowTag(strTag, strLyric, nPosition) == NowTagScan::Changed) {
        SetBarText(IDC_NOW_TAG, QString::fromStdU16String(GetTextImage().Decode(
                                    NowTagFieldText(m_nOffset, strTag, strLyric))));
        setFocus();
    }
}

CVersewrightView::NowTagScan
CVersewrightView::FindNowTag(std::string& strTag, std::string& strLyric, uint32_t nPosition) {
    const CTextImage& image = GetTextImage();
    const std::string& text = image.Bytes();
    const CCodePage& cp = image.Page();
    strTag.clear();
    strLyric.clear();
    int32_t nOffset = m_nOffset;
    bool bHasTags = false;
    SNowTag now;
    const bool bFound =
        FindNowTagInText(cp, text.data(), text.size(), nPosition, &nOffset, &bHasTags, &now);
    m_nOffset = nOffset;
    m_bHasTags = bHasTags;
    if (!bFound) {
        if (m_nNowTagLine == -1)
            return NowTagScan::None;
        m_nNowTagLine = -1;
        RedrawGutter();
        SetBarText(IDC_NOW_TAG, QString());
        return NowTagScan::None;
    }
    strTag = NowTagText(text.data(), now);
    strLyric = NowTagLyric(text.data(), now);
    const int nLine = image.LineOfByte(now.nTagEnd);
    if (nLine == m_nNowTagLine && now.nTime == m_nNowTagTime)
        return NowTagScan::Unchanged;
    m_nNowTagLine = nLine;
    m_nNowTagTime = now.nTime;
    // The caret target starts a line, or is the end of the text.
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(image.PositionOfByte(now.nCaret)));
    setTextCursor(cursor);
    ensureCursorVisible();
    RedrawGutter();
    return NowTagScan::Changed;
}

void CVersewrightView::SeekToTag(uint32_t nTagTime) {
    SeekPlayPosition(PlayPositionOfTag(nTagTime));
}

void CVersewrightView::OnPrevTag() {
    const CTextImage& image = GetTextImage();
    const std::string& text = image.Bytes();
    int32_t nOffset = m_nOffset;
    uint32_t nTime = 0;
    const bool bFound =
        FindPrevTagTime(image.Page(), text.data(), text.size(), m_nNowTagTime, &nOffset, &nTime);
    m_nOffset = nOffset;
    if (bFound)
        SeekToTag(nTime);
}

void CVersewrightView::OnNextTag() {
    const CTextImage& image = GetTextImage();
    const std::string& text = image.Bytes();
    int32_t nOffset = m_nOffset;
    uint32_t nTime = 0;
    const bool bFound = FindNextTagTime(image.Page(), text.data(), text.size(), m_nNowTagTime,
                                        MediaGetLength(nullptr), &nOffset, &nTime);
    m_nOffset = nOffset;
    if (bFound)
        SeekToTag(nTime);
}

void CVersewrightView::OnNowTag() {
    const CTextImage& image = GetTextImage();
    const std::string& text = image.Bytes();
    int32_t nOffset = m_nOffset;
    const bool bFound =
        HasTagOfTime(image.Page(), text.data(), text.size(), m_nNowTagTime, &nOffset);
    m_nOffset = nOffset;
    if (bFound)
        SeekToTag(m_nNowTagTime);
}

void CVersewrightView::OnUpdateTagNavigation(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded && m_bHasTags);
}
