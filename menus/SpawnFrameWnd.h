#pragma once
// The frame-window base of the main frame: owns the menu helper and hooks every pop-up of its
// menu bar, so that items are converted each time a pop-up opens, drawn by the helper through
// the menu style, and typed mnemonics are answered by the helper. A pop-up is hooked when it
// is added to the menu bar: hook it to the commands' update before that, so that converted
// items show current states. The menu bar itself keeps the toolkit's drawing.

#include "menus/IconMenuHelper.h"

#include "platform/framework/FrameWnd.h"

#include <QList>
#include <QPointer>
#include <memory>

class CIconMenuStyle;
class QMenu;
class QMenuBar;

class CSpawnFrameWnd : public CFrameWnd {
public:
    CSpawnFrameWnd();
    ~CSpawnFrameWnd() override;

    CIconMenuHelper& MenuHelper() { return m_menuHelper; }
    // Makes the pop-up and its sub-menus owner-drawn; the menu bar's pop-ups are hooked as
    // they are added.
    void HookMenu(QMenu* pMenu);

protected:
    // Runs just before a hooked pop-up opens and converts its items. Whatever else listens to
    // the pop-up's opening and was connected first (the commands' update) has run by then.
    virtual void OnInitMenuPopup(QMenu* pPopup);
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;
    bool event(QEvent* pEvent) override;

private:
    void WatchMenuBar(QMenuBar* pBar);
    bool OnMenuChar(QMenu* pMenu, QKeyEvent* pEvent);

    CIconMenuHelper m_menuHelper;
    std::unique_ptr<CIconMenuStyle> m_pMenuStyle;
    QList<QPointer<QMenu>> m_hookedMenus;
    QList<QPointer<QMenuBar>> m_watchedBars;
};
