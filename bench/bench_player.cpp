// The player over GStreamer into a clock-synced fakeaudiosink: the cost of a position read
// while playing, how closely the position follows the wall clock, and how quickly a seek reads
// back and plays on.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "player/GstMediaBackend.h"
#include "player/MediaPlayer.h"
#include "player/Mp3Length.h"

namespace {

using Clock = std::chrono::steady_clock;

// A 16-bit mono WAV file of a tone, long enough for every benchmark.
std::string MakeSong(int nSeconds) {
    const std::string path = "/tmp/vw_bench_player_" + std::to_string(getpid()) + ".wav";
    const uint32_t nRate = 44100;
    const uint32_t nData = nRate * 2 * uint32_t(nSeconds);
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + nData);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(nRate);
    u32(nRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(nData);
    for (uint32_t i = 0; i < nData / 2; ++i)
        u16(uint16_t(int16_t(3000 * std::sin(i * 2 * M_PI * 440 / nRate))));
    return path;
}

struct CSong {
    CSong() : strPath(MakeSong(40)) {
        MediaSetBackendFactory(GstMediaBackendFactory("fakeaudiosink"));
    }
    ~CSong() { std::remove(strPath.c_str()); }
    std::string strPath;
};

const std::string& SongPath() {
    static CSong s_song;
    return s_song.strPath;
}

// Opens the song and plays it until the position moves.
bool OpenAndPlay() {
    if (!MediaOpen(nullptr, SongPath().c_str(), 0) || !MediaPlay(nullptr))
        return false;
    for (int i = 0; i < 1000 && MediaGetPosition(nullptr) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void BM_GetPositionWhilePlaying(benchmark::State& state) {
    if (!OpenAndPlay()) {
        state.SkipWithError("cannot play");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(MediaGetPosition(nullptr));
    MediaClose(nullptr);
}
BENCHMARK(BM_GetPositionWhilePlaying)->MinTime(2.0);

// Reads the position every 100 ms for 10 s, as the view does, and compares the distance moved
// with the wall clock's; the counter is the largest difference in milliseconds.
void BM_PositionAgainstWallClock(benchmark::State& state) {
    double maxError = 0;
    for (auto _ : state) {
        if (!OpenAndPlay()) {
            state.SkipWithError("cannot play");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // settle
        const auto t0 = Clock::now();
        const double p0 = MediaGetPosition(nullptr);
        for (int i = 1; i <= 100; ++i) {
            std::this_thread::sleep_until(t0 + std::chrono::milliseconds(100 * i));
            const double wall =
                std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            const double moved = MediaGetPosition(nullptr) - p0;
            maxError = std::max(maxError, std::fabs(moved - wall));
        }
        MediaClose(nullptr);
    }
    state.counters["max_error_ms"] = maxError;
}
BENCHMARK(BM_PositionAgainstWallClock)->Iterations(1)->Unit(benchmark::kMillisecond);

// A seek while playing: the time until the position reads the target (at once), and the time
// until the song plays on from the target (the position moves past it).
void BM_SeekWhilePlaying(benchmark::State& state) {
    if (!OpenAndPlay()) {
        state.SkipWithError("cannot play");
        return;
    }
    double readbackUs = 0;
    double playingMs = 0;
    int64_t n = 0;
    uint32_t target = 1000;
    for (auto _ : state) {
        target = target >= 30000 ? 1000 : target + 1234;
        const auto t0 = Clock::now();
        MediaSetPosition(nullptr, target);
        const uint32_t readback = MediaGetPosition(nullptr);
        const auto t1 = Clock::now();
        if (readback != target)
            state.SkipWithError("seek did not read back its target");
        while (MediaGetPosition(nullptr) <= target && Clock::now() - t0 < std::chrono::seconds(2))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const auto t2 = Clock::now();
        readbackUs += std::chrono::duration<double, std::micro>(t1 - t0).count();
        playingMs += std::chrono::duration<double, std::milli>(t2 - t0).count();
        ++n;
    }
    MediaClose(nullptr);
    state.counters["readback_us"] = readbackUs / double(n);
    state.counters["plays_on_ms"] = playingMs / double(n);
}
BENCHMARK(BM_SeekWhilePlaying)->Iterations(50)->Unit(benchmark::kMillisecond);

// The length of an hour of 128 kbit/s MP3 without a Xing header: every frame header is read,
// as opening such a file does.
void BM_Mp3LengthScanOneHour(benchmark::State& state) {
    const std::string path = "/tmp/vw_bench_mp3_" + std::to_string(getpid()) + ".mp3";
    {
        std::string frame("\xFF\xFB\x90\x00", 4);
        frame.resize(417, '\x11');
        std::ofstream out(path, std::ios::binary);
        const int nFrames = int(3600 * 44100 / 1152);
        for (int i = 0; i < nFrames; ++i)
            out << frame;
    }
    double seconds = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Mp3ScanLength(path, 0, seconds));
    std::remove(path.c_str());
    state.counters["seconds"] = seconds;
}
BENCHMARK(BM_Mp3LengthScanOneHour)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
