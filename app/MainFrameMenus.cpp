// The main frame's menu bar and accelerator table, read from the resource set of the
// interface language.
#include "app/MainFrame.h"

#include <QAction>
#include <QMenuBar>

#include "app/LanguageResources.h"
#include "app/ResourceSet.h"

QAction* CMainFrame::CommandAction(int nId) {
    if (QAction* pAction = GetAction(nId))
        return pAction;
    QAction*& pPlaceholder = m_placeholders[nId];
    if (!pPlaceholder) {
        // A command nobody handles yet shows greyed.
        pPlaceholder = new QAction(this);
        pPlaceholder->setData(nId);
        pPlaceholder->setEnabled(false);
    }
    return pPlaceholder;
}

void CMainFrame::BuildMenuBar() {
    CResourceSet set;
    if (!set.Load(GetResourceId()) && !set.Load(GetLanguageResources(m_nLanguage).nResourceSetId))
        return;

    std::vector<CAccelerator> table;
    for (const SAccelerator& accel : set.Accelerators())
        table.push_back(CAccelerator{accel.key[0], accel.nCommand});
    SetAccelerators(std::move(table));

    for (const SMenuEntry& popup : set.Menu()) {
        QMenu* pMenu = new QMenu(popup.strText, this);
        for (const SMenuEntry& item : popup.items) {
            if (item.bSeparator) {
                pMenu->addSeparator();
                continue;
            }
            QAction* pAction = CommandAction(item.nId);
            pAction->setText(item.strText);
            if (item.bGrayed)
                pAction->setEnabled(false);
            pMenu->addAction(pAction);
        }
        // The commands' states are brought up to date before the menu base converts the
        // items, since the base hooks the pop-up only once it is on the menu bar.
        GetCommands().HookMenu(pMenu);
        menuBar()->addMenu(pMenu);
    }
}
