#pragma once
// A frame with owner-drawn menus built from a resource set, under a palette and font whose
// colours are exact (no antialiasing), so that tests can look at single pixels.

#include "app/ResourceSet.h"
#include "menus/SpawnFrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <memory>

namespace menutest {

const QColor kMenu(0xF0, 0xF0, 0xE8);
const QColor kFace(0xD4, 0xD0, 0xC8);
const QColor kLight(0xFF, 0xFF, 0xFF);
const QColor kDark(0x80, 0x80, 0x80);
const QColor kHighlight(0x0A, 0x24, 0x6A);
const QColor kHighlightText(0xFF, 0xFE, 0xFD);
const QColor kText(0x00, 0x00, 0x00);
const QColor kGray(0xA0, 0xA0, 0xA0);

inline void UseTestLook() {
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Window, kMenu);
    pal.setColor(QPalette::Button, kFace);
    pal.setColor(QPalette::Light, kLight);
    pal.setColor(QPalette::Dark, kDark);
    pal.setColor(QPalette::Highlight, kHighlight);
    pal.setColor(QPalette::HighlightedText, kHighlightText);
    pal.setColor(QPalette::Active, QPalette::WindowText, kText);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, kText);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, kGray);
    QApplication::setPalette(pal);
    QApplication::setPalette(pal, "QMenu");
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    QApplication::setFont(font);
    QApplication::setFont(font, "QMenu");
}

// The frame with the menu bar of a resource set; every command is an action with its id.
class CTestFrame : public CSpawnFrameWnd {
public:
    explicit CTestFrame(int nSetId = 128) {
        CResourceSet set;
        set.Load(nSetId);
        for (const SMenuEntry& popup : set.Menu()) {
            QMenu* pMenu = menuBar()->addMenu(popup.strText);
            for (const SMenuEntry& item : popup.items) {
                if (item.bSeparator) {
                    pMenu->addSeparator();
                    continue;
                }
                QAction* pAction = pMenu->addAction(item.strText);
                pAction->setData(item.nId);
                pAction->setEnabled(!item.bGrayed);
            }
        }
        MenuHelper().LoadToolbarImages(136);
        resize(400, 300);
    }

    QMenu* Popup(int nIndex) const { return menuBar()->actions().at(nIndex)->menu(); }
    QAction* Command(int nIndex, int nId) const {
        for (QAction* pAction : Popup(nIndex)->actions())
            if (!pAction->isSeparator() && pAction->data().toInt() == nId)
                return pAction;
        return nullptr;
    }
};

} // namespace menutest
