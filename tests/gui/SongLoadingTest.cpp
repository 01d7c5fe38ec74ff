// The song as the user meets it: loaded without holding the window, under any locale, played to
// its real end, and every failure said in the status bar.
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <clocale>
#include <condition_variable>
#include <cstdlib>
#include <gst/gst.h>
#include <mutex>

#include "player/GstMediaBackend.h"
#include "player/MediaPlayerRegistry.h"
#include "tests/gui/PlaybackFixture.h"
#include "tests/support/FileDialogAnswer.h"

namespace {

// Makes a file with a shell command; false when it fails.
bool Make(const QString& strCommand) {
    return std::system((strCommand + QStringLiteral(" >/dev/null 2>&1")).toLocal8Bit()) == 0;
}

// Holds every song's opening until released: a slow disk, a slow media framework start.
class CGate {
public:
    ~CGate() { Open(); }
    MediaBackendFactory Factory() {
        return [this] {
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [this] { return m_bOpen; });
            return CreateGstMediaBackend("fakeaudiosink");
        };
    }
    void Open() {
        std::lock_guard lock(m_mutex);
        m_bOpen = true;
        m_cv.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bOpen = false;
};

class SongLoadingTest : public PlaybackTest {
protected:
    QString StatusText() const { return m_app.Frame()->statusBar()->currentMessage(); }
    bool WaitForStopped() {
        return WaitFor([this] { return View()->m_nPlayState == CVersewrightView::PLAY_STOPPED; },
                       10000);
    }
    QTemporaryDir m_dir;
};

// A download cut at half: its Xing header still claims the whole song.
TEST_F(SongLoadingTest, TruncatedSongEndsAtWhatWasHeard) {
    const QString wav = m_dir.filePath("two.wav"), mp3 = m_dir.filePath("two.mp3");
    ASSERT_TRUE(Make(
        QStringLiteral("sox -q -n -r 44100 -c 2 -b 16 '%1' synth 2 sine 330 vol 0.1").arg(wav)));
    ASSERT_TRUE(Make(QStringLiteral("lame --quiet -b 128 '%1' '%2'").arg(wav, mp3)));
    QFile file(mp3);
    ASSERT_TRUE(file.resize(file.size() / 2));
    const QString half = file.fileName();
    View()->LoadAudio(half);
    ASSERT_TRUE(WaitFor([this] { return View()->m_bAudioLoaded != 0; }));
    EXPECT_NEAR(Slider(IDC_PROGRESS)->maximum(), 1000, 60);

    m_app.SetText("a\r\nb");
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForStopped());
    // The transport stands stopped at the real end; a stamp reads no further.
    EXPECT_TRUE(IsEnabled(IDC_PLAY));
    EXPECT_FALSE(IsEnabled(ID_PLAY_STOP));
    EXPECT_FALSE(IsEnabled(IDC_PAUSE));
    const uint32_t nEnd = MediaGetPosition(nullptr);
    EXPECT_NEAR(nEnd, 1000, 60);
    EXPECT_EQ(uint32_t(Slider(IDC_PROGRESS)->maximum()), MediaGetLength(nullptr));
    EXPECT_LE(nEnd, MediaGetLength(nullptr));
    m_app.SetCaret(0, 0);
    m_app.Press(Qt::Key_Insert);
    EXPECT_EQ(m_app.Text().substr(0, 4), "[00:");
    EXPECT_LE(std::stoi(m_app.Text().substr(4, 2)) * 1000 +
                  std::stoi(m_app.Text().substr(7, 2)) * 10,
              int(nEnd));

    // Play starts again from the start.
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitFor([] {
        const uint32_t n = MediaGetPosition(nullptr);
        return n > 0 && n < 700;
    }));
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_PLAYING);
}

// A decode error or a lost device stops the transport where the song was, and says so.
TEST_F(SongLoadingTest, FailureWhilePlayingStopsTheTransportAndSaysWhy) {
    ASSERT_TRUE(Load("long.mp3"));
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    ASSERT_TRUE(WaitForPosition(400));
    GstElement* pipeline = GstMediaBackendPipeline(MediaRegistryHead()->m_pGraph.get());
    GstElement* sink = nullptr;
    g_object_get(pipeline, "audio-sink", &sink, nullptr);
    ASSERT_NE(sink, nullptr);
    GST_ELEMENT_ERROR(sink, RESOURCE, WRITE, ("The audio device went away"), (nullptr));
    gst_object_unref(sink);

    ASSERT_TRUE(WaitForStopped());
    EXPECT_TRUE(StatusText().contains(QStringLiteral("long.mp3")));
    EXPECT_TRUE(StatusText().contains(QStringLiteral("The audio device went away")));
    EXPECT_FALSE(View()->IsPlaybackTimerActive());
    EXPECT_TRUE(IsEnabled(IDC_PLAY));
    const QString strTime = BarText(IDC_PROGRESS_TIME);
    QTest::qWait(300);
    EXPECT_EQ(BarText(IDC_PROGRESS_TIME), strTime);

    // Play sets the song up again without holding the window, then plays on from there.
    const uint32_t nStopped = MediaGetPosition(nullptr);
    CGate gate;
    MediaSetBackendFactory(gate.Factory());
    ASSERT_TRUE(m_app.Execute(IDC_PLAY));
    EXPECT_TRUE(View()->IsAudioLoading());
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_STOPPED);
    EXPECT_TRUE(BarText(IDC_AUDIO_FILE).endsWith(QStringLiteral("long.mp3")));
    gate.Open();
    ASSERT_TRUE(WaitForPosition(nStopped + 200));
    EXPECT_LT(MediaGetPosition(nullptr), nStopped + 1500);
    EXPECT_EQ(View()->m_nPlayState, CVersewrightView::PLAY_PLAYING);
    MediaSetBackendFactory(GstMediaBackendFactory("fakeaudiosink"));
}

