#include "menus/IconMenuStyle.h"

#include "menus/IconMenuHelper.h"

#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {
constexpr int kSystemCheckWidth = 13;
} // namespace

CIconMenuStyle::CIconMenuStyle(const CIconMenuHelper* pHelper) : m_pHelper(pHelper) {}

const IconMenuItem* CIconMenuStyle::RecordForSize(const QMenu* pMenu,
                                                  const QStyleOption* pOption) const {
    // The size request does not name its action: find it by its kind and text.
    const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
    if (!pMenu || !pItem)
        return nullptr;
    const bool bSeparator = pItem->menuItemType == QStyleOptionMenuItem::Separator;
    for (const QAction* pAction : pMenu->actions()) {
        if (pAction->isSeparator() != bSeparator || !pAction->isVisible())
            continue;
        if (!bSeparator && pAction->text() != pItem->text &&
            !pItem->text.startsWith(pAction->text() + QLatin1Char('\t')))
            continue;
        if (const IconMenuItem* pRecord = m_pHelper->ItemData(pMenu, pAction))
            return pRecord;
    }
    return nullptr;
}

QSize CIconMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* pOption,
                                       const QSize& size, const QWidget* pWidget) const {
    const auto* pMenu = qobject_cast<const QMenu*>(pWidget);
    const IconMenuItem* pRecord = type == CT_MenuItem ? RecordForSize(pMenu, pOption) : nullptr;
    SMeasureItem request;
    request.pItemData = pRecord;
    if (!pRecord || !m_pHelper->MeasureItem(&request))
        return QProxyStyle::sizeFromContents(type, pOption, size, pWidget);
    // Like the system, widen an owner-drawn item by a check-mark width less one. The menu adds
    // its widest key name to the widest row on its own; take that out of every row, so that
    // the menu ends up as wide as its widest item.
    return QSize(qMax(request.nItemWidth + kSystemCheckWidth - 1 - KeyColumnWidth(pMenu), 1),
                 request.nItemHeight);
}

int CIconMenuStyle::KeyColumnWidth(const QMenu* pMenu) {
    const QFontMetrics fm = pMenu->fontMetrics();
    int nWidth = 0;
    for (const QAction* pAction : pMenu->actions()) {
        if (!pAction->isVisible() || pAction->isSeparator())
            continue;
        const QString strText = pAction->text();
        const qsizetype nTab = strText.indexOf(QLatin1Char('\t'));
        if (nTab >= 0)
            nWidth = qMax(nWidth, fm.horizontalAdvance(strText.mid(nTab + 1)));
        else if (!pAction->shortcut().isEmpty())
            nWidth =
                qMax(nWidth,
                     fm.horizontalAdvance(pAction->shortcut().toString(QKeySequence::NativeText)));
    }
    return nWidth;
}

void CIconMenuStyle::drawControl(ControlElement element, const QStyleOption* pOption,
                                 QPainter* pPainter, const QWidget* pWidget) const {
    const auto* pMenu = qobject_cast<const QMenu*>(pWidget);
    const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
    if (element == CE_MenuItem && pMenu && pItem) {
        SDrawItem request;
        request.pItemData = m_pHelper->ItemData(pMenu, pMenu->actionAt(pItem->rect.center()));
        if (request.pItemData) {
            if (!(pItem->state & State_Enabled))
                request.nItemState |= ODS_DISABLED;
            if (pItem->state & State_Selected)
                request.nItemState |= ODS_SELECTED;
            if (pItem->checkType != QStyleOptionMenuItem::NotCheckable && pItem->checked)
                request.nItemState |= ODS_CHECKED;
            request.pDC = pPainter;
            request.rcItem = pItem->rect;
            if (m_pHelper->DrawItem(&request))
                return;
        }
    }
    if (element == CE_MenuEmptyArea && pMenu) {
        pPainter->fillRect(pOption->rect, m_pHelper->MenuColor());
        return;
    }
    QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
}

void CIconMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* pOption,
                                   QPainter* pPainter, const QWidget* pWidget) const {
    if (!qobject_cast<const QMenu*>(pWidget))
        return QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
    const QRect rc = pOption->rect;
    if (element == PE_PanelMenu) {
        pPainter->fillRect(rc, m_pHelper->MenuColor());
        return;
    }
    if (element == PE_FrameMenu) {
        // A raised border: light and face outside at the top and left, shadows at the bottom
        // and right.
        const QPalette& pal = pOption->palette;
        const auto frame = [&](const QRect& r, const QColor& tl, const QColor& br) {
            pPainter->fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), tl);
            pPainter->fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), tl);
            pPainter->fillRect(QRect(r.right(), r.top(), 1, r.height()), br);
            pPainter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), br);
        };
        frame(rc, pal.color(QPalette::Button), pal.color(QPalette::Shadow));
        frame(rc.adjusted(1, 1, -1, -1), m_pHelper->ButtonHighlightColor(),
              m_pHelper->ButtonShadowColor());
        return;
    }
    QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
}

int CIconMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* pOption,
                                const QWidget* pWidget) const {
    if (qobject_cast<const QMenu*>(pWidget)) {
        switch (metric) {
        case PM_MenuPanelWidth:
            return 3;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, pOption, pWidget);
}

int CIconMenuStyle::styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                              QStyleHintReturn* pReturn) const {
    // Disabled items take the selection bar too, and are drawn for it.
    if (hint == SH_Menu_AllowActiveAndDisabled && qobject_cast<const QMenu*>(pWidget))
        return 1;
    return QProxyStyle::styleHint(hint, pOption, pWidget, pReturn);
}
