#include "menus/IconMenuHelper.h"

#include "app/ResourceSet.h"

#include <QActionEvent>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPalette>

namespace {

constexpr QRgb kKeyGrey = 0xC0C0C0;    // face in the check image
constexpr QRgb kShadowGrey = 0x808080; // shadow in the check image
constexpr QRgb kWhite = 0xFFFFFF;      // highlight in the check image

// Windows-style rectangle: right and bottom exclusive.
QRect Ltrb(int l, int t, int r, int b) {
    return QRect(l, t, r - l, b - t);
}

// Pixels that make the shape of an image in its disabled look: everything opaque but white.
bool IsInkPixel(QRgb px) {
    return qAlpha(px) >= 128 && !(qRed(px) > 0xF0 && qGreen(px) > 0xF0 && qBlue(px) > 0xF0);
}

QImage MonoCopy(const QImage& image, const QColor& color) {
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsInkPixel(image.pixel(x, y)))
                out.setPixelColor(x, y, color);
    return out;
}

} // namespace

// Drops the records' owner-drawn marks when items leave their menu or the menu goes away.
class CIconMenuHelper::CMenuWatcher : public QObject {
public:
    explicit CMenuWatcher(CIconMenuHelper* pHelper) : m_pHelper(pHelper) {}
    void Watch(QMenu* pMenu) {
        if (pMenu->property(kWatchedProperty).toBool())
            return;
        pMenu->setProperty(kWatchedProperty, true);
        pMenu->installEventFilter(this);
        connect(pMenu, &QObject::destroyed, this, [this, pMenu] { m_pHelper->ForgetMenu(pMenu); });
    }

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::ActionRemoved)
            m_pHelper->ForgetAction(static_cast<QMenu*>(pObject),
                                    static_cast<QActionEvent*>(pEvent)->action());
        return false;
    }

private:
    static constexpr const char* kWatchedProperty = "iconMenuWatched";
    CIconMenuHelper* m_pHelper;
};

CIconMenuHelper::CIconMenuHelper() : m_pWatcher(std::make_unique<CMenuWatcher>(this)) {
    EnsureResources();
    const QPalette menu = QApplication::palette("QMenu");
    const QPalette general = QApplication::palette();
    m_crMenuText = menu.color(QPalette::Active, QPalette::WindowText);
    m_crHighlightText = menu.color(QPalette::Active, QPalette::HighlightedText);
    m_crBtnFace = general.color(QPalette::Active, QPalette::Button);
    m_crMenu = menu.color(QPalette::Active, QPalette::Window);
    m_crHighlight = menu.color(QPalette::Active, QPalette::Highlight);
    m_crBtnHighlight = general.color(QPalette::Active, QPalette::Light);
    m_crBtnShadow = general.color(QPalette::Active, QPalette::Dark);
    m_crGrayText = menu.color(QPalette::Disabled, QPalette::WindowText);

    // The check mark's greys and white follow the palette; what becomes face is transparent.
    const QImage check(QStringLiteral(":/resources/images/check134.png"));
    m_checkImage = QImage(check.size(), QImage::Format_ARGB32_Premultiplied);
    m_checkImage.fill(Qt::transparent);
    for (int y = 0; y < check.height(); ++y) {
        for (int x = 0; x < check.width(); ++x) {
            const QRgb rgb = check.pixel(x, y) & 0xFFFFFF;
            QColor color = QColor::fromRgb(rgb);
            if (rgb == kShadowGrey)
                color = m_crBtnShadow;
            else if (rgb == kKeyGrey)
                color = m_crBtnFace;
            else if (rgb == kWhite)
                color = m_crBtnHighlight;
            if (color != m_crBtnFace)
                m_checkImage.setPixelColor(x, y, color);
        }
    }
    m_menuFont = QApplication::font("QMenu");
}

CIconMenuHelper::~CIconMenuHelper() = default;

bool CIconMenuHelper::LoadToolbarImages(quint16 nId) {
    SToolbarResource toolbar;
    if (!LoadToolbarResource(nId, &toolbar))
        return false;
    std::vector<QImage> icons;
    std::vector<MenuImageEntry> imageMap;
    for (int nCommand : std::as_const(toolbar.buttons)) {
        if (nCommand == 0)
            continue; // a gap has no image
        imageMap.push_back({int(icons.size()), nCommand & 0xFFFF});
        icons.push_back(toolbar.Image(int(icons.size())));
    }
    m_nIconWidth = toolbar.nWidth;
    m_nIconHeight = toolbar.nHeight;
    m_icons = std::move(icons);
    m_imageMap = std::move(imageMap);
    return true;
}

