// The timing panel and its aids driven as a user would, on real songs through the null audio
// sink: F7, the waveform and its cache, clicks and drags on it, the speed keys, the nudge keys,
// replaying a line and the reaction time.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QWheelEvent>
#include <map>

#include "platform/SettingsStore.h"
#include "player/GstPeakDecoder.h"
#include "tests/gui/PlaybackFixture.h"
#include "timing/PeakLoader.h"
#include "timing/TimingPanel.h"
#include "timing/TimingTexts.h"
#include "timing/WaveformView.h"

namespace {

class TimingPanelTest : public PlaybackTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_cache.isValid());
        qputenv("XDG_CACHE_HOME", m_cache.path().toLocal8Bit());
        // Each test starts as a first run: panel hidden, usual zoom, no reaction time.
        for (const char* pszName : {"TimingPanel", "TimingZoom", "ReactionTime"})
            WriteSetting(pszName, REG_SZ, "0", 2);
        PlaybackTest::SetUp();
        SetPeakDecoder(DecodeSongPeaks);
    }
    CTimingPanel* Panel() const { return m_app.Frame()->m_pTimingPanel; }
    CWaveformView* Wave() const { return Panel()->Waveform(); }
    // The window shown at a usual size with the panel in it.
    void ShowPanel() {
        m_app.Frame()->resize(1000, 700);
        m_app.Frame()->show();
        if (Panel()->isHidden())
            m_app.Press(Qt::Key_F7);
        QTest::qWait(50); // the docks are laid out
        ASSERT_TRUE(Panel()->isVisible());
    }
    bool WaitForWaveform() {
        return WaitFor([this] { return Panel()->Loader()->State() == CPeakLoader::EState::Ready; });
    }
    // Plays until the song stands at or past a position.
    void PlayTo(uint32_t nMs) {
        ASSERT_TRUE(m_app.Execute(IDC_PLAY));
        ASSERT_TRUE(WaitForPosition(nMs));
    }
    QTemporaryDir m_cache;
};

TEST_F(TimingPanelTest, F7ShowsThePanelBetweenEditorAndControlBarAndItIsRemembered) {
    EXPECT_TRUE(Panel()->isHidden()); // new users see the window as it always was
    ShowPanel();
    EXPECT_TRUE(m_app.Frame()->GetCommands().QueryState(ID_VIEW_TIMING_PANEL).m_nCheck);
    EXPECT_EQ(m_app.Frame()->dockWidgetArea(Panel()), Qt::BottomDockWidgetArea);
    EXPECT_LT(View()->geometry().bottom(), Panel()->geometry().top());
    EXPECT_LT(Panel()->geometry().bottom(), m_pBar->geometry().top());

    ASSERT_TRUE(m_app.Start());
    EXPECT_TRUE(Panel()->isVisibleTo(m_app.Frame()));
    m_app.Press(Qt::Key_F7);
    EXPECT_TRUE(Panel()->isHidden());
    ASSERT_TRUE(m_app.Start());
    EXPECT_TRUE(Panel()->isHidden());
}

TEST_F(TimingPanelTest, TheAidsKeysAreTheirOwnAndTakeNoSpecifiedKey) {
    // No key of the aids is one of the menus', and each leads to one command.
    std::map<int, int> commands;
    for (const CAccelerator& accel : m_app.Frame()->GetAccelerators())
        commands.emplace(accel.key.toCombined(), accel.nId);
    for (const CAccelerator& accel : TimingAccelerators())
        EXPECT_TRUE(commands.emplace(accel.key.toCombined(), accel.nId).second) << accel.nId;
    EXPECT_EQ(TimingAccelerators().size(), 8u);
    // The menus keep their own keys: Ctrl+Down still lowers the volume, Alt+Backspace undoes.
    ASSERT_TRUE(Load("long.mp3"));
    Slider(IDC_VOLUME)->setValue(-500);
    m_app.Press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Slider(IDC_VOLUME)->value(), -560);
    EXPECT_EQ(View()->m_nSpeedIndex, SPEED_NORMAL_INDEX);
    m_app.Press(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Slider(IDC_VOLUME)->value(), -560);
    EXPECT_EQ(View()->m_nSpeedIndex, SPEED_NORMAL_INDEX - 1);
}

