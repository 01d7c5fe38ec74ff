#include "view/Gutter.h"

#include <QPainter>
#include <QTextBlock>

#include "app/ResourceSet.h"
#include "view/VersewrightView.h"

namespace {

// Background under the gutter's hatch.
const QColor kGutterBack(245, 245, 245);
const QColor kCaretBox(255, 0, 0);
constexpr int kMarkSize = 16;

} // namespace

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
    const int nBottom = m_pGutter->height();
    const QBrush hatch(palette().color(QPalette::Button), Qt::DiagCrossPattern);
    painter.fillRect(0, 0, kGutterWidth, nBottom, kGutterBack);
    painter.fillRect(0, 0, kGutterWidth, nBottom, hatch);

    // A line whose top is at or above the client area's top edge, or whose bottom reaches the
    // client area's bottom, gets nothing.
    const auto top = [this](const QTextBlock& block) {
        return static_cast<int>(blockBoundingGeometry(block).translated(contentOffset()).top());
    };
    const auto fits = [this, nBottom](int y) { return y > 0 && y + m_nLineHeight < nBottom; };
    int y = top(textCursor().block());
    if (fits(y)) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(kCaretBox, 0));
        painter.setBrush(hatch);
        // Outline from x 2 to 17 and from y + 1 to y + line height - 1, corners of 4 x 4.
        painter.drawRoundedRect(QRect(2, y + 1, 15, m_nLineHeight - 2), 2, 2);
    }
    if (m_nNowTagLine >= 0) {
        const QTextBlock block = document()->findBlockByNumber(m_nNowTagLine);
        if (block.isValid()) {
            y = top(block);
            if (fits(y)) {
                if (m_hMarkIcon.isNull()) {
                    EnsureResources();
                    m_hMarkIcon = QPixmap(QStringLiteral(":/resources/images/marker135.png"));
                }
                painter.drawPixmap(2, y + m_nLineHeight / 2 - 7, kMarkSize, kMarkSize, m_hMarkIcon);
            }
        }
    }
}
