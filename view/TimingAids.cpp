// The timing aids of the view: the caret line's first tag nudged by hand, the line replayed
// from a second before its tag, the playback speed, and the tag moves and seeks of the timing
// panel.
#include "doc/TagRetime.h"
#include "player/MediaPlayer.h"
#include "view/PlaybackControls.h"
#include "view/VersewrightView.h"

namespace {
constexpr int32_t kNudgeMs = 100;
constexpr int32_t kFineNudgeMs = 10;
} // namespace

void CVersewrightView::OnNudgeEarlier() {
    NudgeCaretLineTag(-kNudgeMs);
}

void CVersewrightView::OnNudgeLater() {
    NudgeCaretLineTag(kNudgeMs);
}

void CVersewrightView::OnNudgeEarlierFine() {
    NudgeCaretLineTag(-kFineNudgeMs);
}

void CVersewrightView::OnNudgeLaterFine() {
    NudgeCaretLineTag(kFineNudgeMs);
}

void CVersewrightView::NudgeCaretLineTag(int32_t nDelta) {
    CLineCopy copy;
    if (!ReadLine(GetCaretLine(), copy))
        return;
    STagRewrite rewrite;
    if (!NudgeFirstTag(GetTextImage().Page(), copy.sz, copy.nLength, nDelta, &rewrite))
        return;
    // A tag already at zero stays as it is: no edit, no undo step.
    if (std::string_view(copy.sz + rewrite.nStart, rewrite.nEnd - rewrite.nStart) ==
        std::string_view(rewrite.szTag, rewrite.nLength))
        return;
    // The caret stays on its line, so the next nudge moves the same tag.
    const QTextCursor before = textCursor();
    if (!ReplaceBytes(copy.nStartByte + rewrite.nStart, copy.nStartByte + rewrite.nEnd,
                      std::string_view(rewrite.szTag, rewrite.nLength)))
        return;
    setTextCursor(before);
    // Heard at once: playback goes to just before the tag's new time.
    if (m_bAudioLoaded && m_nPlayState == PLAY_PLAYING)
        PlayFrom(ReplayPosition(rewrite.nTime, m_nOffset));
}

void CVersewrightView::OnReplayLine() {
    CLineCopy copy;
    const char* tag = FindFirstTagOfCaretLine(copy);
    if (!tag || !m_bAudioLoaded)
        return;
    uint32_t nTime = 0;
    ParseTimeTag(GetTextImage().Page(), tag, copy.sz + copy.nLength, &nTime);
    PlayFrom(ReplayPosition(nTime, m_nOffset));
}

void CVersewrightView::PlayFrom(uint32_t nPosition) {
    SeekPlayPosition(nPosition);
    if (m_nPlayState != PLAY_PLAYING)
        OnPlay();
}

void CVersewrightView::SeekPlayPosition(uint32_t nPosition) {
    if (!m_bAudioLoaded)
        return;
    MediaSetPosition(nullptr, nPosition);
    UpdatePlayPosition(nPosition, false);
}

void CVersewrightView::OnSlower() {
    StepSpeed(-1);
}

void CVersewrightView::OnFaster() {
    StepSpeed(1);
}

void CVersewrightView::StepSpeed(int nStep) {
    const int nIndex = StepSpeedIndex(m_nSpeedIndex, nStep);
    // Without a song the speed waits for the next one.
    if (!m_bAudioLoaded || MediaSetRate(nullptr, kSpeedPercents[nIndex] / 100.0))
        m_nSpeedIndex = nIndex;
    else
        ShowStatusText(QStringLiteral("%1 cannot be played at another speed").arg(m_strAudioName));
}

bool CVersewrightView::MoveTimeTag(const STimeTagSpan& tag, uint32_t nNewTime) {
    // The panel's list may be older than the text: the bytes there must still be that tag.
    const CTextImage& image = GetTextImage();
    const std::string& text = image.Bytes();
    uint32_t nTime = 0;
    if (tag.nStart + 2 > tag.nEnd || tag.nEnd > text.size() || text[tag.nStart] != '[' ||
        !ParseTimeTag(image.Page(), text.data() + tag.nStart + 1, text.data() + tag.nEnd, &nTime) ||
        nTime != tag.nTime)
        return false;
    const QTextCursor before = textCursor();
    const STagRewrite rewrite = RewriteTag(tag.nStart, tag.nEnd, nNewTime);
    if (!ReplaceBytes(rewrite.nStart, rewrite.nEnd,
                      std::string_view(rewrite.szTag, rewrite.nLength)))
        return false;
    setTextCursor(before);
    return true;
}
