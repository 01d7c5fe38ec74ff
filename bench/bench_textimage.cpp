// The byte image of a full editor text (65,535 bytes of GBK, or of UTF-8 once one character
// does not fit GBK): making it, as the first tick after an edit does, and mapping every line's
// first tag between byte and editor positions, as a panel that shows every tag would.
#include <benchmark/benchmark.h>

#include <string>

#include "doc/LrcText.h"
#include "platform/TextImage.h"

namespace {

std::u16string MakeText(bool bUnfit) {
    std::u16string text = bUnfit ? u"[ti:\U0001F3B5]\n" : u"[ti:Bench]\n";
    for (uint32_t i = 0; text.size() * 2 + 64 < LYRICS_MAX_TEXT; ++i) {
        char tag[TIME_TAG_BUFFER];
        const size_t n = FormatTimeTag(tag, i * 1730, 1);
        text.append(tag, tag + n);
        text += u"\u6211\u4EEC\u4E00\u8D77\u5531\u8FD9\u9996\u6B4C sing along\n";
    }
    return text;
}

CCodePage Gbk() {
    CCodePage cp;
    CCodePage::FromName("GBK", cp);
    return cp;
}

void BM_MakeImage(benchmark::State& state) {
    const std::u16string text = MakeText(state.range(0) != 0);
    const CCodePage gbk = Gbk();
    for (auto _ : state)
        benchmark::DoNotOptimize(CTextImage(gbk, text).Bytes().size());
}
BENCHMARK(BM_MakeImage)->Arg(0)->Arg(1)->ArgName("unfit");

void BM_MapEveryLine(benchmark::State& state) {
    const CTextImage image(Gbk(), MakeText(state.range(0) != 0));
    for (auto _ : state) {
        size_t nSum = 0;
        for (int nLine = 0; nLine < image.LineCount(); ++nLine) {
            const size_t nByte = image.LineStartByte(nLine) + 10; // past a "[mm:ss.xx]"
            nSum += image.ByteOfPosition(image.PositionOfByte(nByte));
        }
        benchmark::DoNotOptimize(nSum);
    }
}
BENCHMARK(BM_MapEveryLine)->Arg(0)->Arg(1)->ArgName("unfit");

} // namespace

BENCHMARK_MAIN();
