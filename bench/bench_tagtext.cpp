// The Edit menu's whole-text tag edits on a full editor text (65,535 bytes, GBK and UTF-8).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "doc/LrcText.h"
#include "view/TagText.h"

namespace {
std::string MakeText(const CCodePage& cp) {
    std::string lyric;
    cp.FromUnicode(u"我们一起唱这首歌 sing along", lyric);
    std::string text = "[ti:Bench]\r\n[ar:Someone]\r\n";
    for (uint32_t i = 0; text.size() + 64 < LYRICS_MAX_TEXT; ++i) {
        char tag[TIME_TAG_BUFFER];
        text.append(tag, FormatTimeTag(tag, i * 1730, 1));
        text += lyric + "\r\n";
    }
    return text;
}

template <size_t (*Edit)(const CCodePage&, const char*, char*)>
void BM_WholeText(benchmark::State& state, const char* pszCodePage) {
    CCodePage cp;
    CCodePage::FromName(pszCodePage, cp);
    const std::string text = MakeText(cp);
    auto out = std::make_unique<char[]>(LYRICS_CAPACITY + 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(Edit(cp, text.c_str(), out.get()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
} // namespace

void BM_DelAllTags(benchmark::State& state, const char* pszCodePage) {
    BM_WholeText<RemoveTimeTags>(state, pszCodePage);
}
void BM_DelFractions(benchmark::State& state, const char* pszCodePage) {
    BM_WholeText<RemoveTagFractions>(state, pszCodePage);
}

BENCHMARK_CAPTURE(BM_DelAllTags, GBK, "GBK");
BENCHMARK_CAPTURE(BM_DelAllTags, UTF8, "UTF-8");
BENCHMARK_CAPTURE(BM_DelFractions, GBK, "GBK");
BENCHMARK_CAPTURE(BM_DelFractions, UTF8, "UTF-8");
BENCHMARK_MAIN();
