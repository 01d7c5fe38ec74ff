// Speed of writing and reading the binary lyrics formats at their limits.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"

namespace {

// A full song text: 2048 timed lines of 12 bytes of lyric each, most with two tags.
std::string SongText() {
    std::string text = "[ti:Song]\r\n[ar:Singer]\r\n[offset:250]\r\n";
    for (int i = 0; i < 1024; ++i) {
        const std::string mm = std::to_string(10 + i / 60), ss = std::to_string(10 + i % 50);
        text += "[" + mm + ":" + ss + ".25][" + mm + ":" + ss + ".75]line " +
                std::to_string(100000 + i) + "\r\n";
    }
    return text;
}

void BM_BuildLyrFile(benchmark::State& state) {
    const CCodePage cp;
    const std::string text = SongText();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildLyrFile(cp, text));
}
BENCHMARK(BM_BuildLyrFile);

void BM_ReadLyr(benchmark::State& state) {
    const CCodePage cp;
    const std::string image = BuildLyrFile(cp, SongText());
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    for (auto _ : state)
        ReadLyr(cp, reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                TIME_FORMAT_HUNDREDTHS, pOut.get());
}
BENCHMARK(BM_ReadLyr);

// A crafted image: 2048 entries, each pointing one byte further into one run of 60,000 CR bytes,
// so every string differs from every other and is nearly as long as the run.
void BM_ReadLyrOverlappingStrings(benchmark::State& state) {
    const CCodePage cp;
    const size_t nCount = 2048;
    std::string image(0x218 + 4 * nCount, '\0');
    image[0x216] = static_cast<char>(nCount >> 8);
    const size_t nRun = image.size() - 512;
    image += std::string(60000, '\r') + '\0';
    for (size_t i = 0; i < nCount; ++i) {
        image[0x218 + 4 * i + 2] = static_cast<char>((nRun + i) >> 8);
        image[0x218 + 4 * i + 3] = static_cast<char>(nRun + i);
    }
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    for (auto _ : state)
        ReadLyr(cp, reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                TIME_FORMAT_HUNDREDTHS, pOut.get());
}
BENCHMARK(BM_ReadLyrOverlappingStrings)->Unit(benchmark::kMillisecond);

void BM_BuildMptFile(benchmark::State& state) {
    const CCodePage cp;
    const std::string text = SongText();
    const std::string audio(4 << 20, '\x55');
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildMptFile(cp, text, "song.mp3", 240000, audio));
}
BENCHMARK(BM_BuildMptFile);

void BM_ReadMpt(benchmark::State& state) {
    const CCodePage cp;
    const std::string file = BuildMptFile(cp, SongText(), "song.mp3", 240000, "");
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    for (auto _ : state)
        ReadMpt(cp, reinterpret_cast<const uint8_t*>(file.data()), file.size(),
                TIME_FORMAT_HUNDREDTHS, pOut.get());
}
BENCHMARK(BM_ReadMpt);

// The slowest header a reader can meet: 8190 records of distinct two-byte texts.
void BM_ReadMptWorstCase(benchmark::State& state) {
    const CCodePage cp;
    std::string data(20, '\0');
    data[2] = 18;
    data[13] = static_cast<char>(8190 & 0xFF);
    data[14] = static_cast<char>(8190 >> 8);
    for (int i = 0; i < 8190; ++i)
        data += std::string("\x08\0\0\0\0\0", 6) + static_cast<char>(0x21 + i / 94) +
                static_cast<char>(0x21 + i % 94);
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    for (auto _ : state)
        ReadMpt(cp, reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                TIME_FORMAT_HUNDREDTHS, pOut.get());
}
BENCHMARK(BM_ReadMptWorstCase);

} // namespace

BENCHMARK_MAIN();
