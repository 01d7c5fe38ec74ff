#include "view/Gutter.h"

#include <QPainter>
#include <QTextBlock>

#include "view/VersewrightView.h"

CGutter::CGutter(CVersewrightView* pView) : QWidget(pView), m_pView(pView) {
    setObjectName(QStringLiteral("CGutter"));
}

QSize CGutter::sizeHint() const {
    return QSize(CVersewrightView::kGutterWidth, 0);
}

void CGutter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_pView->DrawGutter(painter);
}

void CVersewrightView::RedrawGutter() {
    if (m_pGutter)
        m_pGutter->update();
}

void CVersewrightView::DrawGutter(QPainter& painter) {
    const int nHeight = m_pGutter->height();
    const QBrush hatch(palette().color(QPalette::Button), Qt::DiagCrossPattern);
    painter.fillRect(0, 0, kGutterWidth, nHeight, QColor(245, 245, 245));
    painter.fillRect(0, 0, kGutterWidth, nHeight, hatch);
    // The caret's line gets a red box, unless its top is at or above the client's top edge.
    const QTextBlock block = textCursor().block();
    const int y = static_cast<int>(blockBoundingGeometry(block).translated(contentOffset()).top());
    if (y > 0 && y + m_nLineHeight < nHeight) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(255, 0, 0), 1));
        painter.setBrush(hatch);
        painter.drawRoundedRect(QRect(QPoint(2, y + 1), QPoint(18 - 1, y + m_nLineHeight - 1)), 2,
                                2);
    }
}
