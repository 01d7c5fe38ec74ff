// The view following the song through the lyrics, on the recording player whose clock the test
// sets: the now-tag field, the time field, the caret jump, the gutter, the navigation between
// tags and the offset.
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>

#include "tests/support/PlaybackFixture.h"

namespace {

TEST_F(RecordedPlaybackTest, NowTagFieldTimeFieldAndMarkerFollowTheClock) {
    m_app.SetText("[00:00.30]a\r\n[00:00.90]b\r\n\r\n[00:01.50]c\r\nd");
    ASSERT_TRUE(Load());
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), QStringLiteral("00:00:00"));
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    SetClock(1000); // the playback timer picks it up
    ASSERT_TRUE(WaitFor([this] { return View()->m_nNowTagLine == 1; }));
    EXPECT_EQ(BarText(IDC_NOW_TAG), QStringLiteral(" [00:00.90] b"));
    EXPECT_EQ(View()->textCursor().blockNumber(), 3); // the empty line is skipped
    SetClock(1600);
    ASSERT_TRUE(WaitFor([this] { return View()->m_nNowTagLine == 3; }));
    EXPECT_EQ(BarText(IDC_NOW_TAG), QStringLiteral(" [00:01.50] c"));
    EXPECT_EQ(View()->textCursor().blockNumber(), 4);
    EXPECT_EQ(View()->m_nNowTagTime, 1500u);
    SetClock(2050);
    ASSERT_TRUE(WaitFor([this] { return BarText(IDC_PROGRESS_TIME) == "00:00:02"; }));
    EXPECT_EQ(Slider(IDC_PROGRESS)->value(), 2050);
}

TEST_F(RecordedPlaybackTest, TimeFieldShowsHoursAndIsEmptyWithoutAudio) {
    m_app.SetText("x");
    ASSERT_TRUE(Load());
    View()->UpdatePlayPosition(3725000, true);
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), QStringLiteral("01:02:05"));
    m_app.Script().fail["RenderFile"] = -1; // a file that is no audio
    View()->LoadAudio(QStringLiteral("/music/text.mp3"));
    View()->UpdatePlayPosition(7000, true);
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), QString());
}

TEST_F(RecordedPlaybackTest, RefreshInTheSameTenthNeedsForce) {
    m_app.SetText("[00:01.00]a\r\nb\r\nc");
    ASSERT_TRUE(Load());
    View()->UpdatePlayPosition(1520, false);
    EXPECT_EQ(View()->m_nNowTagLine, 0);
    // A new tag at 1.5 s on the last line; the same tenth without force finds nothing new.
    m_app.SetCaret(2, 0);
    View()->textCursor().insertText(QStringLiteral("[00:01.50]"));
    View()->UpdatePlayPosition(1580, false);
    EXPECT_EQ(View()->m_nNowTagLine, 0);
    View()->UpdatePlayPosition(1580, true);
    EXPECT_EQ(View()->m_nNowTagLine, 2);
    EXPECT_EQ(BarText(IDC_NOW_TAG), QStringLiteral(" [00:01.50] c"));
}

TEST_F(RecordedPlaybackTest, BeforeTheFirstTagTheFieldIsEmptiedOnce) {
    m_app.SetText("[00:02.00]a\r\nb");
    ASSERT_TRUE(Load());
    View()->UpdatePlayPosition(2500, true);
    ASSERT_EQ(View()->m_nNowTagLine, 0);
    View()->UpdatePlayPosition(1000, false);
    EXPECT_EQ(View()->m_nNowTagLine, -1);
    EXPECT_EQ(BarText(IDC_NOW_TAG), QString());
    EXPECT_EQ(View()->textCursor().blockNumber(), 1); // the caret stays
    EXPECT_TRUE(View()->m_bHasTags);
}

struct OffsetCase {
    const char* pszName;
    int nOffsetBefore; // m_nOffset when the refresh starts
    int nLineAfterFirst;
    int nLineAfterSecond;
    const char* pszField;
};

