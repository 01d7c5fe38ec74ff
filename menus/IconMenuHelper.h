#pragma once
// Owner-drawn pop-up menu items: each command or separator of a pop-up gets a record, and the
// helper measures and paints it (image cell at the left, label, right-aligned key name, etched
// separators, embossed disabled look) and answers typed mnemonics, the lowest item winning.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPair>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QObject;
class QPainter;

// Owner-draw request constants, as the measure and draw requests carry them.
constexpr int ODT_MENU = 1;
constexpr unsigned ODS_SELECTED = 0x1;
constexpr unsigned ODS_DISABLED = 0x4;
constexpr unsigned ODS_CHECKED = 0x8;
// Result of FindMnemonic: carry out the item at the position in the low word.
constexpr int MNC_EXECUTE = 2;

constexpr int kSeparatorCode = -3;
constexpr int kMaxItemText = 127;

struct IconMenuItem {
    int nImage = -1; // index into the images; -1 none; -3 separator
    int nCode = 0;   // command id; -3 separator
    QString strText; // label, then "\t" and the key name; "--" for a separator
};

struct MenuImageEntry {
    int nImage = 0;
    int nCommand = 0;
};

struct SMeasureItem {
    int nCtlType = ODT_MENU;
    const IconMenuItem* pItemData = nullptr;
    int nItemWidth = 0;  // out
    int nItemHeight = 0; // out
};

struct SDrawItem {
    int nCtlType = ODT_MENU;
    unsigned nItemState = 0; // ODS_*
    QPainter* pDC = nullptr;
    QRect rcItem;
    const IconMenuItem* pItemData = nullptr;
};

class CIconMenuHelper {
public:
    // Reads the menu font and the colours of the current palette once.
    CIconMenuHelper();
    virtual ~CIconMenuHelper();
    CIconMenuHelper(const CIconMenuHelper&) = delete;
    CIconMenuHelper& operator=(const CIconMenuHelper&) = delete;

    // Images of a tool bar resource (resources/toolbars.json and its strip), one per non-zero
    // button id. False, with nothing changed, when it is missing or unreadable.
    bool LoadToolbarImages(quint16 nId);
    // Gives every command and separator of the pop-up (and of its sub-menus) a record; items
    // converted before are left alone. A sub-menu item itself stays with the toolkit.
    void ConvertMenu(QMenu* pPopup);
    bool MeasureItem(SMeasureItem* pRequest) const;
    bool DrawItem(const SDrawItem* pRequest) const;
    // Lowest converted item of the pop-up, enabled and shown, whose mnemonic is ch
    // (case-insensitive); on a match *pResult = (MNC_EXECUTE << 16) | position. nFlags is unused.
    bool FindMnemonic(QChar ch, unsigned nFlags, const QMenu* pPopup, qint64* pResult) const;

    // The record of an owner-drawn item; null when the item is not converted.
    const IconMenuItem* ItemData(const QMenu* pMenu, const QAction* pAction) const;
    int FindImage(int nCommand) const;
    int ItemCount() const { return int(m_items.size()); }
    int IconWidth() const { return m_nIconWidth; }
    int IconHeight() const { return m_nIconHeight; }
    const QFont& MenuFont() const { return m_menuFont; }
    QColor MenuColor() const { return m_crMenu; }
    QColor ButtonHighlightColor() const { return m_crBtnHighlight; }
    QColor ButtonShadowColor() const { return m_crBtnShadow; }

private:
    class CMenuWatcher;
    IconMenuItem* AddItem(const QString& strText, int nCode);
    void ForgetAction(const QMenu* pMenu, const QAction* pAction);
    void ForgetMenu(const QMenu* pMenu);
    void DrawImage(QPainter* pDC, int nImage, int x, int y, bool bEnabled) const;
    int TabbedTextWidth(const QString& strText) const;

    QFont m_menuFont;
    int m_nIconWidth = 20;
    int m_nIconHeight = 20;
    std::vector<QImage> m_icons;
    QImage m_checkImage;
    QColor m_crMenuText, m_crHighlightText, m_crBtnFace, m_crMenu, m_crHighlight, m_crBtnHighlight,
        m_crBtnShadow, m_crGrayText;
    std::vector<std::unique_ptr<IconMenuItem>> m_items; // released only with the helper
    std::vector<MenuImageEntry> m_imageMap;
    // The owner-drawn mark of an item and its record, per menu and action.
    QHash<QPair<const QMenu*, const QAction*>, IconMenuItem*> m_ownerDrawn;
    std::unique_ptr<CMenuWatcher> m_pWatcher;
};