TEST_F(TimingPanelTest, WaveformComesInTheBackgroundAndFromTheCacheNextTime) {
    ShowPanel();
    EXPECT_EQ(Panel()->StatusLabel()->text(), TimingText(ETimingText::NoSong, 0));
    ASSERT_TRUE(Load("long.mp3"));
    Panel()->Refresh();
    EXPECT_EQ(Panel()->Loader()->State(), CPeakLoader::EState::Reading);
    ASSERT_TRUE(WaitForWaveform());
    EXPECT_NEAR(double(Panel()->Loader()->Bins().size()), 800.0, 10.0);
    EXPECT_EQ(Panel()->StatusLabel()->text(), QStringLiteral("long.mp3"));
    const QStringList entries = QDir(CPeakLoader::CacheFolder()).entryList(QDir::Files);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].endsWith(QStringLiteral(".peaks")));

    // Another song, then the first again: its outline is read back, not decoded.
    ASSERT_TRUE(Load("short.wav"));
    Panel()->Refresh();
    ASSERT_TRUE(WaitForWaveform());
    EXPECT_NEAR(double(Panel()->Loader()->Bins().size()), 400.0, 10.0);
    QFile entry(CPeakLoader::CacheFolder() + QLatin1Char('/') + entries[0]);
    ASSERT_TRUE(entry.open(QIODevice::ReadWrite));
    entry.seek(entry.size() - 4);
    entry.write("\x11\x11\x22\x22", 4); // marks the last bin, so the read-back shows
    entry.close();
    ASSERT_TRUE(Load("long.mp3"));
    Panel()->Refresh();
    ASSERT_TRUE(WaitForWaveform());
    EXPECT_EQ(Panel()->Loader()->Bins().back().nMax, 0x2222);
}

TEST_F(TimingPanelTest, ASongThatCannotBeDecodedSaysWhichAndWhy) {
    CPeakLoader loader;
    loader.Load(SongPath("text.mp3"));
    ASSERT_TRUE(WaitFor([&] { return loader.State() == CPeakLoader::EState::Failed; }));
    EXPECT_FALSE(loader.Error().isEmpty());
    // A new song while one decodes drops the first at once.
    loader.Load(SongPath("long.mp3"));
    loader.Load(SongPath("short.wav"));
    ASSERT_TRUE(WaitFor([&] { return loader.State() == CPeakLoader::EState::Ready; }));
    EXPECT_NEAR(double(loader.Bins().size()), 400.0, 10.0);
}

TEST_F(TimingPanelTest, SpeedKeysStepThroughTheSpeedsAndStampsStayInSongTime) {
    ShowPanel();
    const struct {
        Qt::Key key;
        int nPresses;
        const char* pszShown;
    } steps[] = {
        {Qt::Key_Up, 1, "1.25"},   {Qt::Key_Up, 3, "1.5"},   {Qt::Key_Down, 2, "1.0"},
        {Qt::Key_Down, 1, "0.75"}, {Qt::Key_Down, 4, "0.5"},
    };
    for (const auto& s : steps) {
        for (int i = 0; i < s.nPresses; ++i)
            m_app.Press(s.key, Qt::ControlModifier | Qt::ShiftModifier);
        Panel()->Refresh();
        EXPECT_EQ(Panel()->SpeedLabel()->text(),
                  TimingText(ETimingText::Speed, 0).arg(QString::fromLatin1(s.pszShown)));
    }
    // The half speed chosen before the song carries over to it: 4.6 s of wall time is 2.3 s of
    // the song.
    m_app.SetText("one\r\ntwo");
    m_app.Frame()->SetTimeFormat(0);
    ASSERT_TRUE(Load("long.mp3"));
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    QElapsedTimer wall;
    wall.start();
    ASSERT_TRUE(WaitFor([] { return MediaGetPosition(nullptr) > 0; }));
    QTest::qWait(static_cast<int>(std::max<qint64>(0, 4600 - wall.elapsed())));
    m_app.Press(Qt::Key_Insert);
    EXPECT_EQ(m_app.Text().substr(0, 10), "[00:02]one");
}

TEST_F(TimingPanelTest, NudgeKeysMoveTheCaretLinesFirstTagOneUndoStepEach) {
    m_app.SetText("[00:01.00][00:07.00]one\r\n[00:03]two\r\nthree");
    const struct {
        int nLine;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int nPresses;
        const char* pszLine;
    } cases[] = {
        {0, Qt::Key_Right, Qt::AltModifier, 3, "[00:01.30][00:07.00]one"},
        {0, Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier, 2, "[00:01.28][00:07.00]one"},
        {1, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier, 1, "[00:03.01]two"},
        {1, Qt::Key_Left, Qt::AltModifier, 40, "[00:00.00]two"},
        {2, Qt::Key_Right, Qt::AltModifier, 1, "three"},
    };
    for (const auto& c : cases) {
        m_app.SetCaret(c.nLine, 2);
        for (int i = 0; i < c.nPresses; ++i)
            m_app.Press(c.key, c.modifiers);
        EXPECT_EQ(View()->document()->findBlockByNumber(c.nLine).text().toStdString(), c.pszLine);
        EXPECT_EQ(View()->textCursor().blockNumber(), c.nLine);
    }
    // Each press that moved the tag was one step; those at zero made none.
    const struct {
        int nUndos;
        const char* pszLine1;
    } undos[] = {{2, "[00:00.11]two"}, {29, "[00:03.01]two"}, {1, "[00:03]two"}};
    for (const auto& u : undos) {
        for (int i = 0; i < u.nUndos; ++i)
            m_app.Press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(View()->document()->findBlockByNumber(1).text().toStdString(), u.pszLine1);
    }
    EXPECT_EQ(View()->document()->findBlockByNumber(0).text(),
              QStringLiteral("[00:01.28][00:07.00]one"));
    EXPECT_TRUE(Panel()->isHidden()); // the keys work with the panel hidden too
}

