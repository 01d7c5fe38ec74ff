#pragma once
// The waveform strip of the timing panel: the song's outline, a marker for every time tag (the
// caret line's tags highlighted), the play head and a seconds ruler. A click seeks, a marker
// dragged moves its tag, Ctrl+wheel zooms about the pointer, the wheel alone scrolls.

#include <QWidget>
#include <functional>
#include <vector>

#include "player/WavePeaks.h"

class CWaveformView : public QWidget {
public:
    struct SMarker {
        uint32_t nPosition = 0; // play position of the tag (offset applied)
        int nLine = 0;
    };

    explicit CWaveformView(QWidget* pParent = nullptr);

    void SetPeaks(const std::vector<SPeakBin>* pBins, uint32_t nBinMs);
    void SetMarkers(std::vector<SMarker> markers);
    const std::vector<SMarker>& Markers() const { return m_markers; }
    void SetCaretLine(int nLine);
    void SetLength(uint32_t nLengthMs);
    // The play head; while following, the view scrolls to keep it in sight.
    void SetPlayPosition(uint32_t nPosition, bool bFollow);

    // Milliseconds per pixel (zoom) and the time at the left edge.
    double MsPerPixel() const { return m_dMsPerPx; }
    void SetMsPerPixel(double dMsPerPx);
    double ViewStart() const { return m_dStartMs; }
    void SetViewStart(double dStartMs);
    // The time under x and the x of a time.
    double TimeAt(double x) const { return m_dStartMs + x * m_dMsPerPx; }
    double XOf(double dMs) const { return (dMs - m_dStartMs) / m_dMsPerPx; }

    static constexpr double kMinMsPerPx = 1.0;
    static constexpr double kMaxMsPerPx = 200.0;
    static constexpr double kDefaultMsPerPx = 10.0;

    // Seek to a play position; move marker i to a play position; the zoom changed.
    std::function<void(uint32_t)> m_onSeek;
    std::function<void(size_t, uint32_t)> m_onMoveMarker;
    std::function<void(double)> m_onZoom;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;

private:
    // Index of the marker within a few pixels of x, or -1.
    int MarkerAt(double x) const;
    uint32_t ClampedTime(double x) const;
    void DrawRuler(QPainter& painter);

    const std::vector<SPeakBin>* m_pBins = nullptr;
    uint32_t m_nBinMs = PEAK_BIN_MS;
    std::vector<SMarker> m_markers;
    std::vector<SPeakBin> m_columns; // reused by every paint
    int m_nCaretLine = -1;
    uint32_t m_nLength = 0;
    uint32_t m_nPlayPosition = 0;
    double m_dMsPerPx = kDefaultMsPerPx;
    double m_dStartMs = 0.0;

    int m_nDragMarker = -1;
    bool m_bDragMoved = false;
    double m_dPressX = 0.0;
    double m_dDragX = 0.0;
};
