// Timing a real song end to end: stamps at key presses on the player's clock, and pause, play and
// stop on GStreamer. What the view does with a position is tested on the recording player.
#include <QTextBlock>

#include "doc/LrcText.h"
#include "tests/gui/PlaybackFixture.h"

namespace {

// Value of the time tag at the start of a line of the text, or -1.
int64_t TagAtLineStart(const std::string& text, int nLine) {
    size_t pos = 0;
    for (int i = 0; i < nLine && pos != std::string::npos; ++i) {
        pos = text.find("\r\n", pos);
        if (pos != std::string::npos)
            pos += 2;
    }
    if (pos == std::string::npos || pos >= text.size() || text[pos] != '[')
        return -1;
    uint32_t time = 0;
    const CCodePage cp;
    if (!ParseTimeTag(cp, text.c_str() + pos + 1, text.c_str() + text.size(), &time))
        return -1;
    return time;
}

TEST_F(PlaybackTest, InsertStampsThePlayersClockAndTheCaretMovesOn) {
    m_app.SetText("one\r\ntwo\r\n\r\nthree\r\nfour");
    ASSERT_TRUE(Load("long.mp3"));
    m_app.SetCaret(0, 2);
    m_app.Press(Qt::Key_Return, Qt::ControlModifier); // Play
    ASSERT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_PLAYING);

    const struct {
        uint32_t nAtMs;
        int nStampedLine;
        int nCaretLineAfter; // the next non-empty line
    } presses[] = {{600, 0, 1}, {1400, 1, 3}, {2100, 3, 4}};
    for (const auto& p : presses) {
        SCOPED_TRACE(p.nAtMs);
        ASSERT_TRUE(WaitForPosition(p.nAtMs));
        const uint32_t nBefore = MediaGetPosition(nullptr);
        m_app.Press(Qt::Key_Insert);
        const uint32_t nAfter = MediaGetPosition(nullptr);
        const int64_t nTag = TagAtLineStart(m_app.Text(), p.nStampedLine);
        // Hundredths, truncated: the tag lies between the clock before and after the key.
        EXPECT_GE(nTag, nBefore / 10 * 10);
        EXPECT_LE(nTag, nAfter);
        EXPECT_EQ(View()->textCursor().blockNumber(), p.nCaretLineAfter);
        EXPECT_EQ(View()->textCursor().positionInBlock(), 0);
        EXPECT_EQ(View()->m_nNowTagLine, p.nStampedLine);
    }
    EXPECT_TRUE(BarText(IDC_NOW_TAG).endsWith(QStringLiteral("] three")));
}

TEST_F(PlaybackTest, PauseContinuesAndStopStartsAgainFromZero) {
    m_app.SetText("[00:00.20]a\r\nb");
    ASSERT_TRUE(Load("long.mp3"));
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForPosition(800));
    ASSERT_TRUE(m_app.Execute(IDC_PAUSE));
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_PAUSED);
    EXPECT_FALSE(IsEnabled(IDC_PAUSE));
    EXPECT_TRUE(View()->IsPlaybackTimerActive());
    const uint32_t nPaused = MediaGetPosition(nullptr);
    QTest::qWait(400);
    EXPECT_NEAR(double(MediaGetPosition(nullptr)), double(nPaused), 60.0);

    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForPosition(nPaused + 200));
    EXPECT_LT(MediaGetPosition(nullptr), nPaused + 1500); // went on, not from the start

    ASSERT_TRUE(m_app.Execute(ID_PLAY_STOP));
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_STOPPED);
    EXPECT_FALSE(View()->IsPlaybackTimerActive());
    EXPECT_EQ(MediaGetPosition(nullptr), 0u);
    EXPECT_EQ(View()->m_nNowTagTime, 0u);
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), QStringLiteral("00:00:00"));
    EXPECT_FALSE(IsEnabled(ID_PLAY_STOP));

    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForPosition(100));
    EXPECT_LT(MediaGetPosition(nullptr), 1500u);
}

} // namespace
