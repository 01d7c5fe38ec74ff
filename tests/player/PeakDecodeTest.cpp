// The GStreamer decode of a song into its waveform outline, on songs made here.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <string>

#include "player/GstPeakDecoder.h"
#include "tests/support/TempFolder.h"

namespace {

// A mono 16-bit WAV at 8 kHz: one second of silence, then one second of a square wave at half
// scale.
std::string QuietThenLoudWav() {
    constexpr uint32_t kRate = 8000;
    std::string data;
    for (uint32_t i = 0; i < 2 * kRate; ++i) {
        const int16_t s = i < kRate ? 0 : ((i / 20) % 2 ? 16384 : -16384);
        data.push_back(char(s & 0xff));
        data.push_back(char(s >> 8));
    }
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s.push_back(char(v >> (8 * i)));
        return s;
    };
    return "RIFF" + le(36 + uint32_t(data.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
           le(1, 2) + le(kRate, 4) + le(kRate * 2, 4) + le(2, 2) + le(16, 2) + "data" +
           le(uint32_t(data.size()), 4) + data;
}

class PeakDecode : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_dir.Path().empty());
        m_dir.Write("song.wav", QuietThenLoudWav());
        m_dir.Write("lyrics.mp3", "[00:01.00]not audio\r\n");
    }
    std::string Path(const char* name) const { return m_dir / name; }
    CTempFolder m_dir;
};

TEST_F(PeakDecode, QuietAndLoudHalvesShowInTheBins) {
    // The WAV, and the copies the machine's tools can make of it.
    const std::string wav = Path("song.wav");
    std::vector<std::string> songs = {wav};
    const struct {
        const char* tool;
        const char* name;
    } copies[] = {{"lame --quiet -b 64", "song.mp3"}, {"sox -q", "song.aiff"}};
    for (const auto& copy : copies) {
        const std::string out = Path(copy.name);
        const std::string command = std::string(copy.tool) + " '" + wav + "' '" + out + "'";
        if (std::system((command + " 2>/dev/null").c_str()) == 0)
            songs.push_back(out);
    }
    for (const std::string& song : songs) {
        std::vector<SPeakBin> bins;
        std::string error;
        ASSERT_TRUE(DecodeSongPeaks(song, 10, nullptr, nullptr, &bins, error)) << error;
        // MP3 adds a little padding at each end.
        ASSERT_NEAR(double(bins.size()), 200.0, 12.0) << song;
        EXPECT_LT(std::max(std::abs(bins[40].nMin), std::abs(bins[40].nMax)), 500) << song;
        EXPECT_GT(bins[160].nMax, 12000) << song;
        EXPECT_LT(bins[160].nMin, -12000) << song;
    }
    if (songs.size() < 3)
        GTEST_SKIP() << "lame or sox cannot make the MP3 and AIFF copies";
}

TEST_F(PeakDecode, FailuresSayWhyAndCancelStops) {
    std::vector<SPeakBin> bins;
    std::string error;
    EXPECT_FALSE(DecodeSongPeaks(Path("lyrics.mp3"), 10, nullptr, nullptr, &bins, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(DecodeSongPeaks(Path("missing.wav"), 10, nullptr, nullptr, &bins, error));
    EXPECT_FALSE(error.empty());

    std::atomic<bool> cancel{true};
    EXPECT_FALSE(DecodeSongPeaks(Path("song.wav"), 10, &cancel, nullptr, &bins, error));
    EXPECT_TRUE(bins.empty());
}

} // namespace
