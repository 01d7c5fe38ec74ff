// The timing aids of the view: the caret line's first tag nudged by hand, the line replayed
// from a second before its tag, the playback speed, and the tag moves and seeks of the timing
// panel.
#include <QTextBlock>

#include "doc/TagRetime.h"
#include "player/MediaPlayer.h"
#include "view/VersewrightView.h"

namespace {
constexpr int32_t kNudgeMs = 100;
constexpr int32_t kFineNudgeMs = 10;
enum { PLAY_PLAYING = 1 };
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
    if (!NudgeFirstTag(GetTextCodePage(), copy.sz, copy.nLength, nDelta, &rewrite))
        return;
    // A tag already at zero stays as it is: no edit, no undo step.
    if (std::string_view(copy.sz + rewrite.nStart, rewrite.nEnd - rewrite.nStart) ==
        std::string_view(rewrite.szTag, rewrite.nLength))
        return;
    // The caret stays on its line, so the next nudge moves the same tag.
    const QTextCursor before = textCursor();
    ReplaceInLine(copy, rewrite.nStart, rewrite.nEnd,
                  QString::fromLatin1(rewrite.szTag, static_cast<qsizetype>(rewrite.nLength)));
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
    ParseTimeTag(GetTextCodePage(), tag, copy.sz + copy.nLength, &nTime);
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
    const int nIndex = StepSpeedIndex(m_nSpeedIndex, -1);
    // Without a song the speed waits for the next one.
    if (!m_bAudioLoaded || MediaSetRate(nullptr, kSpeedPercents[nIndex] / 100.0))
        m_nSpeedIndex = nIndex;
}

void CVersewrightView::OnFaster() {
    const int nIndex = StepSpeedIndex(m_nSpeedIndex, 1);
    if (!m_bAudioLoaded || MediaSetRate(nullptr, kSpeedPercents[nIndex] / 100.0))
        m_nSpeedIndex = nIndex;
}

bool CVersewrightView::MoveTimeTag(const STimeTagSpan& tag, uint32_t nNewTime) {
    CLineCopy copy;
    if (tag.nStart < tag.nLineStart || !ReadLine(tag.nLine, copy))
        return false;
    // The panel's list may be older than the text: the bytes must still be that tag.
    const size_t nFrom = tag.nStart - tag.nLineStart;
    const size_t nTo = tag.nEnd - tag.nLineStart;
    const std::string& text = GetTextBytes();
    if (nTo > copy.nLength || tag.nEnd > text.size() ||
        text.compare(tag.nStart, tag.nEnd - tag.nStart, copy.sz + nFrom, nTo - nFrom) != 0)
        return false;
    uint32_t nTime = 0;
    if (!ParseTimeTag(GetTextCodePage(), copy.sz + nFrom + 1, copy.sz + nTo, &nTime) ||
        nTime != tag.nTime)
        return false;
    const QTextCursor before = textCursor();
    const STagRewrite rewrite = RewriteTag(nFrom, nTo, nNewTime);
    ReplaceInLine(copy, rewrite.nStart, rewrite.nEnd,
                  QString::fromLatin1(rewrite.szTag, static_cast<qsizetype>(rewrite.nLength)));
    setTextCursor(before);
    return true;
}