IconMenuItem* CIconMenuHelper::AddItem(const QString& strText, int nCode) {
    auto pItem = std::make_unique<IconMenuItem>();
    pItem->strText = strText.left(kMaxItemText);
    pItem->nCode = nCode;
    pItem->nImage = nCode >= 0 ? FindImage(nCode) : nCode;
    m_items.push_back(std::move(pItem));
    return m_items.back().get();
}

int CIconMenuHelper::FindImage(int nCommand) const {
    for (const MenuImageEntry& entry : m_imageMap)
        if (entry.nCommand == nCommand)
            return entry.nImage;
    return -1;
}

const IconMenuItem* CIconMenuHelper::ItemData(const QMenu* pMenu, const QAction* pAction) const {
    return m_ownerDrawn.value(qMakePair(pMenu, pAction), nullptr);
}

void CIconMenuHelper::ForgetAction(const QMenu* pMenu, const QAction* pAction) {
    m_ownerDrawn.remove(qMakePair(pMenu, pAction));
}

void CIconMenuHelper::ForgetMenu(const QMenu* pMenu) {
    for (auto it = m_ownerDrawn.begin(); it != m_ownerDrawn.end();)
        it = it.key().first == pMenu ? m_ownerDrawn.erase(it) : std::next(it);
}

void CIconMenuHelper::ConvertMenu(QMenu* pPopup) {
    if (!pPopup)
        return;
    m_pWatcher->Watch(pPopup);
    const QList<QAction*> actions = pPopup->actions();
    for (qsizetype i = actions.size() - 1; i >= 0; --i) {
        QAction* pAction = actions[i];
        if (QMenu* pSub = pAction->menu()) {
            ConvertMenu(pSub);
            continue;
        }
        const QPair<const QMenu*, const QAction*> key(pPopup, pAction);
        const IconMenuItem* pOld = m_ownerDrawn.value(key, nullptr);
        if (pAction->isSeparator()) {
            if (!pOld)
                m_ownerDrawn.insert(key, AddItem(QStringLiteral("--"), kSeparatorCode));
            continue;
        }
        // A new text replaces the item, as a string item it is no longer owner-drawn.
        if (pOld && pOld->strText == pAction->text().left(kMaxItemText))
            continue;
        m_ownerDrawn.insert(key, AddItem(pAction->text(), pAction->data().toInt()));
    }
}

int CIconMenuHelper::TabbedTextWidth(const QString& strText) const {
    // Tabs without tab stops advance to the next multiple of eight average characters.
    const QFontMetrics fm(m_menuFont);
    const int nTab = qMax(1, 8 * fm.averageCharWidth());
    int x = 0;
    const QStringList parts = strText.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            x = (x / nTab + 1) * nTab;
        x += fm.horizontalAdvance(parts[i]);
    }
    return x;
}

bool CIconMenuHelper::MeasureItem(SMeasureItem* pRequest) const {
    if (pRequest->nCtlType != ODT_MENU)
        return false;
    const IconMenuItem* pItem = pRequest->pItemData;
    if (!pItem)
        return true;
    if (pItem->nCode == kSeparatorCode) {
        pRequest->nItemWidth = 10;
        pRequest->nItemHeight = 6;
    } else if (pItem->strText.isEmpty()) {
        pRequest->nItemWidth = 80;
        pRequest->nItemHeight = m_nIconHeight + 5;
    } else {
        const int nTextHeight = QFontMetrics(m_menuFont).height();
        pRequest->nItemHeight = qMax(m_nIconHeight + 5, nTextHeight);
        pRequest->nItemWidth =
            TabbedTextWidth(pItem->strText) + 10 + qMax(pRequest->nItemHeight, m_nIconWidth);
    }
    return true;
}

void CIconMenuHelper::DrawImage(QPainter* pDC, int nImage, int x, int y, bool bEnabled) const {
    const QImage& icon = m_icons[size_t(nImage)];
    if (bEnabled) {
        // Transparent pixels show the button face, as the image list's background.
        pDC->fillRect(QRect(x, y, m_nIconWidth, m_nIconHeight), m_crBtnFace);
        pDC->drawImage(x, y, icon);
        return;
    }
    // Disabled: the shape embossed, a highlight copy one pixel right and down under a shadow.
    pDC->drawImage(x + 1, y + 1, MonoCopy(icon, m_crBtnHighlight));
    pDC->drawImage(x, y, MonoCopy(icon, m_crBtnShadow));
}

