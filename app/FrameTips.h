#pragma once
// Tool tips and status-bar prompts in the interface language for the frame's menus, tool bar
// and control bar. It finds the command or control id behind a highlighted menu item, a button
// or a control under the pointer, and answers it from the per-language table, falling back on
// the framework's English texts: what the tool-tip and fly-by notifications did on the platform
// the program was designed for.

#include <QObject>
#include <QString>

class QMainWindow;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

class CFrameTips : public QObject {
public:
    // nLanguage: the interface language, 0 to 3. Qt's own status tips of the frame are replaced
    // by these prompts; the idle text is shown at once.
    CFrameTips(QMainWindow* pFrame, int nLanguage);

    // The tool-tip text of an id; false when there is none at all (no tool tip is shown).
    bool OnToolTipText(int nId, QString& strTip) const;
    // Shows a status prompt: an explicit text when given, else the prompt of nId (empty for 0 or
    // for an id without any text).
    void OnSetMessageString(int nId, const QString* pstrText = nullptr);
    // The prompt OnSetMessageString shows for an id.
    QString MessageString(int nId) const;
    // "Ready" in the interface language.
    void ShowIdleMessage();

    // Prompts while the menu's items are highlighted (its submenus too), idle text after.
    void WatchMenu(QMenu* pMenu);
    // The same for every menu of the menu bar, including menus added to it later.
    void WatchMenuBar(QMenuBar* pMenuBar);
    // Tool tips and fly-by prompts of the tool bar's buttons, by their actions' command ids, and
    // of widgets on it by their control ids (DlgCtrlId), including those added later. Every tool
    // bar of the frame is watched once it is polished for showing.
    void WatchToolBar(QToolBar* pToolBar);
    // The same for one control with its id, and for every control with an id under pParent.
    void WatchControl(QWidget* pControl, int nId);
    void WatchControls(QWidget* pParent);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnMenuClosed();
    // Watches a menu bar, menu or tool bar and what its actions bring, now and later; false
    // when it was watched already.
    bool WatchActions(QWidget* pContainer);
    // Watches what a new action of a menu bar, menu or tool bar brings.
    void OnActionAdded(QWidget* pContainer, QAction* pAction);

    QMainWindow* m_pFrame;
    int m_nLanguage;
};
