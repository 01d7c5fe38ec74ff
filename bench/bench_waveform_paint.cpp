// One paint of the timing panel's waveform strip at 1,920 pixels: a five-minute outline, a
// marker for each of 120 tags, the ruler and the play head, drawn into an image as the
// window's backing store would be. Zoomed out (the whole song in view, 16 bins a column) and
// at the usual zoom (one bin a column).
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

#include "timing/WaveformView.h"

namespace {

std::vector<SPeakBin>& FiveMinutes() {
    static std::vector<SPeakBin> s_bins = [] {
        std::vector<SPeakBin> bins(300000 / PEAK_BIN_MS);
        for (size_t i = 0; i < bins.size(); ++i) {
            const auto level = static_cast<int16_t>(std::abs(std::sin(i * 0.013)) * 30000);
            bins[i] = SPeakBin{static_cast<int16_t>(-level), level};
        }
        return bins;
    }();
    return s_bins;
}

void PaintAt(benchmark::State& state, double dMsPerPx) {
    CWaveformView view;
    view.resize(1920, 120);
    view.SetPeaks(&FiveMinutes(), PEAK_BIN_MS);
    std::vector<CWaveformView::SMarker> markers;
    for (int i = 0; i < 120; ++i)
        markers.push_back({static_cast<uint32_t>(i * 2500), i});
    view.SetMarkers(std::move(markers));
    view.SetCaretLine(40);
    view.SetMsPerPixel(dMsPerPx);
    view.SetViewStart(60000);
    view.SetPlayPosition(70000, false);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintUsualZoom(benchmark::State& state) {
    PaintAt(state, CWaveformView::kDefaultMsPerPx);
}
BENCHMARK(BM_PaintUsualZoom)->Unit(benchmark::kMillisecond);

void BM_PaintWholeSong(benchmark::State& state) {
    PaintAt(state, 160.0);
}
BENCHMARK(BM_PaintWholeSong)->Unit(benchmark::kMillisecond);

} // namespace
