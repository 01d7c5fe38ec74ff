#pragma once
// The command router: one QAction per command of the table (command id as data, the id's name
// as objectName), the routing view -> document -> frame -> application, and the update rules.
// A command whose rule says disabled is never executed, whichever way it was triggered.

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

#include "platform/framework/CommandTable.h"

class QAction;
class QAbstractButton;
class QMenu;

class CCommandManager : public QObject {
public:
    using TargetResolver = std::function<CCmdTarget*(CmdTarget)>;

    CCommandManager(CCommandTable table, TargetResolver resolver, QObject* pParent);

    QAction* GetAction(int nId) const;
    const std::vector<QAction*>& GetActions() const { return m_actions; }

    // Runs the update rule of the command.
    CCmdUI QueryState(int nId) const;
    bool IsEnabled(int nId) const { return QueryState(nId).m_bEnabled; }
    // Routes the command to its first handler when its rule allows it; true if one ran.
    // The actions are updated afterwards.
    bool Execute(int nId);
    // Runs every update rule and mirrors the result into the actions and bound buttons.
    void UpdateAll();

    // The menu's actions are updated each time it is about to show (its submenus too).
    void HookMenu(QMenu* pMenu);
    // A push button that triggers the command and follows its update rule.
    void BindButton(QAbstractButton* pButton, int nId);
    // Update rules for bars run on this timer (milliseconds).
    void StartIdleUpdates(int nIntervalMs = 100);

private:
    // The first row for the id, walking the route view -> document -> frame -> application,
    // that has the member asked for; its target in *ppTarget.
    const CCommandEntry* FindOnRoute(const std::vector<const CCommandEntry*>& rows, bool bUpdate,
                                     CCmdTarget** ppTarget) const;
    void Apply(QAction* pAction, const CCmdUI& state);
    void UpdateMenu(QMenu* pMenu);

    std::map<int, std::vector<const CCommandEntry*>> m_rows; // per id, in table order
    std::map<int, QAction*> m_actionById;
    std::vector<QAction*> m_actions;
    std::vector<std::pair<QAbstractButton*, int>> m_buttons;
    TargetResolver m_resolver;
    QTimer m_idleTimer;
};
