// One refresh of the playback display on a full editor text (65,535 bytes): the now-tag scan,
// the line of the tag, the now-tag field and the time field.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "doc/LrcText.h"
#include "doc/NowTag.h"
#include "doc/PlayTime.h"

namespace {

// Timed lyrics filling the editor: one tag per line, 3.2 s apart, lyric in the given words.
std::string MakeLyrics(const char* words) {
    std::string text = "[ti:Benchmark]\r\n[ar:Versewright]\r\n[offset:0]\r\n";
    uint32_t time = 0;
    char tag[TIME_TAG_BUFFER];
    for (;;) {
        FormatTimeTag(tag, time, TIME_FORMAT_HUNDREDTHS);
        std::string line = std::string(tag) + words + "\r\n";
        if (text.size() + line.size() > LYRICS_MAX_TEXT)
            break;
        text += line;
        time += 3200;
    }
    text.append(LYRICS_MAX_TEXT - text.size(), ' ');
    return text;
}

void Refresh(benchmark::State& state, const CCodePage& cp, const std::string& text) {
    // Position near the end: the scan never stops early anyway, but the line count is longest.
    const uint32_t position = 3200u * static_cast<uint32_t>(text.size() / 40);
    int32_t offset = 0;
    for (auto _ : state) {
        bool hasTags = false;
        SNowTag tag;
        char time[PLAY_TIME_BUFFER];
        FormatPlayTime(time, position);
        if (FindNowTagInText(cp, text.c_str(), text.size(), position, &offset, &hasTags, &tag)) {
            benchmark::DoNotOptimize(LineOfPosition(cp, text.c_str(), tag.nTagEnd));
            benchmark::DoNotOptimize(NowTagFieldText(offset, NowTagText(text.c_str(), tag),
                                                     NowTagLyric(text.c_str(), tag)));
        }
        benchmark::DoNotOptimize(time);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void BM_RefreshLatin(benchmark::State& state) {
    static const std::string text = MakeLyrics("And the river takes me home tonight");
    Refresh(state, CCodePage(), text);
}
BENCHMARK(BM_RefreshLatin);

void BM_RefreshUtf8Cjk(benchmark::State& state) {
    static const std::string text =
        MakeLyrics("\xe6\x9c\x88\xe4\xba\xae\xe4\xbb\xa3\xe8\xa1\xa8\xe6\x88\x91\xe7\x9a\x84"
                   "\xe5\xbf\x83");
    Refresh(state, CCodePage(), text);
}
BENCHMARK(BM_RefreshUtf8Cjk);

void BM_RefreshGbk(benchmark::State& state) {
    static const std::string text =
        MakeLyrics("\xd4\xc2\xc1\xc1\xb4\xfa\xb1\xed\xce\xd2\xb5\xc4\xd0\xc4");
    CCodePage cp;
    CCodePage::FromName("GBK", cp);
    Refresh(state, cp, text);
}
BENCHMARK(BM_RefreshGbk);

} // namespace

BENCHMARK_MAIN();
