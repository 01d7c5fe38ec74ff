#pragma once
// The player over real GStreamer, into a clock-synced fakeaudiosink, on the songs made at test
// time.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "player/GstMediaBackend.h"
#include "player/MediaPlayer.h"
#include "player/MediaPlayerRegistry.h"
#include "tests/support/TestAudio.h"

class GstPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Audio().Error(), "");
        MediaSetBackendFactory(GstMediaBackendFactory("fakeaudiosink"));
    }
    void TearDown() override {
        MediaCloseAll();
        MediaSetBackendFactory(nullptr);
    }
    static CTestAudio& Audio() { return CTestAudio::Get(); }
    static int Open(const std::string& name, const void* key = nullptr) {
        return MediaOpen(key, Audio().Path(name).c_str(), 0);
    }
    static void Wait(std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }
    // The position once it has moved past from (the sink needs a moment to start).
    static uint32_t PositionAfterStart(uint32_t from, const void* key = nullptr) {
        for (int i = 0; i < 200 && MediaGetPosition(key) <= from; ++i)
            Wait(std::chrono::milliseconds(5));
        return MediaGetPosition(key);
    }
    // The playbin of the newest player.
    static GstElement* Pipeline() {
        CMediaPlayer* pPlayer = MediaRegistryHead();
        return pPlayer ? GstMediaBackendPipeline(pPlayer->m_pGraph.get()) : nullptr;
    }
};