bool CIconMenuHelper::DrawItem(const SDrawItem* pRequest) const {
    if (pRequest->nCtlType != ODT_MENU)
        return false;
    const IconMenuItem* pItem = pRequest->pItemData;
    if (!pItem)
        return true;
    const bool bEnabled = !(pRequest->nItemState & ODS_DISABLED);
    const bool bSelected = pRequest->nItemState & ODS_SELECTED;
    const bool bChecked = pRequest->nItemState & ODS_CHECKED;
    QPainter* pDC = pRequest->pDC;
    pDC->save();
    pDC->setFont(m_menuFont);

    const int l = pRequest->rcItem.left(), t = pRequest->rcItem.top();
    const int r = l + pRequest->rcItem.width(), b = t + pRequest->rcItem.height();
    const QRect rcItem = Ltrb(l, t, r, b);
    const QRect rcIcon = Ltrb(l, t, l + (b - t), b);
    QRect rcText = Ltrb(l + rcIcon.width() + 1, t, r, b);

    if (pItem->nCode == kSeparatorCode) {
        pDC->fillRect(Ltrb(l + 2, t + 2, r - 2, t + 3), m_crBtnShadow);
        pDC->fillRect(Ltrb(l + 2, t + 3, r - 2, t + 4), m_crBtnHighlight);
        pDC->restore();
        return true;
    }

    const bool bHasImage = pItem->nImage >= 0 && size_t(pItem->nImage) < m_icons.size();
    pDC->fillRect(!bHasImage && !bChecked ? rcItem : rcText, bSelected ? m_crHighlight : m_crMenu);
    QColor crText = bSelected ? m_crHighlightText : m_crMenuText;

    const int x = rcIcon.left() + (rcIcon.width() - m_nIconWidth) / 2;
    const int y = rcIcon.top() + (rcIcon.height() - m_nIconHeight) / 2;
    if (bHasImage) {
        const QColor crTopLeft = bSelected && bEnabled ? m_crBtnHighlight : m_crMenu;
        const QColor crBottomRight = bSelected && bEnabled ? m_crBtnShadow : m_crMenu;
        const int w = rcIcon.width(), h = rcIcon.height();
        pDC->fillRect(QRect(l, t, w - 1, 1), crTopLeft);
        pDC->fillRect(QRect(l, t, 1, h - 1), crTopLeft);
        pDC->fillRect(QRect(l + w - 1, t, 1, h), crBottomRight);
        pDC->fillRect(QRect(l, t + h - 1, w, 1), crBottomRight);
        DrawImage(pDC, pItem->nImage, x, y, bEnabled);
    } else if (bChecked) {
        pDC->drawImage(x, y - 2, m_checkImage);
    }

    const QFontMetrics fm(m_menuFont);
    rcText.setTop(rcText.top() + (rcText.height() - fm.height()) / 2);
    rcText.setLeft(rcText.left() + 2);
    rcText.setRight(rcText.right() - 15);
    const qsizetype nTab = pItem->strText.indexOf(QLatin1Char('\t'));
    const QString strLabel = nTab < 0 ? pItem->strText : pItem->strText.left(nTab);
    const QString strKey = nTab < 0 ? QString() : pItem->strText.mid(nTab + 1);
    const auto drawText = [&](const QRect& rc, const QColor& color) {
        pDC->setPen(color);
        if (nTab < 0) {
            pDC->drawText(rc,
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextExpandTabs,
                          strLabel);
            return;
        }
        pDC->drawText(rc, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, strLabel);
        pDC->drawText(rc, Qt::AlignRight | Qt::AlignTop | Qt::TextShowMnemonic, strKey);
    };
    if (!bEnabled && !bSelected) {
        drawText(rcText.translated(1, 1), m_crBtnHighlight);
        crText = m_crGrayText;
    } else if (!bEnabled) {
        crText = m_crMenu;
    }
    drawText(rcText, crText);
    pDC->restore();
    return true;
}

bool CIconMenuHelper::FindMnemonic(QChar ch, unsigned nFlags, const QMenu* pPopup,
                                   qint64* pResult) const {
    (void)nFlags;
    if (!pPopup)
        return false;
    const QString strKey = QString(ch).toLower();
    const QList<QAction*> actions = pPopup->actions();
    for (qsizetype i = actions.size() - 1; i >= 0; --i) {
        // A greyed or hidden item cannot be carried out: the key goes on to the items above.
        if (actions[i]->isSeparator() || !actions[i]->isEnabled() || !actions[i]->isVisible())
            continue;
        const IconMenuItem* pItem = ItemData(pPopup, actions[i]);
        if (!pItem)
            continue;
        const QString strText = pItem->strText.toLower();
        const qsizetype nAmp = strText.indexOf(QLatin1Char('&'));
        if (nAmp < 0 || nAmp + 1 >= strText.size())
            continue;
        if (strText.mid(nAmp + 1, 1) == strKey) {
            *pResult = (qint64(MNC_EXECUTE) << 16) | qint64(i);
            return true;
        }
    }
    return false;
}
