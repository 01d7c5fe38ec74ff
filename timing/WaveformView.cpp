#include "timing/WaveformView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVarLengthArray>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
const QColor kBackground(0x1e, 0x22, 0x2a);
const QColor kWave(0x4f, 0xb3, 0xbf);
const QColor kRuler(0x8a, 0x93, 0xa3);
const QColor kMarker(0xd8, 0xc1, 0x5a);
const QColor kCaretMarker(0xff, 0x8c, 0x2e);
const QColor kPlayHead(0xf0, 0x4a, 0x4a);
constexpr int kRulerHeight = 14;
constexpr double kGrabPx = 4.0;
constexpr double kDragStartPx = 3.0;
// The play head is put back this far into the view when it runs out of it.
constexpr double kFollowLead = 0.1;
} // namespace

CWaveformView::CWaveformView(QWidget* pParent) : QWidget(pParent) {
    setObjectName(QStringLiteral("waveform"));
    // The editor keeps the keyboard: Insert must still stamp after a click here.
    setFocusPolicy(Qt::NoFocus);
    setMinimumHeight(70);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CWaveformView::SetPeaks(const std::vector<SPeakBin>* pBins, uint32_t nBinMs) {
    m_pBins = pBins;
    m_nBinMs = nBinMs ? nBinMs : PEAK_BIN_MS;
    update();
}

void CWaveformView::SetMarkers(std::vector<SMarker> markers) {
    m_markers = std::move(markers);
    if (m_nDragMarker >= static_cast<int>(m_markers.size()))
        m_nDragMarker = -1;
    update();
}

void CWaveformView::SetCaretLine(int nLine) {
    if (nLine != m_nCaretLine) {
        m_nCaretLine = nLine;
        update();
    }
}

void CWaveformView::SetLength(uint32_t nLengthMs) {
    if (nLengthMs == m_nLength)
        return;
    m_nLength = nLengthMs;
    update();
}

void CWaveformView::SetPlayPosition(uint32_t nPosition, bool bFollow) {
    if (nPosition == m_nPlayPosition)
        return;
    m_nPlayPosition = nPosition;
    const double dVisible = width() * m_dMsPerPx;
    if (bFollow && m_nDragMarker < 0 &&
        (nPosition < m_dStartMs || nPosition >= m_dStartMs + dVisible))
        SetViewStart(nPosition - kFollowLead * dVisible);
    update();
}

void CWaveformView::SetMsPerPixel(double dMsPerPx) {
    m_dMsPerPx = std::clamp(dMsPerPx, kMinMsPerPx, kMaxMsPerPx);
    update();
}

void CWaveformView::SetViewStart(double dStartMs) {
    m_dStartMs = std::max(0.0, dStartMs);
    update();
}

uint32_t CWaveformView::ClampedTime(double x) const {
    double dMs = std::max(0.0, TimeAt(x));
    if (m_nLength)
        dMs = std::min(dMs, static_cast<double>(m_nLength));
    return static_cast<uint32_t>(std::lround(dMs));
}

int CWaveformView::MarkerAt(double x) const {
    int nBest = -1;
    double dBest = kGrabPx + 0.5;
    for (size_t i = 0; i < m_markers.size(); ++i) {
        const double d = std::abs(XOf(m_markers[i].nPosition) - x);
        // On a tie the caret line's tag is the one taken.
        if (d < dBest || (d == dBest && m_markers[i].nLine == m_nCaretLine)) {
            dBest = d;
            nBest = static_cast<int>(i);
        }
    }
    return nBest;
}

void CWaveformView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), kBackground);
    DrawRuler(painter);

    const int top = kRulerHeight;
    const double mid = top + (h - top) / 2.0;
    const double half = (h - top) / 2.0 - 1.0;
    if (m_pBins && !m_pBins->empty() && w > 0) {
        m_columns.resize(static_cast<size_t>(w));
        ReduceToColumns(m_pBins->data(), m_pBins->size(), m_dStartMs / m_nBinMs,
                        m_dMsPerPx / m_nBinMs, m_columns.data(), w);
        QVarLengthArray<QLineF, 2048> lines;
        lines.reserve(w);
        const double scale = half / 32767.0;
        for (int x = 0; x < w; ++x) {
            const SPeakBin& c = m_columns[static_cast<size_t>(x)];
            if (c.nMin == 0 && c.nMax == 0)
                continue;
            // A column always shows at least one pixel.
            const double y1 = mid - c.nMax * scale;
            const double y2 = std::max(mid - c.nMin * scale, y1 + 1.0);
            lines.append(QLineF(x + 0.5, y1, x + 0.5, y2));
        }
        painter.setPen(QPen(kWave, 1.0));
        painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
    }

    for (size_t i = 0; i < m_markers.size(); ++i) {
        const bool bDragged = static_cast<int>(i) == m_nDragMarker && m_bDragMoved;
        const double x = bDragged ? m_dDragX : XOf(m_markers[i].nPosition);
        if (x < -2.0 || x > w + 2.0)
            continue;
        const bool bCaret = m_markers[i].nLine == m_nCaretLine;
        painter.setPen(QPen(bCaret ? kCaretMarker : kMarker, bCaret || bDragged ? 2.0 : 1.0));
        painter.drawLine(QPointF(x, top), QPointF(x, h));
        // A handle to take it by.
        painter.fillRect(QRectF(x - 3.0, top, 6.0, 5.0), bCaret ? kCaretMarker : kMarker);
    }

    const double head = XOf(m_nPlayPosition);
    if (head >= -1.0 && head <= w + 1.0) {
        painter.setPen(QPen(kPlayHead, 1.5));
        painter.drawLine(QPointF(head, 0), QPointF(head, h));
    }
}