TEST_F(RecordedPlaybackTest, OffsetIsReadByTheScanAndAppliedFromTheNext) {
    const OffsetCase cases[] = {
        {"fresh document", 0, -1, 1, " [offset:500] [00:02.00] x"},
        {"offset already read", 500, 1, 1, " [offset:500] [00:02.00] x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_app.SetText("[offset:500]\r\n[00:02.00]x\r\ny");
        ASSERT_TRUE(Load());
        View()->m_nNowTagLine = -1;
        View()->m_nOffset = c.nOffsetBefore;
        View()->UpdatePlayPosition(1600, true);
        EXPECT_EQ(View()->m_nNowTagLine, c.nLineAfterFirst);
        EXPECT_EQ(View()->m_nOffset, 500);
        View()->UpdatePlayPosition(1600, true);
        EXPECT_EQ(View()->m_nNowTagLine, c.nLineAfterSecond);
        EXPECT_EQ(BarText(IDC_NOW_TAG), QString::fromLatin1(c.pszField));
    }
}

TEST_F(RecordedPlaybackTest, PrevNextAndNowTagSeekTheSong) {
    // 9 s lies past the end of the 8 s song.
    m_app.SetText("[00:01.00]a\r\n[00:02.00]b\r\n[00:03.00]c\r\n[00:09.00]d");
    ASSERT_TRUE(Load());
    MediaSetPosition(nullptr, 2500);
    View()->UpdatePlayPosition(2500, true);
    ASSERT_EQ(View()->m_nNowTagTime, 2000u);

    const struct {
        Qt::Key key;
        uint32_t nPosition; // where the player stands afterwards
        uint32_t nNowTag;
    } steps[] = {
        {Qt::Key_Left, 1000, 1000},  {Qt::Key_Left, 1000, 1000}, // nothing before the first
        {Qt::Key_Right, 2000, 2000}, {Qt::Key_Right, 3000, 3000},
        {Qt::Key_Right, 3000, 3000}, // the tag past the end is never chosen
    };
    for (const auto& s : steps) {
        m_app.Press(s.key, Qt::ControlModifier);
        EXPECT_EQ(MediaGetPosition(nullptr), s.nPosition);
        EXPECT_EQ(View()->m_nNowTagTime, s.nNowTag);
    }
    MediaSetPosition(nullptr, 3700);
    View()->UpdatePlayPosition(3700, false);
    m_app.Press(Qt::Key_Escape); // back to the start of the now line
    EXPECT_EQ(MediaGetPosition(nullptr), 3000u);

    // With an offset the seek goes to the tag's play position.
    m_app.SetText("[offset:-400]\r\n[00:01.00]a\r\n[00:02.00]b");
    View()->UpdatePlayPosition(2800, true);
    View()->UpdatePlayPosition(2800, true);
    ASSERT_EQ(View()->m_nNowTagTime, 2000u);
    m_app.Press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(MediaGetPosition(nullptr), 1400u);
    EXPECT_EQ(View()->m_nNowTagTime, 1000u);
}

TEST_F(RecordedPlaybackTest, NavigationNeedsAudioAndTags) {
    m_app.SetText("no tags here");
    ASSERT_TRUE(Load());
    EXPECT_FALSE(IsEnabled(ID_PLAY_PREV_TAG));
    m_app.SetText("[00:01.00]a");
    View()->UpdatePlayPosition(500, true);
    for (int nId : {ID_PLAY_PREV_TAG, ID_PLAY_NEXT_TAG, ID_PLAY_NOW_TAG})
        EXPECT_TRUE(IsEnabled(nId)) << nId;
}

// The pixels of the gutter, as painted now.
QImage GrabGutter(CVersewrightView* pView) {
    QWidget* pGutter = pView->findChild<QWidget*>(QStringLiteral("CGutter"));
    return pGutter ? pGutter->grab().toImage() : QImage();
}

int LineTop(CVersewrightView* pView, int nLine) {
    QTextCursor cursor(pView->document()->findBlockByNumber(nLine));
    return pView->cursorRect(cursor).top();
}

// True if the marker icon is drawn with its top left at (x, y) (its opaque pixels match).
bool HasMarkerAt(const QImage& gutter, const QImage& icon, int x, int y) {
    int nOpaque = 0;
    for (int iy = 0; iy < icon.height(); ++iy) {
        for (int ix = 0; ix < icon.width(); ++ix) {
            const QColor c = icon.pixelColor(ix, iy);
            if (c.alpha() < 255)
                continue;
            ++nOpaque;
            if (gutter.pixelColor(x + ix, y + iy).rgb() != c.rgb())
                return false;
        }
    }
    return nOpaque > 0;
}

TEST_F(RecordedPlaybackTest, GutterMarksTheNowLineAndBoxesTheCaretLine) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "[00:30.00]line\r\n";
    m_app.SetText("[00:01.00]a\r\nb\r\n[00:02.00]c\r\nd\r\n" + text);
    ASSERT_TRUE(Load());
    m_app.Frame()->resize(600, 400);
    m_app.Frame()->show();
    View()->UpdatePlayPosition(1200, true); // now tag on line 0, caret on line 1
    ASSERT_EQ(View()->m_nNowTagLine, 0);
    ASSERT_EQ(View()->textCursor().blockNumber(), 1);
    QTest::qWait(50);

    const int nHeight = View()->m_nLineHeight;
    const QImage icon = View()->m_hMarkIcon.toImage();
    ASSERT_FALSE(icon.isNull());
    QImage gutter = GrabGutter(View());
    ASSERT_EQ(gutter.width(), 20);
    const int y0 = LineTop(View(), 0);
    const int y1 = LineTop(View(), 1);
    ASSERT_GT(y0, 0);
    EXPECT_TRUE(HasMarkerAt(gutter, icon, 2, y0 + nHeight / 2 - 7));
    EXPECT_FALSE(HasMarkerAt(gutter, icon, 2, y1 + nHeight / 2 - 7));
    // The red box: left and right edges on the caret line, none on the now line.
    EXPECT_EQ(gutter.pixelColor(2, y1 + nHeight / 2), QColor(255, 0, 0));
    EXPECT_EQ(gutter.pixelColor(17, y1 + nHeight / 2), QColor(255, 0, 0));
    EXPECT_NE(gutter.pixelColor(17, y0 + nHeight / 2), QColor(255, 0, 0));

    // Scrolled so that the marked line's top lies above the client area: no marker.
    View()->UpdatePlayPosition(2200, true); // now tag on line 2, caret on line 3
    ASSERT_EQ(View()->m_nNowTagLine, 2);
    View()->verticalScrollBar()->setValue(3);
    QTest::qWait(50);
    gutter = GrabGutter(View());
    ASSERT_LE(LineTop(View(), 2), 0);
    for (int y = 0; y + 16 <= gutter.height(); ++y)
        EXPECT_FALSE(HasMarkerAt(gutter, icon, 2, y)) << y;
}

} // namespace
