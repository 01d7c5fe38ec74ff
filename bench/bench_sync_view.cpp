// A full UpdatePlayPosition of the editor view on a full editor text (65,535 bytes), as a timer
// tick runs it: the now-tag scan on the cached text bytes, the caret jump and the gutter
// request. Without a frame, so the control bar writes find no bar.
#include <QTextCursor>
#include <benchmark/benchmark.h>
#include <string>

#include "doc/LrcText.h"
#include "view/VersewrightView.h"

namespace {

std::string MakeLyrics() {
    std::string text = "[ti:Benchmark]\r\n[ar:Versewright]\r\n";
    char tag[TIME_TAG_BUFFER];
    for (uint32_t time = 0;; time += 3200) {
        FormatTimeTag(tag, time, TIME_FORMAT_HUNDREDTHS);
        const std::string line = std::string(tag) + "And the river takes me home tonight\r\n";
        if (text.size() + line.size() > LYRICS_MAX_TEXT)
            break;
        text += line;
    }
    return text;
}

CVersewrightView& View() {
    static CVersewrightView* s_pView = [] {
        auto* pView = new CVersewrightView;
        pView->SetLyricsText(MakeLyrics().c_str());
        pView->m_bAudioLoaded = 1;
        return pView;
    }();
    return *s_pView;
}

// Each refresh finds another now tag: the caret moves every time (the most a tick does).
void BM_UpdatePlayPositionTagChanges(benchmark::State& state) {
    CVersewrightView& view = View();
    uint32_t nPosition = 1000;
    for (auto _ : state) {
        nPosition = nPosition == 1000 ? 3000000 : 1000;
        view.UpdatePlayPosition(nPosition, true);
    }
}
BENCHMARK(BM_UpdatePlayPositionTagChanges);

// The now tag stays: the common tick.
void BM_UpdatePlayPositionTagStays(benchmark::State& state) {
    CVersewrightView& view = View();
    uint32_t nPosition = 3000000;
    for (auto _ : state) {
        nPosition = nPosition == 3000000 ? 3000100 : 3000000;
        view.UpdatePlayPosition(nPosition, false);
    }
}
BENCHMARK(BM_UpdatePlayPositionTagStays);

// The first tick after an edit encodes the text again.
void BM_UpdatePlayPositionAfterEdit(benchmark::State& state) {
    CVersewrightView& view = View();
    for (auto _ : state) {
        QTextCursor cursor(view.document());
        cursor.insertText(QStringLiteral("x"));
        cursor.deletePreviousChar();
        view.UpdatePlayPosition(3000000, true);
    }
}
BENCHMARK(BM_UpdatePlayPositionAfterEdit);

} // namespace
