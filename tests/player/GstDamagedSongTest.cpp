// Songs whose headers lie or that break while playing, over real GStreamer into a clock-synced
// fakeaudiosink: lengths and positions are what is really heard.
#include <gst/gst.h>

#include <algorithm>
#include <cstring>

#include "tests/player/GstPlayerFixture.h"

namespace {

using namespace std::chrono_literals;

class GstDamagedSong : public GstPlayer {
protected:
    // The first element of the playing pipeline whose class names klass; a new reference.
    static GstElement* FindElement(const char* klass) {
        GstElement* found = nullptr;
        GstIterator* it = gst_bin_iterate_recurse(GST_BIN(Pipeline()));
        GValue item = G_VALUE_INIT;
        while (!found && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
            auto* element = GST_ELEMENT(g_value_get_object(&item));
            const gchar* names = gst_element_get_metadata(element, GST_ELEMENT_METADATA_KLASS);
            if (names && strstr(names, klass) && !GST_IS_BIN(element))
                found = GST_ELEMENT(gst_object_ref(element));
            g_value_reset(&item);
        }
        g_value_unset(&item);
        gst_iterator_free(it);
        return found;
    }
    // Polls like the view's timer until the song has ended; the greatest position read.
    static uint32_t PlayToTheEnd(int nTimeoutMs = 10000) {
        uint32_t nMax = 0;
        for (int waited = 0; waited < nTimeoutMs; waited += 20) {
            nMax = std::max(nMax, MediaGetPosition(nullptr));
            if (MediaGetStatus(nullptr, nullptr) == MediaStatus::Ended)
                break;
            Wait(20ms);
        }
        return nMax;
    }
};

TEST_F(GstDamagedSong, LengthAtOpenIsWhatDecodes) {
    for (const char* name : {"truncated.mp3", "joined.mp3", "picture.mp3", "mpeg25.mp3"}) {
        SCOPED_TRACE(name);
        const double truth = Audio().DecodedMs(name);
        ASSERT_GT(truth, 0);
        ASSERT_EQ(Open(name), 1);
        EXPECT_NEAR(MediaGetLength(nullptr), truth, 50);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

// Played to the end from a seek, as after Stop or a drag of the progress slider: the song
// plays wholly, the position stops at what was really heard and the length agrees with it.
TEST_F(GstDamagedSong, PlaysToTheRealEndAfterASeek) {
    for (const char* name : {"truncated.mp3", "joined.mp3", "cbr_xing.mp3", "song.au"}) {
        SCOPED_TRACE(name);
        const double truth = Audio().DecodedMs(name);
        ASSERT_EQ(Open(name), 1);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        ASSERT_EQ(MediaSetPosition(nullptr, uint32_t(truth) - 700), 1);
        const uint32_t nHeard = PlayToTheEnd();
        EXPECT_EQ(MediaGetStatus(nullptr, nullptr), MediaStatus::Ended);
        EXPECT_NEAR(nHeard, truth, 50);
        EXPECT_NEAR(MediaGetPosition(nullptr), truth, 50);
        EXPECT_LE(MediaGetPosition(nullptr), MediaGetLength(nullptr));
        EXPECT_NEAR(MediaGetLength(nullptr), truth, 50);
        ASSERT_EQ(MediaStop(nullptr), 1);
        EXPECT_EQ(MediaGetStatus(nullptr, nullptr), MediaStatus::Ok);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

// Errors while playing: playback stops where it was, says why, and plays again from there.
TEST_F(GstDamagedSong, FailureWhilePlayingStopsAtTheLastGoodPosition) {
    struct Case {
        const char* what;
        const char* klass; // what the failing element is
    };
    const Case cases[] = {{"decoder", "Decoder"}, {"lost device", "Sink"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(Open("cbr_plain.mp3"), 1);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        Wait(500ms);
        GstElement* failing = FindElement(c.klass);
        ASSERT_NE(failing, nullptr);
        const uint32_t nBefore = MediaGetPosition(nullptr);
        GST_ELEMENT_ERROR(failing, STREAM, DECODE, ("test failure"), (nullptr));
        gst_object_unref(failing);

        std::string why;
        for (int i = 0; i < 100 && MediaGetStatus(nullptr, &why) != MediaStatus::Failed; ++i)
            Wait(10ms);
        EXPECT_EQ(MediaGetStatus(nullptr, &why), MediaStatus::Failed);
        EXPECT_NE(why.find("test failure"), std::string::npos) << why;
        const uint32_t nStopped = MediaGetPosition(nullptr);
        EXPECT_GE(nStopped, nBefore);
        EXPECT_LT(nStopped, nBefore + 200);
        Wait(200ms);
        EXPECT_EQ(MediaGetPosition(nullptr), nStopped); // the clock does not run on

        ASSERT_EQ(MediaPlay(nullptr), 1); // and it plays on from there
        EXPECT_EQ(MediaGetStatus(nullptr, nullptr), MediaStatus::Ok);
        uint32_t nAgain = 0;
        for (int i = 0; i < 200 && (nAgain = MediaGetPosition(nullptr)) <= nStopped + 100; ++i)
            Wait(10ms);
        EXPECT_GT(nAgain, nStopped + 100);
        EXPECT_LT(nAgain, nStopped + 1500);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

// A stream that stops delivering without an error or an end counts as failed after a while.
TEST_F(GstDamagedSong, StalledStreamIsReported) {
    ASSERT_EQ(Open("cbr_plain.mp3"), 1);
    ASSERT_EQ(MediaPlay(nullptr), 1);
    Wait(300ms);
    GstElement* pipeline = Pipeline();
    GstElement* sink = nullptr;
    g_object_get(pipeline, "audio-sink", &sink, nullptr);
    ASSERT_NE(sink, nullptr);
    GstPad* pad = gst_element_get_static_pad(sink, "sink");
    const gulong probe = gst_pad_add_probe(
        pad, GST_PAD_PROBE_TYPE_BLOCK_DOWNSTREAM,
        [](GstPad*, GstPadProbeInfo*, gpointer) { return GST_PAD_PROBE_OK; }, nullptr, nullptr);
    std::string why;
    for (int i = 0; i < 600 && MediaGetStatus(nullptr, &why) != MediaStatus::Failed; ++i) {
        Wait(10ms);
        MediaGetPosition(nullptr); // the view's timer polls
    }
    EXPECT_EQ(MediaGetStatus(nullptr, &why), MediaStatus::Failed);
    EXPECT_FALSE(why.empty());
    gst_pad_remove_probe(pad, probe);
    gst_object_unref(pad);
    gst_object_unref(sink);
}

} // namespace