TEST_F(SongLoadingTest, SongThatCannotBeOpenedLeavesNoNameAndSaysWhy) {
    const struct {
        const char* name;
        const char* why;
    } cases[] = {{"text.mp3", ""}, {"missing.mp3", "No such file"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Load("long.mp3"));
        EXPECT_FALSE(Load(c.name));
        EXPECT_EQ(BarText(IDC_AUDIO_FILE), QString());
        EXPECT_TRUE(StatusText().contains(QString::fromLatin1(c.name)))
            << StatusText().toStdString();
        EXPECT_TRUE(StatusText().contains(QString::fromLatin1(c.why)))
            << StatusText().toStdString();
        EXPECT_FALSE(IsEnabled(IDC_PLAY));
    }
}

// Started with lyrics whose song lies beside them: the window shows the lyrics while the song is
// still loading, and a Play given meanwhile plays once it is ready.
TEST(SongLoadingStartUp, WindowShowsTheLyricsWhileTheSongLoads) {
    ASSERT_EQ(CTestAudio::Get().Error(), "");
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(CTestAudio::Get().Path("long.mp3")),
                            dir.filePath("song.mp3")));
    QFile lyrics(dir.filePath("song.lrc"));
    ASSERT_TRUE(lyrics.open(QIODevice::WriteOnly));
    lyrics.write("[00:00.50]first\r\nsecond\r\n");
    lyrics.close();

    CGate gate;
    CRunningApp app;
    ASSERT_TRUE(app.Start({lyrics.fileName()}, gate.Factory()));
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_EQ(app.Text(), "[00:00.50]first\r\nsecond\r\n");
    EXPECT_TRUE(app.View()->IsAudioLoading());
    ASSERT_TRUE(app.Execute(IDC_PLAY));
    EXPECT_EQ(app.View()->m_nPlayState, CVersewrightView::PLAY_STOPPED);

    gate.Open();
    ASSERT_TRUE(QTest::qWaitFor(
        [&app] { return app.View()->m_nPlayState == CVersewrightView::PLAY_PLAYING; }, 10000));
    EXPECT_EQ(app.View()->m_strAudioPath, dir.filePath("song.mp3"));
    ASSERT_TRUE(QTest::qWaitFor([] { return MediaGetPosition(nullptr) > 100; }, 5000));
    MediaSetBackendFactory(nullptr);
}

// Under a Latin-1 locale, lyrics in a folder named Música find and play their song, and so does
// the song chosen with Browse...
TEST(SongLoadingLocale, NonUtf8LocaleOpensTheSongsOfNonAsciiFolders) {
    ASSERT_EQ(CTestAudio::Get().Error(), "");
    QTemporaryDir locales;
    if (!Make(QStringLiteral("localedef -i es_ES -f ISO-8859-1 '%1/es_ES.ISO-8859-1'")
                  .arg(locales.path())))
        GTEST_SKIP() << "localedef cannot make es_ES.ISO-8859-1 (is the locales package there?)";
    const QByteArray oldLocPath = qgetenv("LOCPATH"), oldAll = qgetenv("LC_ALL");
    qputenv("LOCPATH", QFile::encodeName(locales.path()));
    qputenv("LC_ALL", "es_ES.ISO-8859-1");
    ASSERT_NE(setlocale(LC_ALL, ""), nullptr);

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("M\u00FAsica"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString song = folder + QStringLiteral("/canci\u00F3n.mp3");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(CTestAudio::Get().Path("long.mp3")), song));
    QFile lyrics(folder + QStringLiteral("/canci\u00F3n.lrc"));
    ASSERT_TRUE(lyrics.open(QIODevice::WriteOnly));
    lyrics.close();
    {
        CRunningApp app;
        ASSERT_TRUE(app.Start({lyrics.fileName()}, GstMediaBackendFactory("fakeaudiosink")));
        ASSERT_TRUE(QTest::qWaitFor([&app] { return !app.View()->IsAudioLoading(); }, 10000));
        EXPECT_TRUE(app.View()->m_bAudioLoaded);
        EXPECT_EQ(app.View()->m_strAudioPath, song);

        const QString other = folder + QStringLiteral("/otra.mp3");
        ASSERT_TRUE(QFile::copy(song, other));
        CFileDialogAnswer answer(QStringLiteral("OpenAudioDialog"), other);
        ASSERT_TRUE(app.Execute(IDC_OPEN_AUDIO));
        EXPECT_TRUE(answer.Seen().bShown);
        ASSERT_TRUE(QTest::qWaitFor([&app] { return !app.View()->IsAudioLoading(); }, 10000));
        EXPECT_TRUE(app.View()->m_bAudioLoaded);
        EXPECT_EQ(app.View()->m_strAudioPath, other);
        MediaSetBackendFactory(nullptr);
    }
    if (oldAll.isEmpty())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", oldAll);
    if (oldLocPath.isEmpty())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", oldLocPath);
    setlocale(LC_ALL, "");
}

} // namespace
