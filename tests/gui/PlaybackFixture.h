#pragma once
// The whole program with the real GStreamer player (fakeaudiosink) and the audio control bar,
// for the tests that play songs end to end.

#include "player/GstMediaBackend.h"
#include "tests/support/PlaybackFixture.h"
#include "tests/support/TestAudio.h"

class PlaybackTest : public PlaybackFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(CTestAudio::Get().Error(), "");
        StartWithBar();
        // Every later MediaOpen plays through GStreamer into a clock-synced fake sink.
        MediaSetBackendFactory(GstMediaBackendFactory("fakeaudiosink"));
    }

    static QString SongPath(const char* pszName) {
        return QString::fromStdString(CTestAudio::Get().Path(pszName));
    }
    bool Load(const char* pszName) {
        View()->LoadAudio(SongPath(pszName));
        return View()->m_bAudioLoaded != 0;
    }
    static bool WaitForPosition(uint32_t nMs) {
        return WaitFor([nMs] { return MediaGetPosition(nullptr) >= nMs; });
    }
};
