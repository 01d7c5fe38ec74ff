// The waveform outline: reduction of decoded samples, the cache entry and its file, and the
// columns drawn.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <string>

#include "player/WavePeaks.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(Peaks, ReducerBinsEveryChannelWithoutDrift) {
    // 1 kHz stereo: ten frames a bin. The right channel carries the extremes of frame 12.
    std::vector<float> samples(2 * 25, 0.25f);
    samples[2 * 12 + 1] = -0.5f;
    samples[2 * 3] = 2.0f;           // clipped
    samples[2 * 4] = std::nanf("");  // no value: silence
    CPeakReducer whole(1000, 2);
    whole.AddSamples(samples.data(), 25);
    whole.Finish();
    ASSERT_EQ(whole.Bins().size(), 3u);
    EXPECT_EQ(whole.Bins()[0].nMax, 32767);
    EXPECT_EQ(whole.Bins()[1].nMin, -16384);
    EXPECT_EQ(whole.Bins()[1].nMax, 8192);
    EXPECT_EQ(whole.Bins()[2].nMin, 8192);

    // Fed in odd pieces, the bins are the same.
    CPeakReducer pieces(1000, 2);
    for (size_t at = 0; at < 25; at += 7)
        pieces.AddSamples(samples.data() + 2 * at, std::min<size_t>(7, 25 - at));
    pieces.Finish();
    ASSERT_EQ(pieces.Bins().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pieces.Bins()[i].nMin, whole.Bins()[i].nMin) << i;
        EXPECT_EQ(pieces.Bins()[i].nMax, whole.Bins()[i].nMax) << i;
    }

    // Rates that do not divide into bins still give one bin per 10 ms over five minutes.
    for (const uint32_t rate : {44100u, 22050u, 11025u, 8000u}) {
        CPeakReducer reducer(rate, 1);
        std::vector<float> second(rate, 0.0f);
        for (int s = 0; s < 300; ++s)
            reducer.AddSamples(second.data(), second.size());
        reducer.Finish();
        EXPECT_EQ(reducer.Bins().size(), 30000u) << rate;
    }
}

TEST(Peaks, CacheEntryStandsOnlyForItsOwnFile) {
    const SPeakSource source{123456, 1700000000123456789};
    const std::vector<SPeakBin> bins = {{-3, 5}, {-32767, 32767}, {0, 0}};
    const std::string bytes = EncodePeakCache(source, 10, bins);
    uint32_t binMs = 0;
    std::vector<SPeakBin> back;
    ASSERT_TRUE(DecodePeakCache(bytes, source, &binMs, &back));
    EXPECT_EQ(binMs, 10u);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[1].nMin, -32767);
    EXPECT_EQ(back[0].nMax, 5);

    std::string huge = bytes;
    huge[31] = '\x7f'; // a count far past the bytes there are
    const struct {
        std::string bytes;
        SPeakSource source;
    } refused[] = {
        {bytes, {123457, source.nModifiedNs}},
        {bytes, {source.nSize, source.nModifiedNs + 1}},
        {bytes.substr(0, bytes.size() - 1), source},
        {bytes + "x", source},
        {bytes.substr(0, 20), source},
        {"", source},
        {huge, source},
        {"X" + bytes.substr(1), source},
    };
    for (size_t i = 0; i < std::size(refused); ++i)
        EXPECT_FALSE(DecodePeakCache(refused[i].bytes, refused[i].source, &binMs, &back)) << i;
}

TEST(Peaks, CacheFileIsWrittenWholeOrNotAtAll) {
    CTempFolder dir;
    ASSERT_FALSE(dir.Path().empty());
    const std::string song = dir.Write("song.wav", "RIFF....");
    SPeakSource source;
    ASSERT_TRUE(ReadPeakSource(song, &source));
    EXPECT_EQ(source.nSize, 8u);
    EXPECT_FALSE(ReadPeakSource(dir.Path(), &source)); // a folder is no song

    const std::string name = PeakCacheFileName(song);
    EXPECT_NE(name, PeakCacheFileName(song + "x"));
    const std::string cache = dir / name;
    const std::vector<SPeakBin> bins(500, SPeakBin{-7, 9});
    ASSERT_TRUE(SavePeakCache(cache, source, 10, bins));
    uint32_t binMs = 0;
    std::vector<SPeakBin> back;
    ASSERT_TRUE(LoadPeakCache(cache, source, &binMs, &back));
    EXPECT_EQ(back.size(), 500u);

    // A process that may write no file longer than 100 bytes fails to replace the entry and
    // leaves the older one whole, with nothing beside it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
        _exit(SavePeakCache(cache, source, 10, std::vector<SPeakBin>(900)) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not fail";
    ASSERT_TRUE(LoadPeakCache(cache, source, &binMs, &back));
    EXPECT_EQ(back.size(), 500u);
    const auto files = std::filesystem::directory_iterator(dir.Path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 2); // the song and its entry
}

TEST(Peaks, ColumnsTakeTheExtremesOfTheirBins) {
    const std::vector<SPeakBin> bins = {{-1, 1}, {-5, 2}, {-2, 7}, {-3, 3}, {0, 4}};
    const struct {
        double first, perColumn;
        std::vector<std::pair<int, int>> expected;
    } cases[] = {
        {0.0, 2.0, {{-5, 2}, {-3, 7}, {0, 4}}},
        {0.0, 0.5, {{-1, 1}, {-1, 1}, {-5, 2}}},
        {-2.0, 2.0, {{0, 0}, {-5, 2}, {-3, 7}}},
        {4.0, 3.0, {{0, 4}, {0, 0}}},
        {1.5, 1.0, {{-5, 7}, {-3, 7}}},
        {0.0, 100.0, {{-5, 7}}},
    };
    for (const auto& c : cases) {
        std::vector<SPeakBin> columns(c.expected.size(), SPeakBin{99, 99});
        ReduceToColumns(bins.data(), bins.size(), c.first, c.perColumn, columns.data(),
                        int(columns.size()));
        for (size_t i = 0; i < columns.size(); ++i) {
            EXPECT_EQ(columns[i].nMin, c.expected[i].first) << c.first << " " << i;
            EXPECT_EQ(columns[i].nMax, c.expected[i].second) << c.first << " " << i;
        }
    }
}

} // namespace