void CWaveformView::DrawRuler(QPainter& painter) {
    // A tick every step seconds, the step chosen so that labels do not crowd.
    static const int kSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600};
    int nStep = kSteps[std::size(kSteps) - 1];
    for (const int s : kSteps) {
        if (s * 1000.0 / m_dMsPerPx >= 60.0) {
            nStep = s;
            break;
        }
    }
    painter.setPen(kRuler);
    painter.setFont(font());
    const int nFirst = static_cast<int>(m_dStartMs / 1000.0 / nStep);
    for (int k = nFirst;; ++k) {
        const int nSecond = k * nStep;
        const double x = XOf(nSecond * 1000.0);
        if (x > width())
            break;
        painter.drawLine(QPointF(x, 0), QPointF(x, kRulerHeight - 2));
        painter.drawText(
            QPointF(x + 3, kRulerHeight - 3),
            QStringLiteral("%1:%2").arg(nSecond / 60).arg(nSecond % 60, 2, 10, QLatin1Char('0')));
    }
}

void CWaveformView::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton)
        return;
    m_dPressX = pEvent->position().x();
    m_dDragX = m_dPressX;
    m_nDragMarker = MarkerAt(m_dPressX);
    m_bDragMoved = false;
}

void CWaveformView::mouseMoveEvent(QMouseEvent* pEvent) {
    if (m_nDragMarker < 0)
        return;
    m_dDragX = pEvent->position().x();
    if (std::abs(m_dDragX - m_dPressX) >= kDragStartPx)
        m_bDragMoved = true;
    update();
}

void CWaveformView::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton)
        return;
    const double x = pEvent->position().x();
    const int nMarker = m_nDragMarker;
    const bool bMoved = m_bDragMoved;
    m_nDragMarker = -1;
    m_bDragMoved = false;
    update();
    if (nMarker >= 0 && bMoved) {
        if (m_onMoveMarker)
            m_onMoveMarker(static_cast<size_t>(nMarker), ClampedTime(x));
    } else if (m_onSeek) {
        // A click on a marker goes to its tag exactly.
        m_onSeek(nMarker >= 0 ? m_markers[static_cast<size_t>(nMarker)].nPosition : ClampedTime(x));
    }
}

void CWaveformView::wheelEvent(QWheelEvent* pEvent) {
    const double dSteps = pEvent->angleDelta().y() / 120.0;
    if (dSteps == 0.0)
        return;
    if (pEvent->modifiers() & Qt::ControlModifier) {
        // The time under the pointer stays where it is.
        const double x = pEvent->position().x();
        const double dAnchor = TimeAt(x);
        SetMsPerPixel(m_dMsPerPx * std::pow(0.8, dSteps));
        SetViewStart(dAnchor - x * m_dMsPerPx);
        if (m_onZoom)
            m_onZoom(m_dMsPerPx);
    } else {
        SetViewStart(m_dStartMs - dSteps * width() * m_dMsPerPx / 8.0);
    }
    pEvent->accept();
}
