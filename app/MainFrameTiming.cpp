// The main frame's timing panel: docked below the editor, above the audio control bar.
#include <QAbstractButton>

#include "app/EditDialogBar.h"
#include "app/MainFrame.h"
#include "timing/TimingPanel.h"
#include "timing/TimingTexts.h"

void CMainFrame::CreateTimingPanel() {
    m_pTimingPanel = new CTimingPanel(this, m_nLanguage);
    addDockWidget(Qt::BottomDockWidgetArea, m_pTimingPanel);
    // One above the other, the panel on top.
    if (m_wndDialogBar)
        splitDockWidget(m_pTimingPanel, m_wndDialogBar, Qt::Vertical);
    m_pTimingPanel->setVisible(CTimingPanel::StoredVisible());
    for (const auto& [pButton, nId] : m_pTimingPanel->Buttons())
        GetCommands().BindButton(pButton, nId);
    // The aids' keys are a table of their own, beside the one of the resource set.
    auto* pKeys = new CAcceleratorFilter(this, &GetCommands());
    pKeys->setObjectName(QStringLiteral("TimingKeys"));
    pKeys->SetTable(TimingAccelerators());
}

void CMainFrame::OnViewTimingPanel() {
    const bool bShow = m_pTimingPanel->isHidden();
    m_pTimingPanel->setVisible(bShow);
    m_pTimingPanel->StoreVisible(bShow);
}

void CMainFrame::OnUpdateViewTimingPanel(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_pTimingPanel && !m_pTimingPanel->isHidden() ? 1 : 0);
}
