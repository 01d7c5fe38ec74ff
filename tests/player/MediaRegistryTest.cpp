// The player registry's state rules, results, conversions and release order, shown with a
// backend that records every call.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "player/MediaPlayer.h"
#include "player/MediaPlayerRegistry.h"
#include "tests/support/RecordingBackend.h"

using Calls = std::vector<std::string>;

namespace {

const Calls kOpenCalls = {"Create",          "RenderFile",       "Acquire Control",
                          "Acquire Seeking", "Acquire Position", "Acquire Audio"};
const Calls kCloseCalls = {"Stop",
                           "Release Seeking",
                           "Release Position",
                           "Release Control",
                           "Release Audio",
                           "Release Graph",
                           "~"};

class MediaRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        m_script.Install();
        const char* locale = std::getenv("LC_ALL");
        m_bHadLocale = locale != nullptr;
        m_strLocale = locale ? locale : "";
        setenv("LC_ALL", "C.UTF-8", 1); // paths are read in the system code page
    }
    void TearDown() override {
        MediaCloseAll();
        MediaSetBackendFactory(nullptr);
        if (m_bHadLocale)
            setenv("LC_ALL", m_strLocale.c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    PlayState State(const void* key = nullptr) {
        for (CMediaPlayer* p = MediaRegistryHead(); p; p = p->m_pNext)
            if (p->m_pKey == key)
                return p->m_state;
        ADD_FAILURE() << "no player";
        return PlayState::Stopped;
    }
    void OpenNull() {
        ASSERT_EQ(MediaOpen(nullptr, "/music/song.mp3", -300), 1);
        m_script.Clear();
    }

    CRecordingScript m_script;
    bool m_bHadLocale = false;
    std::string m_strLocale;
};

TEST_F(MediaRegistry, OpenBuildsInOrderAndDoesNotSendTheVolume) {
    EXPECT_EQ(MediaOpen(nullptr, "/music/song.mp3", -700), 1);
    EXPECT_EQ(m_script.Calls(), kOpenCalls);
    EXPECT_EQ(m_script.lastPath, u"/music/song.mp3");
    ASSERT_NE(MediaRegistryHead(), nullptr);
    EXPECT_EQ(MediaRegistryHead()->m_nVolume, -700);
    EXPECT_EQ(State(), PlayState::Stopped);
}

// Each state (reached through the program's own calls) against Play, Pause and Stop.
TEST_F(MediaRegistry, StateTable) {
    struct Case {
        const char* name;
        Calls setup; // operations run after open: "play", "pause", "stop"
        const char* op;
        Calls sent;
        PlayState after;
    };
    const Case cases[] = {
        {"stopped after open: play", {}, "play", {"Run"}, PlayState::Running},
        {"stopped after open: pause", {}, "pause", {}, PlayState::Stopped},
        {"stopped after open: stop", {}, "stop", {}, PlayState::Stopped},
        {"running: play again", {"play"}, "play", {"Run"}, PlayState::Running},
        {"running: pause", {"play"}, "pause", {"Pause"}, PlayState::Paused},
        {"running: stop", {"play"}, "stop", {"Stop", "Rewind", "Pause"}, PlayState::Stopped},
        {"paused: play", {"play", "pause"}, "play", {"Run"}, PlayState::Running},
        {"paused: pause", {"play", "pause"}, "pause", {}, PlayState::Paused},
        {"paused: stop",
         {"play", "pause"},
         "stop",
         {"Stop", "Rewind", "Pause"},
         PlayState::Stopped},
        {"stopped after stop: pause", {"play", "stop"}, "pause", {}, PlayState::Stopped},
        {"stopped after stop: stop", {"play", "stop"}, "stop", {}, PlayState::Stopped},
        {"stopped after stop: play", {"play", "stop"}, "play", {"Run"}, PlayState::Running},
    };
    auto run = [](const std::string& op) {
        if (op == "play")
            return MediaPlay(nullptr);
        if (op == "pause")
            return MediaPause(nullptr);
        return MediaStop(nullptr);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenNull();
        for (const std::string& op : c.setup)
            ASSERT_EQ(run(op), 1);
        m_script.Clear();
        EXPECT_EQ(run(c.op), 1);
        EXPECT_EQ(m_script.Calls(), c.sent);
        EXPECT_EQ(State(), c.after);
        MediaCloseAll();
    }
}

TEST_F(MediaRegistry, FailedRunOrPauseKeepsTheState) {
    OpenNull();
    m_script.fail["Run"] = -1;
    EXPECT_EQ(MediaPlay(nullptr), 0);
    EXPECT_EQ(State(), PlayState::Stopped);
    m_script.fail.clear();
    ASSERT_EQ(MediaPlay(nullptr), 1);
    m_script.fail["Pause"] = -2147467259;
    EXPECT_EQ(MediaPause(nullptr), 1);
    EXPECT_EQ(State(), PlayState::Running);
    m_script.fail["Run"] = -1;
    EXPECT_EQ(MediaPlay(nullptr), 0);
    EXPECT_EQ(State(), PlayState::Running);
}

TEST_F(MediaRegistry, PositiveStatusesCountAsSuccess) {
    m_script.fail["Run"] = 1; // S_FALSE-like
    OpenNull();
    EXPECT_EQ(MediaPlay(nullptr), 1);
    EXPECT_EQ(State(), PlayState::Running);
}

TEST_F(MediaRegistry, StopIgnoresTheStatusesOfItsCalls) {
    OpenNull();
    ASSERT_EQ(MediaPlay(nullptr), 1);
    m_script.fail = {{"Stop", -1}, {"Rewind", -1}, {"Pause", -1}};
    EXPECT_EQ(MediaStop(nullptr), 1);
    EXPECT_EQ(State(), PlayState::Stopped);
}

TEST_F(MediaRegistry, PlayAfterStopStartsFromZero) {
    OpenNull();
    ASSERT_EQ(MediaPlay(nullptr), 1);
    ASSERT_EQ(MediaSetPosition(nullptr, 83000), 1);
    EXPECT_EQ(MediaGetPosition(nullptr), 83000u);
    ASSERT_EQ(MediaStop(nullptr), 1);
    ASSERT_EQ(MediaPlay(nullptr), 1);
    EXPECT_EQ(MediaGetPosition(nullptr), 0u);
}

// Each failing step of the build ends it; whatever was acquired is released; nothing is
// registered and the key stays free.
TEST_F(MediaRegistry, FailedBuildReleasesWhatWasAcquired) {
    struct Case {
        const char* failing;
        Calls sent;
    };
    const Case cases[] = {
        {"Create", {"Create", "~"}},
        {"RenderFile", {"Create", "RenderFile", "Release Graph", "~"}},
        {"Acquire Control", {"Create", "RenderFile", "Acquire Control", "Release Graph", "~"}},
        {"Acquire Seeking",
         {"Create", "RenderFile", "Acquire Control", "Acquire Seeking", "Stop", "Release Control",
          "Release Graph", "~"}},
        {"Acquire Position",
         {"Create", "RenderFile", "Acquire Control", "Acquire Seeking", "Acquire Position", "Stop",
          "Release Seeking", "Release Control", "Release Graph", "~"}},
        {"Acquire Audio",
         {"Create", "RenderFile", "Acquire Control", "Acquire Seeking", "Acquire Position",
          "Acquire Audio", "Stop", "Release Seeking", "Release Position", "Release Control",
          "Release Graph", "~"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        m_script.Clear();
        m_script.fail = {{c.failing, -1}};
        EXPECT_EQ(MediaOpen(nullptr, "/music/bad.xyz", 0), 0);
        EXPECT_EQ(m_script.Calls(), c.sent);
        EXPECT_EQ(MediaRegistryHead(), nullptr);
        m_script.Clear();
        EXPECT_EQ(MediaGetLength(nullptr), 0u);
        EXPECT_EQ(MediaPlay(nullptr), 0);
        EXPECT_TRUE(m_script.log.empty());
    }
    m_script.fail.clear();
    EXPECT_EQ(MediaOpen(nullptr, "/music/good.mp3", 0), 1);
}

TEST_F(MediaRegistry, NoFactoryOrNoBackendIsAFailedOpen) {
    MediaSetBackendFactory(nullptr);
    EXPECT_EQ(MediaOpen(nullptr, "/music/song.mp3", 0), 0);
    MediaSetBackendFactory([] { return std::unique_ptr<IMediaBackend>(); });
    EXPECT_EQ(MediaOpen(nullptr, "/music/song.mp3", 0), 0);
    EXPECT_EQ(MediaRegistryHead(), nullptr);
}

TEST_F(MediaRegistry, SecondOpenUnderTheSameKeyIsRefused) {
    OpenNull();
    ASSERT_EQ(MediaPlay(nullptr), 1);
    m_script.Clear();
    EXPECT_EQ(MediaOpen(nullptr, "/music/other.mp3", 0), 0);
    EXPECT_TRUE(m_script.log.empty());
    EXPECT_EQ(State(), PlayState::Running);
    EXPECT_EQ(m_script.nInstances, 1);
}

TEST_F(MediaRegistry, CloseStopsAndReleasesInOrder) {
    OpenNull();
    ASSERT_EQ(MediaPlay(nullptr), 1);
    m_script.Clear();
    EXPECT_EQ(MediaClose(nullptr), 1);
    EXPECT_EQ(m_script.Calls(), kCloseCalls);
    EXPECT_EQ(MediaRegistryHead(), nullptr);
    EXPECT_EQ(MediaClose(nullptr), 0);
}

TEST_F(MediaRegistry, UnregisteredKeySendsNothing) {
    int other = 0;
    OpenNull();
    EXPECT_EQ(MediaPlay(&other), 0);
    EXPECT_EQ(MediaPause(&other), 0);
    EXPECT_EQ(MediaStop(&other), 0);
    EXPECT_EQ(MediaSetPosition(&other, 5), 0);
    EXPECT_EQ(MediaGetLength(&other), 0u);
    EXPECT_EQ(MediaGetPosition(&other), 0u);
    EXPECT_EQ(MediaClose(&other), 0);
    MediaSetVolume(&other, -100);
    EXPECT_TRUE(m_script.log.empty());
    MediaCloseAll();
    m_script.Clear();
    MediaSetVolume(nullptr, -100);
    MediaCloseAll();
    EXPECT_TRUE(m_script.log.empty());
}

TEST_F(MediaRegistry, ThreePlayersCloseTheMiddle) {
    int keys[3] = {};
    for (int& k : keys)
        ASSERT_EQ(MediaOpen(&k, "/music/song.mp3", 0), 1);
    // Newest first: keys[2], keys[1], keys[0].
    CMediaPlayer* pHead = MediaRegistryHead();
    ASSERT_EQ(pHead->m_pKey, &keys[2]);
    ASSERT_EQ(pHead->m_pNext->m_pKey, &keys[1]);
    ASSERT_EQ(pHead->m_pNext->m_pPrev, pHead);
    m_script.Clear();

    EXPECT_EQ(MediaClose(&keys[1]), 1);
    for (const std::string& entry : m_script.log)
        EXPECT_EQ(entry.substr(0, 2), "2:"); // only the middle one's backend was touched
    pHead = MediaRegistryHead();
    ASSERT_EQ(pHead->m_pKey, &keys[2]);
    ASSERT_EQ(pHead->m_pNext->m_pKey, &keys[0]);
    EXPECT_EQ(pHead->m_pPrev, nullptr);
    EXPECT_EQ(pHead->m_pNext->m_pPrev, pHead);
    EXPECT_EQ(pHead->m_pNext->m_pNext, nullptr);
    EXPECT_EQ(MediaPlay(&keys[0]), 1);
    EXPECT_EQ(MediaPlay(&keys[2]), 1);
    EXPECT_EQ(MediaPlay(&keys[1]), 0);

    // Closing the head and then the tail.
    EXPECT_EQ(MediaClose(&keys[2]), 1);
    EXPECT_EQ(MediaRegistryHead()->m_pPrev, nullptr);
    EXPECT_EQ(MediaClose(&keys[0]), 1);
    EXPECT_EQ(MediaRegistryHead(), nullptr);
}

TEST_F(MediaRegistry, CloseAllReleasesEveryPlayerHeadFirst) {
    int keys[3] = {};
    for (int& k : keys)
        ASSERT_EQ(MediaOpen(&k, "/music/song.mp3", 0), 1);
    m_script.Clear();
    MediaCloseAll();
    EXPECT_EQ(MediaRegistryHead(), nullptr);
    ASSERT_EQ(m_script.log.size(), 3 * kCloseCalls.size());
    for (size_t i = 0; i < m_script.log.size(); ++i) {
        const std::string id = std::to_string(3 - i / kCloseCalls.size());
        EXPECT_EQ(m_script.log[i], id + ":" + kCloseCalls[i % kCloseCalls.size()]);
    }
}

TEST_F(MediaRegistry, TimesAreTruncatedMilliseconds) {
    struct Case {
        double seconds;
        uint32_t ms;
    };
    const Case cases[] = {
        {1.2349, 1234},
        {0.0, 0},
        {0.0009, 0},
        {3600.5, 3600500},
        {4294967.295, 4294967295u},
        {4294967.296, 0}, // low 32 bits
        {-1.0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {1e300, 0},
    };
    OpenNull();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        m_script.positionSeconds = c.seconds;
        m_script.durationSeconds = c.seconds;
        EXPECT_EQ(MediaGetPosition(nullptr), c.ms);
        EXPECT_EQ(MediaGetLength(nullptr), c.ms);
    }
    const uint32_t seeks[] = {1234, 0, 1, 4294967295u};
    for (uint32_t ms : seeks) {
        ASSERT_EQ(MediaSetPosition(nullptr, ms), 1);
        EXPECT_EQ(m_script.lastSeekSeconds, static_cast<double>(ms) * 0.001);
    }
    EXPECT_EQ(m_script.lastSeekSeconds, 4294967.295);
}

TEST_F(MediaRegistry, SeekAndVolumeLeaveTheStateAlone) {
    OpenNull();
    ASSERT_EQ(MediaPlay(nullptr), 1);
    ASSERT_EQ(MediaPause(nullptr), 1);
    m_script.Clear();
    EXPECT_EQ(MediaSetPosition(nullptr, 1234), 1);
    MediaSetVolume(nullptr, -2000);
    EXPECT_EQ(MediaGetPosition(nullptr), 1234u);
    EXPECT_EQ(m_script.Calls(), (Calls{"SetPosition 1.234000", "SetVolume -2000", "GetPosition"}));
    EXPECT_EQ(State(), PlayState::Paused);
    EXPECT_EQ(MediaRegistryHead()->m_nVolume, -2000);
}

TEST_F(MediaRegistry, PathIsConvertedToUtf16WithinTheLimit) {
    struct Case {
        std::string path;
        std::u16string expected; // empty: refused before any backend call
    };
    const std::string a258(258, 'a');
    const Case cases[] = {
        {"/m/Canci\xC3\xB3n \xE6\xAD\x8C.mp3", u"/m/Canci\u00F3n \u6B4C.mp3"},
        {"/m/\xF0\x9F\x8E\xB5.mp3", u"/m/\U0001F3B5.mp3"},
        {"/" + a258, u"/" + std::u16string(258, u'a')},          // 259 units
        {"/" + a258 + "b", u""},                                 // 260 units
        {"/" + std::string(257, 'a') + "\xF0\x9F\x8E\xB5", u""}, // 258 + surrogate pair
        {"/" + std::string(255, 'a') + "\xF0\x9F\x8E\xB5",
         u"/" + std::u16string(255, u'a') + u"\U0001F3B5"},
        {"/m/bad\xC3(.mp3", u""},        // broken sequence
        {"/m/bad\xC0\xAF.mp3", u""},     // overlong
        {"/m/bad\xED\xA0\x80.mp3", u""}, // lone surrogate
        {"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        m_script.Clear();
        m_script.lastPath.clear();
        const int nOpened = MediaOpen(nullptr, c.path.c_str(), 0);
        if (c.expected.empty() && !c.path.empty()) {
            EXPECT_EQ(nOpened, 0);
            EXPECT_TRUE(m_script.log.empty());
        } else if (!c.path.empty()) {
            EXPECT_EQ(nOpened, 1);
            EXPECT_EQ(m_script.lastPath, c.expected);
        }
        MediaCloseAll();
    }
}

TEST_F(MediaRegistry, PathIsReadInTheSystemCodePage) {
    setenv("LC_ALL", "es_ES.CP1252", 1);
    EXPECT_EQ(MediaOpen(nullptr, "/m/Canci\xF3n.mp3", 0), 1);
    EXPECT_EQ(m_script.lastPath, u"/m/Canci\u00F3n.mp3");
    MediaCloseAll();
    setenv("LC_ALL", "zh_CN.GBK", 1);
    EXPECT_EQ(MediaOpen(nullptr, "/m/\xB8\xE8.mp3", 0), 1);
    EXPECT_EQ(m_script.lastPath, u"/m/\u6B4C.mp3");
}

} // namespace
