// The waveform outline of a five-minute song: the whole decode and reduction of an MP3 (what a
// song without a cache entry costs before its waveform shows), the reduction of decoded samples
// alone, and reading the cache entry back (what every later load costs).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "player/GstPeakDecoder.h"
#include "player/WavePeaks.h"

namespace {

constexpr int kSongSeconds = 300;

// A five-minute stereo MP3 at 44.1 kHz, made once with sox and lame, removed at exit.
struct CSong {
    CSong() {
        char dir[] = "/tmp/bench_peaks_XXXXXX";
        if (!mkdtemp(dir))
            return;
        strDir = dir;
        const std::string wav = strDir + "/song.wav";
        const std::string mp3 = strDir + "/song.mp3";
        const std::string command =
            "sox -q -n -r 44100 -c 2 -b 16 '" + wav + "' synth " + std::to_string(kSongSeconds) +
            " sine 220-880 vol 0.5 && lame --quiet -b 192 '" + wav + "' '" + mp3 + "'";
        if (std::system(command.c_str()) == 0)
            strPath = mp3;
    }
    ~CSong() {
        std::error_code error;
        if (!strDir.empty())
            std::filesystem::remove_all(strDir, error);
    }
    std::string strDir;
    std::string strPath;
};

const std::string& SongPath() {
    static const CSong s_song;
    return s_song.strPath;
}

void BM_DecodeFiveMinuteMp3(benchmark::State& state) {
    if (SongPath().empty()) {
        state.SkipWithError("sox or lame cannot make the song");
        return;
    }
    for (auto _ : state) {
        std::vector<SPeakBin> bins;
        std::string error;
        if (!DecodeSongPeaks(SongPath(), PEAK_BIN_MS, nullptr, nullptr, &bins, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(bins.data());
    }
}
BENCHMARK(BM_DecodeFiveMinuteMp3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReduceFiveMinutesOfSamples(benchmark::State& state) {
    std::vector<float> second(44100 * 2);
    for (size_t i = 0; i < second.size(); ++i)
        second[i] = float((i * 7919) % 2001) / 1000.0f - 1.0f;
    for (auto _ : state) {
        CPeakReducer reducer(44100, 2);
        for (int s = 0; s < kSongSeconds; ++s)
            reducer.AddSamples(second.data(), 44100);
        reducer.Finish();
        benchmark::DoNotOptimize(reducer.Bins().data());
    }
}
BENCHMARK(BM_ReduceFiveMinutesOfSamples)->Unit(benchmark::kMillisecond);

void BM_ReadFiveMinuteCacheEntry(benchmark::State& state) {
    const std::vector<SPeakBin> bins(kSongSeconds * 1000 / PEAK_BIN_MS, SPeakBin{-1000, 1000});
    const SPeakSource source{1234567, 42};
    char path[] = "/tmp/bench_peaks_cache_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0 || !SavePeakCache(path, source, PEAK_BIN_MS, bins)) {
        state.SkipWithError("no temporary file");
        return;
    }
    close(fd);
    for (auto _ : state) {
        uint32_t binMs = 0;
        std::vector<SPeakBin> back;
        benchmark::DoNotOptimize(LoadPeakCache(path, source, &binMs, &back));
    }
    std::remove(path);
}
BENCHMARK(BM_ReadFiveMinuteCacheEntry)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
