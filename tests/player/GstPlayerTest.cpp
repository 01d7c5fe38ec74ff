// The player over real GStreamer, into a clock-synced fakeaudiosink, on audio made at test time.
#include <gtest/gtest.h>

#include <gst/audio/streamvolume.h>
#include <gst/gst.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "tests/player/GstPlayerFixture.h"

namespace {

using namespace std::chrono_literals;

const char* const kPlayable[] = {"song.wav",      "cbr_xing.mp3", "cbr_plain.mp3",  "vbr_xing.mp3",
                                 "vbr_plain.mp3", "tagged.mp3",   "mpeg2_mono.mp3", "song.wma",
                                 "song.aiff",     "song.au",      "song.mpt",       "vbri.mp3"};

TEST_F(GstPlayer, LengthAtOpenIsWhatPlays) {
    for (const char* name : kPlayable) {
        SCOPED_TRACE(name);
        // An MPT file plays the MP3 behind its header.
        const double truth =
            Audio().DecodedMs(name == std::string("song.mpt") ? "vbr_plain.mp3" : name);
        ASSERT_GT(truth, 0);
        ASSERT_EQ(Open(name), 1);
        EXPECT_NEAR(MediaGetLength(nullptr), truth, 50);
        EXPECT_EQ(MediaGetPosition(nullptr), 0u);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

TEST_F(GstPlayer, UnplayableFilesAreRefused) {
    const std::string names[] = {"missing.mp3", "empty.mp3",      "text.mp3",
                                 "noise.wma",   "bad_header.mpt", ""};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Open(name), 0); // "" names the folder itself
        EXPECT_EQ(MediaRegistryHead(), nullptr);
        EXPECT_EQ(MediaGetLength(nullptr), 0u);
        EXPECT_EQ(MediaPlay(nullptr), 0);
    }
    EXPECT_EQ(Open("song.wav"), 1);
}

TEST_F(GstPlayer, PathsInUtf8WithNonAsciiNamesOpen) {
    const std::string path = Audio().Path("Canci\xC3\xB3n \xE6\xAD\x8C.mp3");
    ASSERT_EQ(std::system(("cp " + Audio().Path("cbr_plain.mp3") + " '" + path + "'").c_str()), 0);
    EXPECT_EQ(MediaOpen(nullptr, path.c_str(), 0), 1);
    EXPECT_NEAR(MediaGetLength(nullptr), 3000, 50);
}

// Stopped at any moment while it streams, an AIFF song closes: the pipeline never hangs.
TEST_F(GstPlayer, AiffClosesAtAnyMomentOfPlaying) {
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(Open("song.aiff"), 1);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        Wait(std::chrono::milliseconds(15 * i));
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

TEST_F(GstPlayer, PlayPauseStopAndPlayFromTheStart) {
    ASSERT_EQ(Open("cbr_plain.mp3"), 1);
    EXPECT_EQ(MediaPause(nullptr), 1); // nothing to pause yet
    ASSERT_EQ(MediaPlay(nullptr), 1);
    PositionAfterStart(0);
    Wait(300ms);
    EXPECT_GT(MediaGetPosition(nullptr), 250u);

    ASSERT_EQ(MediaPause(nullptr), 1);
    const uint32_t paused = MediaGetPosition(nullptr);
    Wait(200ms);
    EXPECT_EQ(MediaGetPosition(nullptr), paused);

    ASSERT_EQ(MediaSetPosition(nullptr, 2500), 1);
    ASSERT_EQ(MediaStop(nullptr), 1);
    EXPECT_EQ(MediaGetPosition(nullptr), 0u);
    Wait(100ms);
    EXPECT_EQ(MediaGetPosition(nullptr), 0u);
    ASSERT_EQ(MediaPlay(nullptr), 1);
    EXPECT_LT(PositionAfterStart(0), 1000u);
}

// Right after a seek the position reads the target, in every format; playing goes on from it.
TEST_F(GstPlayer, SeekReadsBackTheTarget) {
    for (const char* name : kPlayable) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Open(name), 1);
        ASSERT_EQ(MediaSetPosition(nullptr, 1234), 1);
        EXPECT_EQ(MediaGetPosition(nullptr), 1234u);
        Wait(50ms);
        EXPECT_EQ(MediaGetPosition(nullptr), 1234u); // stopped: stays put

        ASSERT_EQ(MediaPlay(nullptr), 1);
        const uint32_t started = PositionAfterStart(1234);
        EXPECT_GT(started, 1234u);
        EXPECT_LT(started, 1734u);

        ASSERT_EQ(MediaSetPosition(nullptr, 2000), 1);
        const uint32_t after = MediaGetPosition(nullptr);
        EXPECT_GE(after, 2000u);
        EXPECT_LT(after, 2200u);
        Wait(300ms);
        const uint32_t later = MediaGetPosition(nullptr);
        EXPECT_GT(later, 2200u); // still playing after the seek

        ASSERT_EQ(MediaPause(nullptr), 1);
        ASSERT_EQ(MediaSetPosition(nullptr, 500), 1);
        EXPECT_EQ(MediaGetPosition(nullptr), 500u);
        Wait(50ms);
        EXPECT_EQ(MediaGetPosition(nullptr), 500u);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

// Played to its end the song stays Running at its length; Stop then plays it from the start.
TEST_F(GstPlayer, PlayingOnAtTheEndAndStoppingRewinds) {
    for (const char* name : {"song.wav", "vbr_plain.mp3", "song.au", "song.wma", "song.mpt"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Open(name), 1);
        const uint32_t length = MediaGetLength(nullptr);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        ASSERT_EQ(MediaSetPosition(nullptr, length - 150), 1);
        Wait(400ms); // past the end
        EXPECT_EQ(MediaGetPosition(nullptr), length);
        EXPECT_EQ(MediaPlay(nullptr), 1); // Run again at the end
        EXPECT_EQ(MediaRegistryHead()->m_state, PlayState::Running);
        ASSERT_EQ(MediaStop(nullptr), 1);
        EXPECT_EQ(MediaGetPosition(nullptr), 0u);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        const uint32_t restarted = PositionAfterStart(0);
        EXPECT_GT(restarted, 0u);
        EXPECT_LT(restarted, 1000u);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

// A dragged progress slider: seeks one after the other, each read back at once.
TEST_F(GstPlayer, RapidSeeksWhilePlaying) {
    for (const char* name : {"vbr_plain.mp3", "song.wma", "song.mpt"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Open(name), 1);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        for (uint32_t target = 100; target < 2000; target += 37) {
            ASSERT_EQ(MediaSetPosition(nullptr, target), 1);
            const uint32_t readback = MediaGetPosition(nullptr);
            EXPECT_GE(readback, target);
            EXPECT_LT(readback, target + 200);
            Wait(2ms);
        }
        EXPECT_GT(PositionAfterStart(1990), 1990u);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

TEST_F(GstPlayer, SeekPastTheEndStandsAtTheEnd) {
    for (const char* name : {"song.wav", "vbr_plain.mp3", "song.au"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Open(name), 1);
        const uint32_t length = MediaGetLength(nullptr);
        ASSERT_EQ(MediaSetPosition(nullptr, 10000), 1);
        EXPECT_EQ(MediaGetPosition(nullptr), length);
        ASSERT_EQ(MediaPlay(nullptr), 1);
        Wait(100ms);
        EXPECT_EQ(MediaGetPosition(nullptr), length);
        ASSERT_EQ(MediaSetPosition(nullptr, 1000), 1); // and plays again from inside
        EXPECT_GT(PositionAfterStart(1000), 1000u);
        ASSERT_EQ(MediaClose(nullptr), 1);
    }
}

TEST_F(GstPlayer, VolumeIsSetInDecibels) {
    ASSERT_EQ(MediaOpen(nullptr, Audio().Path("song.wav").c_str(), -2000), 1);
    GstElement* pipeline = Pipeline();
    ASSERT_NE(pipeline, nullptr);
    auto* volume = GST_STREAM_VOLUME(pipeline);
    // The volume given at open is only recorded.
    EXPECT_NEAR(gst_stream_volume_get_volume(volume, GST_STREAM_VOLUME_FORMAT_DB), 0.0, 1e-6);
    const int32_t levels[] = {-2000, -60, 0, -1};
    for (int32_t level : levels) {
        MediaSetVolume(nullptr, level);
        EXPECT_NEAR(gst_stream_volume_get_volume(volume, GST_STREAM_VOLUME_FORMAT_DB),
                    level / 100.0, 1e-4);
    }
}

TEST_F(GstPlayer, SecondOpenUnderTheSameKeyLeavesTheFirstPlaying) {
    ASSERT_EQ(Open("song.wav"), 1);
    ASSERT_EQ(MediaPlay(nullptr), 1);
    const uint32_t before = PositionAfterStart(0);
    EXPECT_EQ(Open("cbr_plain.mp3"), 0);
    Wait(200ms);
    EXPECT_GT(MediaGetPosition(nullptr), before + 100);
    EXPECT_EQ(MediaGetLength(nullptr), 3000u);
    // Under another key a second file plays alongside.
    int other = 0;
    ASSERT_EQ(Open("vbr_plain.mp3", &other), 1);
    ASSERT_EQ(MediaPlay(&other), 1);
    EXPECT_GT(PositionAfterStart(0, &other), 0u);
    EXPECT_EQ(MediaClose(&other), 1);
    EXPECT_GT(MediaGetPosition(nullptr), before + 100);
}

TEST_F(GstPlayer, BusIsDrainedWhilePlaying) {
    ASSERT_EQ(Open("song.wav"), 1);
    ASSERT_EQ(MediaPlay(nullptr), 1);
    PositionAfterStart(0);
    ASSERT_EQ(MediaSetPosition(nullptr, 1000), 1);
    Wait(300ms);
    MediaGetPosition(nullptr);
    GstBus* bus = gst_element_get_bus(Pipeline());
    EXPECT_FALSE(gst_bus_have_pending(bus));
    gst_object_unref(bus);
}

// The program's own sink: with no sound device it falls back to a clock-synced null sink.
TEST_F(GstPlayer, DefaultSinkOpens) {
    MediaSetBackendFactory(GstMediaBackendFactory());
    ASSERT_EQ(Open("cbr_plain.mp3"), 1);
    EXPECT_NEAR(MediaGetLength(nullptr), 3000, 50);
    ASSERT_EQ(MediaSetPosition(nullptr, 700), 1);
    EXPECT_EQ(MediaGetPosition(nullptr), 700u);
}

TEST_F(GstPlayer, MidiPlaysWhereASynthesiserIsInstalled) {
    struct stat st = {};
    if (stat("/usr/share/sounds/sf2/TimGM6mb.sf2", &st) != 0 &&
        stat("/usr/share/sounds/sf2/FluidR3_GM.sf2", &st) != 0)
        GTEST_SKIP() << "no soundfont";
    // One quarter note at 120 beats a minute: half a second.
    static const char kMidi[] = "MThd\0\0\0\6\0\0\0\1\0\x60"
                                "MTrk\0\0\0\x13"
                                "\0\xFF\x51\3\x07\xA1\x20"
                                "\0\x90\x3C\x64"
                                "\x60\x80\x3C\x40"
                                "\0\xFF\x2F\0";
    const std::string midi(kMidi, sizeof kMidi - 1);
    FILE* f = fopen(Audio().Path("note.mid").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(midi.data(), 1, midi.size(), f);
    fclose(f);
    if (!Open("note.mid"))
        GTEST_SKIP() << "no MIDI synthesiser plugin";
    EXPECT_NEAR(MediaGetLength(nullptr), 500, 50);
    EXPECT_EQ(MediaPlay(nullptr), 1);
    EXPECT_GT(PositionAfterStart(0), 0u);
}

} // namespace
