#include "platform/framework/CommandManager.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPointer>

#include "platform/framework/WinApp.h"

namespace {
constexpr CmdTarget kRoute[] = {CmdTarget::View, CmdTarget::Document, CmdTarget::Frame,
                                CmdTarget::App};
}

CCommandManager::CCommandManager(CCommandTable table, TargetResolver resolver, QObject* pParent)
    : QObject(pParent), m_resolver(std::move(resolver)) {
    for (const CCommandEntry& row : table) {
        m_rows[row.nId].push_back(&row);
        if (m_actionById.count(row.nId))
            continue;
        auto* pAction = new QAction(QString::fromLatin1(row.pszName), this);
        pAction->setObjectName(QString::fromLatin1(row.pszName));
        pAction->setData(row.nId);
        const int nId = row.nId;
        connect(pAction, &QAction::triggered, this, [this, nId] { Execute(nId); });
        m_actionById[nId] = pAction;
        m_actions.push_back(pAction);
    }
    connect(&m_idleTimer, &QTimer::timeout, this, &CCommandManager::UpdateAll);
}

QAction* CCommandManager::GetAction(int nId) const {
    auto it = m_actionById.find(nId);
    return it == m_actionById.end() ? nullptr : it->second;
}

CCmdUI CCommandManager::QueryState(int nId) const {
    CCmdUI state(nId);
    auto it = m_rows.find(nId);
    if (it == m_rows.end()) {
        state.Enable(false);
        return state;
    }
    // The first update rule on the route decides; without one the command is enabled exactly
    // when some target on the route has a handler.
    CCmdTarget* pTarget = nullptr;
    if (const CCommandEntry* pRow = FindOnRoute(it->second, true, &pTarget)) {
        pRow->pfnUpdate(pTarget, &state);
        return state;
    }
    state.Enable(FindOnRoute(it->second, false, &pTarget) != nullptr);
    return state;
}

const CCommandEntry* CCommandManager::FindOnRoute(const std::vector<const CCommandEntry*>& rows,
                                                  bool bUpdate, CCmdTarget** ppTarget) const {
    for (CmdTarget target : kRoute) {
        CCmdTarget* pTarget = m_resolver(target);
        if (!pTarget)
            continue;
        for (const CCommandEntry* pRow : rows) {
            if (pRow->target == target &&
                (bUpdate ? pRow->pfnUpdate != nullptr : pRow->pfnCommand != nullptr)) {
                *ppTarget = pTarget;
                return pRow;
            }
        }
    }
    return nullptr;
}

bool CCommandManager::Execute(int nId) {
    auto it = m_rows.find(nId);
    if (it == m_rows.end())
        return false;
    if (!QueryState(nId).m_bEnabled) {
        UpdateAll(); // whatever showed it enabled (or toggled its check) was out of date
        return false;
    }
    QPointer<CCommandManager> self(this); // a command may close the frame that owns us
    CCmdTarget* pTarget = nullptr;
    const CCommandEntry* pRow = FindOnRoute(it->second, false, &pTarget);
    const bool bRan = pRow != nullptr;
    if (pRow)
        pRow->pfnCommand(pTarget);
    if (self)
        UpdateAll();
    return bRan;
}

void CCommandManager::Apply(QAction* pAction, const CCmdUI& state) {
    if (pAction->isEnabled() != state.m_bEnabled)
        pAction->setEnabled(state.m_bEnabled);
    if (state.m_bCheckable) {
        pAction->setCheckable(true);
        if (pAction->isChecked() != (state.m_nCheck != 0))
            pAction->setChecked(state.m_nCheck != 0);
    }
}

void CCommandManager::UpdateAll() {
    for (QAction* pAction : m_actions)
        Apply(pAction, QueryState(pAction->data().toInt()));
    for (auto& [pButton, nId] : m_buttons) {
        const CCmdUI state = QueryState(nId);
        if (pButton->isEnabled() != state.m_bEnabled)
            pButton->setEnabled(state.m_bEnabled);
    }
}

void CCommandManager::UpdateMenu(QMenu* pMenu) {
    // The recent files take the place of their placeholder in the File menu.
    if (AfxGetApp())
        AfxGetApp()->UpdateRecentFileMenu(pMenu);
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->isSeparator() || pAction->menu())
            continue;
        bool bOk = false;
        const int nId = pAction->data().toInt(&bOk);
        if (bOk && m_rows.count(nId))
            Apply(pAction, QueryState(nId));
    }
}

void CCommandManager::HookMenu(QMenu* pMenu) {
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { UpdateMenu(pMenu); });
    for (QAction* pAction : pMenu->actions())
        if (QMenu* pSub = pAction->menu())
            HookMenu(pSub);
}

void CCommandManager::BindButton(QAbstractButton* pButton, int nId) {
    m_buttons.emplace_back(pButton, nId);
    connect(pButton, &QObject::destroyed, this, [this, pButton] {
        std::erase_if(m_buttons, [pButton](const auto& b) { return b.first == pButton; });
    });
    connect(pButton, &QAbstractButton::clicked, this, [this, nId] { Execute(nId); });
    const CCmdUI state = QueryState(nId);
    pButton->setEnabled(state.m_bEnabled);
}

void CCommandManager::StartIdleUpdates(int nIntervalMs) {
    m_idleTimer.start(nIntervalMs);
}
