// The transport and volume commands on real songs: loading, back and forward, the volume kept
// across songs, dragging the progress slider, and a song that cannot be opened.
#include "view/PlaybackCommands.h"
#include "tests/gui/PlaybackFixture.h"

namespace {

TEST_F(PlaybackTest, LoadSetsUpTheBarAndKeepsTheVolume) {
    m_app.SetText("x");
    Slider(IDC_VOLUME)->setValue(-1000);
    View()->m_nVolume = -1000;
    ASSERT_TRUE(Load("long.mp3"));
    EXPECT_EQ(View()->m_strAudioExt, QStringLiteral(".MP3"));
    EXPECT_EQ(View()->m_strAudioName, QStringLiteral("long.mp3"));
    EXPECT_EQ(BarText(IDC_AUDIO_FILE), SongPath("long.mp3"));
    QSlider* pProgress = Slider(IDC_PROGRESS);
    EXPECT_TRUE(pProgress->isEnabled());
    EXPECT_NEAR(pProgress->maximum(), 8000, 100);
    EXPECT_EQ(pProgress->pageStep(), 5000);
    EXPECT_EQ(Slider(IDC_VOLUME)->value(), -1000);

    // A second song while the first plays: the first stops, the volume stays.
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForPosition(300));
    ASSERT_TRUE(Load("short.wav"));
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_STOPPED);
    EXPECT_FALSE(View()->IsPlaybackTimerActive());
    EXPECT_EQ(View()->m_strAudioExt, QStringLiteral(".WAV"));
    EXPECT_EQ(View()->m_nVolume, -1000);
    EXPECT_EQ(Slider(IDC_VOLUME)->value(), -1000);
    EXPECT_NEAR(Slider(IDC_PROGRESS)->maximum(), 4000, 100);
    QTest::qWait(300);
    EXPECT_EQ(MediaGetPosition(nullptr), 0u);
}

TEST_F(PlaybackTest, BackStopsAtZeroAndForwardAtTheEnd) {
    ASSERT_TRUE(Load("short.wav"));
    const uint32_t nLength = MediaGetLength(nullptr);
    ASSERT_NEAR(double(nLength), 4000.0, 100.0);
    const struct {
        uint32_t nFrom;
        int nId;
        uint32_t nTo;
    } cases[] = {
        {3200, IDC_BACK, 0},
        {3900, IDC_BACK, 0},
        {1000, IDC_FORWARD, nLength},
        {0, IDC_FORWARD, nLength},
    };
    for (const auto& c : cases) {
        MediaSetPosition(nullptr, c.nFrom);
        ASSERT_TRUE(m_app.Execute(c.nId));
        EXPECT_EQ(MediaGetPosition(nullptr), c.nTo) << c.nFrom << " " << c.nId;
    }
    // Forward on the long song goes 5 s on.
    ASSERT_TRUE(Load("long.mp3"));
    MediaSetPosition(nullptr, 1000);
    ASSERT_TRUE(m_app.Execute(IDC_FORWARD));
    EXPECT_EQ(MediaGetPosition(nullptr), 6000u);
    ASSERT_TRUE(m_app.Execute(IDC_BACK));
    EXPECT_EQ(MediaGetPosition(nullptr), 1000u);
}

TEST_F(PlaybackTest, VolumeStepsAreClampedByTheSlider) {
    ASSERT_TRUE(Load("long.mp3"));
    const struct {
        int nFrom;
        Qt::Key key; // with Ctrl
        int nTo;
    } cases[] = {
        {-30, Qt::Key_Up, 0},         {0, Qt::Key_Up, 0},        {-1990, Qt::Key_Down, -2000},
        {-1000, Qt::Key_Down, -1060}, {-1000, Qt::Key_Up, -940},
    };
    for (const auto& c : cases) {
        Slider(IDC_VOLUME)->setValue(c.nFrom);
        m_app.Press(c.key, Qt::ControlModifier);
        EXPECT_EQ(Slider(IDC_VOLUME)->value(), c.nTo) << c.nFrom;
        EXPECT_EQ(View()->m_nVolume, c.nTo) << c.nFrom;
    }
}

TEST_F(PlaybackTest, DraggingTheProgressSliderShowsWithoutSeekingUntilReleased) {
    m_app.SetText("[00:00.10]a\r\n[00:05.00]b\r\nc");
    ASSERT_TRUE(Load("long.mp3"));
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForPosition(400));
    QSlider* pProgress = Slider(IDC_PROGRESS);
    pProgress->setSliderDown(true);
    pProgress->setSliderPosition(5300);
    EXPECT_FALSE(View()->IsPlaybackTimerActive());
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), QStringLiteral("00:00:05"));
    EXPECT_EQ(BarText(IDC_NOW_TAG), QStringLiteral(" [00:05.00] b"));
    QTest::qWait(300);
    EXPECT_LT(MediaGetPosition(nullptr), 3000u); // the song goes on from its old place
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), QStringLiteral("00:00:05"));

    pProgress->setSliderDown(false); // let go: seek, the timer runs again
    EXPECT_TRUE(View()->IsPlaybackTimerActive());
    EXPECT_EQ(View()->GetPlaybackTimerInterval(), 10);
    EXPECT_GE(MediaGetPosition(nullptr), 5300u);
    ASSERT_TRUE(WaitForPosition(5600));
    EXPECT_LT(MediaGetPosition(nullptr), 7000u);
}

TEST_F(PlaybackTest, FailedOpenDisablesTheTransport) {
    m_app.SetText("[00:01.00]a");
    ASSERT_TRUE(Load("long.mp3"));
    for (int nId : {IDC_PLAY, IDC_BACK, IDC_FORWARD, IDC_ADD_TAG})
        EXPECT_TRUE(IsEnabled(nId)) << nId;
    EXPECT_FALSE(Load("text.mp3"));
    EXPECT_TRUE(View()->m_strAudioPath.isEmpty());
    EXPECT_FALSE(Slider(IDC_PROGRESS)->isEnabled());
    EXPECT_EQ(BarText(IDC_AUDIO_FILE), QString()); // no stale name
    for (int nId : {IDC_PLAY, IDC_PAUSE, IDC_BACK, IDC_FORWARD, ID_PLAY_STOP, IDC_ADD_TAG,
                    ID_PLAY_PREV_TAG, ID_PLAY_NEXT_TAG, ID_PLAY_NOW_TAG})
        EXPECT_FALSE(IsEnabled(nId)) << nId;
    m_app.Press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_STOPPED);
    for (int nId : {IDC_OPEN_AUDIO, ID_PLAY_VOLUME_UP, ID_PLAY_VOLUME_DOWN})
        EXPECT_TRUE(IsEnabled(nId)) << nId;
}

TEST(PlaybackFilter, OffersTheAudioTypesThenAllFiles) {
    const QStringList filters = AudioFileFilter().split(QStringLiteral(";;"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], QStringLiteral("Audio files(*.mp3 *.wma *.mpt *.wav *.mpa *.mp2 *.au "
                                         "*.aif *.aiff *.snd *.mid *.midi *.rmi)"));
    EXPECT_TRUE(filters[1].startsWith(QStringLiteral("All Files(*.*)")));
}

} // namespace
