// LRC text speed: the playback display walks every time tag of the text each 100 ms, and the
// tidy command cleans and rebuilds the whole text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "doc/LrcText.h"

namespace {

constexpr int TAGGED_LINES = 2000;

// A full-size lyrics text (LYRICS_MAX_TEXT bytes): a header, then TAGGED_LINES tagged lines
// whose lyrics alternate between ASCII and Chinese, in the given code page.
std::string MakeLyrics(const CCodePage& cp) {
    std::vector<std::string> cjk;
    for (char16_t c : std::u16string(u"我们一起唱这首歌明天的阳光照在你的脸上")) {
        std::string bytes;
        cp.FromUnicode(std::u16string(1, c), bytes);
        cjk.push_back(bytes);
    }
    const std::string ascii = "Sing it loud tonight and hold on to the light ";
    std::string text = "[ti:Benchmark Song]\r\n[ar:Someone]\r\n[offset:-120]\r\n\r\n";
    for (int i = 0; i < TAGGED_LINES; ++i) {
        const size_t budget = (LYRICS_MAX_TEXT - text.size()) / (TAGGED_LINES - i);
        char tag[TIME_TAG_BUFFER];
        const size_t lineStart = text.size();
        text.append(tag, FormatTimeTag(tag, static_cast<uint32_t>(i) * 1730, 1));
        const size_t lyricEnd = lineStart + budget - 2;
        for (size_t k = 0; text.size() < lyricEnd; ++k) {
            const std::string piece =
                i % 2 ? cjk[k % cjk.size()] : ascii.substr(k % ascii.size(), 1);
            if (text.size() + piece.size() > lyricEnd)
                break;
            text += piece;
        }
        while (text.size() < lyricEnd)
            text += '!';
        text += "\r\n";
    }
    text.append(LYRICS_MAX_TEXT - text.size(), 'x'); // the last, untagged line
    return text;
}

void BM_WalkAllTimeTags(benchmark::State& state, const char* pszPage) {
    CCodePage cp;
    CCodePage::FromName(pszPage, cp);
    const std::string text = MakeLyrics(cp);
    const char* end = text.c_str() + text.size();
    int nTags = 0;
    for (auto _ : state) {
        nTags = 0;
        uint32_t nTime = 0;
        int32_t nOffset = 0;
        for (const char* p = text.c_str(); (p = FindTimeTag(cp, p, end, &nTime, &nOffset));)
            ++nTags;
        benchmark::DoNotOptimize(nTime);
        benchmark::DoNotOptimize(nOffset);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["tags"] = nTags;
}

void BM_CleanAndRebuild(benchmark::State& state, const char* pszPage) {
    CCodePage cp;
    CCodePage::FromName(pszPage, cp);
    const std::string text = MakeLyrics(cp);
    std::vector<char> buffer(LYRICS_CAPACITY);
    bool bFits = true;
    for (auto _ : state) {
        text.copy(buffer.data(), text.size());
        buffer[text.size()] = '\0';
        CleanLyrics(cp, buffer.data());
        bFits = RebuildLyrics(cp, buffer.data(), TIME_FORMAT_HUNDREDTHS);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["fits"] = bFits;
}

} // namespace

BENCHMARK_CAPTURE(BM_WalkAllTimeTags, utf8, "UTF-8")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WalkAllTimeTags, gbk, "GBK")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CleanAndRebuild, utf8, "UTF-8")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CleanAndRebuild, gbk, "GBK")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
