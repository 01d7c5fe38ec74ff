// The Edit menu's time-tag commands: add a tag for the play position, delete tags from the
// caret's line, the now tag's line or the whole text, cut fractions, tidy.
#include <memory>

#include "app/MainFrame.h"
#include "doc/LrcText.h"
#include "doc/PlayTime.h"
#include "player/MediaPlayer.h"
#include "view/TagText.h"
#include "view/VersewrightView.h"

namespace {

// Work buffer for whole-text commands: the text, its terminator and a little slack.
constexpr size_t kWorkBuffer = LYRICS_CAPACITY + 4;
} // namespace

void CVersewrightView::OnAddTag() {
    const uint32_t nPosition = MediaGetPosition(nullptr);
    char szTag[TIME_TAG_BUFFER];
    FormatTimeTag(szTag, CompensateReaction(EffectiveTime(nPosition), m_nReactionMs),
                  CurrentTimeFormat());
    // At the very start of the caret's line, in front of whatever it holds.
    const QTextCursor before = textCursor();
    QTextCursor cursor = before;
    cursor.movePosition(QTextCursor::StartOfBlock);
    setTextCursor(cursor);
    if (!ReplaceSel(QString::fromLatin1(szTag))) {
        setTextCursor(before); // a full text takes no tag
        Refuse();
        return;
    }
    ensureCursorVisible();
    setFocus();
    UpdatePlayPosition(nPosition, true);
}

void CVersewrightView::OnUpdateAddTag(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded != 0);
}

void CVersewrightView::OnDelNowTag() {
    CLineCopy copy;
    if (!ReadLine(m_nNowTagLine, copy))
        return;
    const CCodePage cp = GetTextImage().Page();
    const char* end = copy.sz + copy.nLength;
    const uint32_t nTarget = EffectiveTime(MediaGetPosition(nullptr));
    const char* best = nullptr;
    uint32_t nBest = 0;
    uint32_t nTime = 0;
    for (const char* p = FindTimeTag(cp, copy.sz, end, &nTime, &m_nOffset); p;
         p = FindTimeTag(cp, p, end, &nTime, &m_nOffset)) {
        if (nTime <= nTarget && (!best || nTime >= nBest)) {
            best = p;
            nBest = nTime;
        }
    }
    if (!best)
        return;
    if (const char* close = ScanForChar(cp, best, end, ']'))
        DeleteTags(copy, best - 1, close);
}

void CVersewrightView::OnUpdateDelNowTag(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bAudioLoaded != 0 && m_nNowTagLine >= 0);
}

void CVersewrightView::OnDelFirstTag() {
    CLineCopy copy;
    const char* tag = FindFirstTagOfCaretLine(copy);
    if (!tag)
        return;
    const char* close = ScanForChar(GetTextImage().Page(), tag, copy.sz + copy.nLength, ']');
    if (close)
        DeleteTags(copy, tag - 1, close);
}

void CVersewrightView::OnDelLineTags() {
    CLineCopy copy;
    const char* tag = FindFirstTagOfCaretLine(copy);
    if (!tag)
        return;
    // The whole run of bracket groups from this tag on; without an end, the rest of the line.
    const char* end = copy.sz + copy.nLength;
    const char* runEnd = SkipTagRun(GetTextImage().Page(), tag, end);
    DeleteTags(copy, tag - 1, runEnd ? runEnd : end);
}

// Only a tag at the line's start or right after another group counts: the copy's start is the
// scan start.
const char* CVersewrightView::FindFirstTagOfCaretLine(CLineCopy& copy) {
    if (!ReadLine(GetCaretLine(), copy) || copy.nLength == 0)
        return nullptr;
    uint32_t nTime = 0;
    return FindTimeTag(GetTextImage().Page(), copy.sz, copy.sz + copy.nLength, &nTime, &m_nOffset);
}

void CVersewrightView::DeleteTags(const CLineCopy& copy, const char* from, const char* to) {
    const size_t nStart = copy.nStartByte + static_cast<size_t>(from - copy.sz);
    ReplaceBytes(nStart, nStart + static_cast<size_t>(to - from), {});
    m_nNowTagLine = -1;
    UpdatePlayPosition(MediaGetPosition(nullptr), true);
}

void CVersewrightView::OnDelAllTags() {
    ApplyToWholeText(RemoveTimeTags);
    m_nNowTagLine = -1;
}

void CVersewrightView::OnDelFractions() {
    ApplyToWholeText(RemoveTagFractions);
}

// Runs a byte edit that never lengthens the text over the whole text, as one undo step.
void CVersewrightView::ApplyToWholeText(size_t (*pfnEdit)(const CCodePage&, const char*, char*)) {
    auto buffer = std::make_unique<char[]>(kWorkBuffer);
    auto result = std::make_unique<char[]>(kWorkBuffer);
    GetLyricsText(buffer.get(), LYRICS_CAPACITY);
    const CCodePage cp = GetTextImage().Page();
    pfnEdit(cp, buffer.get(), result.get());
    ReplaceAllText(cp, result.get());
}

void CVersewrightView::OnTidy() {
    auto buffer = std::make_unique<char[]>(kWorkBuffer);
    GetLyricsText(buffer.get(), LYRICS_CAPACITY);
    const CCodePage cp = GetTextImage().Page();
    CleanLyrics(cp, buffer.get());
    // A result that does not fit would lose lines: the text then stays as it was.
    if (!RebuildLyrics(cp, buffer.get(), CurrentTimeFormat()) ||
        !ReplaceAllText(cp, buffer.get())) {
        Refuse();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
    m_nNowTagLine = -1;
    m_nOffset = 0;
}

void CVersewrightView::OnSelectText() {
    selectAll();
}
