#include "menus/SpawnFrameWnd.h"

#include "menus/IconMenuStyle.h"

#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

CSpawnFrameWnd::CSpawnFrameWnd() : m_pMenuStyle(std::make_unique<CIconMenuStyle>(&m_menuHelper)) {
    WatchMenuBar(menuBar());
}

CSpawnFrameWnd::~CSpawnFrameWnd() {
    // The menus outlive this part of the frame; they must not keep a style that goes now.
    for (const QPointer<QMenu>& pMenu : std::as_const(m_hookedMenus)) {
        if (pMenu) {
            pMenu->removeEventFilter(this);
            pMenu->setStyle(nullptr);
        }
    }
    for (const QPointer<QMenuBar>& pBar : std::as_const(m_watchedBars))
        if (pBar)
            pBar->removeEventFilter(this);
}

void CSpawnFrameWnd::WatchMenuBar(QMenuBar* pBar) {
    if (!pBar || m_watchedBars.contains(pBar))
        return;
    m_watchedBars.append(pBar);
    pBar->installEventFilter(this);
    for (QAction* pAction : pBar->actions())
        HookMenu(pAction->menu());
}

void CSpawnFrameWnd::HookMenu(QMenu* pMenu) {
    if (!pMenu || m_hookedMenus.contains(pMenu))
        return;
    m_hookedMenus.append(pMenu);
    pMenu->setStyle(m_pMenuStyle.get());
    pMenu->installEventFilter(this);
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { OnInitMenuPopup(pMenu); });
    for (QAction* pAction : pMenu->actions())
        HookMenu(pAction->menu());
}

void CSpawnFrameWnd::OnInitMenuPopup(QMenu* pPopup) {
    m_menuHelper.ConvertMenu(pPopup);
}

bool CSpawnFrameWnd::event(QEvent* pEvent) {
    // A menu bar set later is watched as soon as it becomes a child.
    if (pEvent->type() == QEvent::ChildAdded || pEvent->type() == QEvent::ChildPolished)
        WatchMenuBar(qobject_cast<QMenuBar*>(static_cast<QChildEvent*>(pEvent)->child()));
    else if (pEvent->type() == QEvent::Show)
        WatchMenuBar(qobject_cast<QMenuBar*>(menuWidget()));
    return CFrameWnd::event(pEvent);
}

bool CSpawnFrameWnd::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pEvent->type() == QEvent::ActionAdded) {
        HookMenu(static_cast<QActionEvent*>(pEvent)->action()->menu());
    } else if (pEvent->type() == QEvent::KeyPress) {
        if (QMenu* pMenu = qobject_cast<QMenu*>(pObject))
            return OnMenuChar(pMenu, static_cast<QKeyEvent*>(pEvent));
    }
    return CFrameWnd::eventFilter(pObject, pEvent);
}

bool CSpawnFrameWnd::OnMenuChar(QMenu* pMenu, QKeyEvent* pEvent) {
    if (pEvent->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString strText = pEvent->text();
    if (strText.size() != 1 || !strText[0].isPrint() || strText[0].isSpace())
        return false;
    // Items the toolkit draws itself (sub-menus) answer their own mnemonics first.
    const QKeySequence typed(strText.toUpper());
    for (QAction* pAction : pMenu->actions()) {
        if (!pAction->isVisible() || pAction->isSeparator() ||
            m_menuHelper.ItemData(pMenu, pAction))
            continue;
        const QKeySequence mnemonic = QKeySequence::mnemonic(pAction->text());
        if (!mnemonic.isEmpty() && !typed.isEmpty() && mnemonic[0].key() == typed[0].key())
            return false;
    }
    qint64 nResult = 0;
    if (!m_menuHelper.FindMnemonic(strText[0], 0, pMenu, &nResult))
        return false;
    QAction* pAction = pMenu->actions().value(int(nResult & 0xFFFF));
    if (pAction && pAction->isEnabled()) {
        // Carry the item out as Enter on it would: the menus close, then it runs.
        pMenu->setActiveAction(pAction);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(pMenu, &enter);
    }
    return true;
}
