// Opening a lyrics file of 65,535 bytes: detecting its code page, normalising and decoding it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "doc/LrcText.h"
#include "doc/TextFile.h"

namespace {

std::string Lines(std::string_view line, std::string_view lineEnd, unsigned nLines) {
    std::string text;
    for (unsigned n = 0; n < nLines; ++n) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "[%02u:%02u.%02u]", n / 6000 % 100, n / 100 % 60, n % 100);
        text.append(tag).append(line).append(lineEnd);
    }
    return text;
}

size_t NormalisedSize(const std::string& text) {
    CCodePage latin1;
    CCodePage::FromName("ISO-8859-1", latin1); // line ends and tags are ASCII in every code page
    std::string out;
    NormaliseLoadedText(latin1, text, out);
    return out.size();
}

// Timed lyric lines with the given line end, as many as fit the editor once normalised, padded
// with blanks so that the editor is full: 65,535 bytes.
std::string MakeLyrics(std::string_view line, std::string_view lineEnd) {
    unsigned lo = 0, hi = LYRICS_MAX_TEXT;
    while (lo + 1 < hi) {
        const unsigned mid = (lo + hi) / 2;
        (NormalisedSize(Lines(line, lineEnd, mid)) <= LYRICS_MAX_TEXT ? lo : hi) = mid;
    }
    std::string text = Lines(line, lineEnd, lo);
    return text.append(LYRICS_MAX_TEXT - NormalisedSize(text), ' ');
}

void Open(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        CLoadedText loaded;
        if (LoadLyricsText(file, 0, loaded) != TextLoadResult::Ok)
            state.SkipWithError("not opened");
        benchmark::DoNotOptimize(loaded.strUnicode.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

void BM_OpenUtf8CrLf(benchmark::State& state) {
    Open(state, MakeLyrics("\xE6\x9C\x88\xE4\xBA\xAE\xE4\xBB\xA3\xE8\xA1\xA8 moonlight", "\r\n"));
}
void BM_OpenGbkLf(benchmark::State& state) { // not UTF-8: uchardet has to guess
    Open(state, MakeLyrics("\xD4\xC2\xC1\xC1\xB4\xFA\xB1\xED\xCE\xD2\xB5\xC4\xD0\xC4", "\n"));
}
void BM_OpenCp1252MidLineTags(benchmark::State& state) {
    Open(state, MakeLyrics("Coraz\xF3n [00:01]ma\xF1"
                           "ana",
                           "\r"));
}
void BM_OpenUnclosedBrackets(benchmark::State& state) { // the worst case for the tag shape test
    std::string file;
    while (file.size() < LYRICS_MAX_TEXT / 3 * 2 - 4) // each group gains CR LF
        file += "x[0:";
    file += "]";
    Open(state, file);
}

BENCHMARK(BM_OpenUtf8CrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGbkLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCp1252MidLineTags)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenUnclosedBrackets)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
