#pragma once
// The style of the owner-drawn pop-ups: items the menu helper has converted are measured and
// painted by it; everything else (sub-menu items, scrollers, the menu bar) by the base style.

#include <QProxyStyle>

class CIconMenuHelper;
class QMenu;
struct IconMenuItem;

class CIconMenuStyle : public QProxyStyle {
public:
    explicit CIconMenuStyle(const CIconMenuHelper* pHelper);

    QSize sizeFromContents(ContentsType type, const QStyleOption* pOption, const QSize& size,
                           const QWidget* pWidget) const override;
    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* pOption,
                    const QWidget* pWidget) const override;
    int styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                  QStyleHintReturn* pReturn) const override;

private:
    // What the menu adds to its rows for the key names.
    static int KeyColumnWidth(const QMenu* pMenu);
    const IconMenuItem* RecordForSize(const QMenu* pMenu, const QStyleOption* pOption) const;

    const CIconMenuHelper* m_pHelper;
};