TEST_F(TimingPanelTest, NudgeWhilePlayingAndReplayGoASecondBeforeTheTag) {
    m_app.SetText("[offset:500]\r\n[00:02.00]one\r\n[00:05.50]two");
    ASSERT_TRUE(Load("long.mp3"));
    m_app.SetCaret(2, 0);
    m_app.Press(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_PLAYING);
    // [00:05.50] plays at 5.0 s with the offset; a second before is 4.0 s.
    EXPECT_GE(MediaGetPosition(nullptr), 4000u);
    EXPECT_LT(MediaGetPosition(nullptr), 4600u);

    ASSERT_TRUE(WaitForPosition(6000));
    m_app.SetCaret(1, 0);
    m_app.Press(Qt::Key_Right, Qt::AltModifier); // [00:02.10] plays at 1.6 s
    EXPECT_EQ(View()->document()->findBlockByNumber(1).text(), QStringLiteral("[00:02.10]one"));
    const uint32_t nAfter = MediaGetPosition(nullptr);
    EXPECT_GE(nAfter, 600u);
    EXPECT_LT(nAfter, 1200u);
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_PLAYING);
}

TEST_F(TimingPanelTest, ReactionTimeComesOffEveryStampAndIsRemembered) {
    ShowPanel();
    ASSERT_TRUE(Load("long.mp3"));
    const struct {
        int nReaction;
        uint32_t nAt;
        const char* pszTag;
    } cases[] = {{0, 2000, "[00:02.00]"},
                 {300, 2000, "[00:01.70]"},
                 {500, 300, "[00:00.00]"},
                 {120, 7050, "[00:06.93]"}};
    for (const auto& c : cases) {
        m_app.SetText("line");
        Panel()->ReactionBox()->setValue(c.nReaction);
        MediaSetPosition(nullptr, c.nAt); // the stopped song stands exactly there
        m_app.SetCaret(0, 0);
        m_app.Press(Qt::Key_Insert);
        EXPECT_EQ(m_app.Text().substr(0, 10), c.pszTag) << c.nReaction;
    }
    Panel()->ReactionBox()->setValue(2000);
    EXPECT_EQ(View()->m_nReactionMs, 500u);
    ASSERT_TRUE(m_app.Start());
    EXPECT_EQ(View()->m_nReactionMs, 500u);
    EXPECT_EQ(Panel()->ReactionBox()->value(), 500);
}

TEST_F(TimingPanelTest, ClickSeeksDragMovesATagAndCtrlWheelZooms) {
    m_app.SetText("[00:01.00]one\r\n[00:03.00]two");
    ShowPanel();
    ASSERT_TRUE(Load("long.mp3"));
    Panel()->Refresh();
    ASSERT_EQ(Wave()->Markers().size(), 2u);
    Wave()->SetViewStart(0);
    Wave()->SetMsPerPixel(10);
    const int y = Wave()->height() / 2;

    QTest::mouseClick(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(250, y));
    EXPECT_EQ(MediaGetPosition(nullptr), 2500u);
    QTest::mouseClick(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(302, y)); // near a marker
    EXPECT_EQ(MediaGetPosition(nullptr), 3000u);

    // The second tag dragged from 3.0 s to 3.5 s, then undone in one step.
    QTest::mousePress(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(300, y));
    QTest::mouseMove(Wave(), QPoint(330, y));
    QTest::mouseMove(Wave(), QPoint(350, y));
    QTest::mouseRelease(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(350, y));
    EXPECT_EQ(m_app.Text(), "[00:01.00]one\r\n[00:03.50]two");
    Panel()->Refresh();
    EXPECT_EQ(Wave()->Markers()[1].nPosition, 3500u);
    m_app.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_app.Text(), "[00:01.00]one\r\n[00:03.00]two");

    QWheelEvent wheel(QPointF(300, y), Wave()->mapToGlobal(QPointF(300, y)), QPoint(),
                      QPoint(0, 240), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Wave(), &wheel);
    EXPECT_NEAR(Wave()->MsPerPixel(), 6.4, 0.01);
    EXPECT_NEAR(Wave()->TimeAt(300), 3000.0, 1.0); // the time under the pointer stays
    ASSERT_TRUE(m_app.Start());
    EXPECT_NEAR(m_app.Frame()->m_pTimingPanel->Waveform()->MsPerPixel(), 6.4, 0.01);
}

TEST_F(TimingPanelTest, TheViewFollowsPlayback) {
    ShowPanel();
    ASSERT_TRUE(Load("long.mp3"));
    Wave()->SetMsPerPixel(1.0);
    Wave()->SetViewStart(0);
    const double dVisible = Wave()->width() * Wave()->MsPerPixel();
    PlayTo(static_cast<uint32_t>(dVisible) + 300);
    ASSERT_TRUE(WaitFor([&] { return Wave()->ViewStart() > 0.0; }));
    const double dHead = Wave()->XOf(MediaGetPosition(nullptr));
    EXPECT_GE(dHead, 0.0);
    EXPECT_LT(dHead, Wave()->width());
}

} // namespace
