#include "app/MainFrame.h"

#include <QAction>
#include <QComboBox>

#include "app/Resource.h"
#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "platform/SystemLanguage.h"
#include "view/VersewrightView.h"

CMainFrame* g_pMainFrame = nullptr;

CMainFrame::CMainFrame() {
    g_pMainFrame = this;
    setObjectName(QStringLiteral("CMainFrame"));
    // The menus show the images of tool bar 136.
    MenuHelper().LoadToolbarImages(136);
    m_nTimeFormat = 0;
    m_nLanguage = GetUiLanguage();
}

CMainFrame::~CMainFrame() {
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

int CMainFrame::OnCreate(CCreateContext* pContext) {
    if (CSpawnFrameWnd::OnCreate(pContext) == -1)
        return -1;
    if (!CreateToolBar() || !CreateStatusBar())
        return -1;
    BuildMenuBar();
    return 0;
}

void CMainFrame::SetTimeFormat(int nFormat) {
    m_nTimeFormat = nFormat != 0 ? 1 : 0;
    if (m_wndTimeFormatCombo)
        m_wndTimeFormatCombo->setCurrentIndex(m_nTimeFormat);
}

void CMainFrame::SaveSettingsRecord() {
    if (!g_pView)
        return;
    XDataRecord record;
    record.textColor = g_pView->m_crText;
    record.backColor = g_pView->m_crBack;
    record.font = LogFontFromFont(g_pView->m_bFontCreated ? g_pView->m_font : g_pView->font());
    record.placement = GetWindowPlacement(this);
    record.timeFormat = m_nTimeFormat;
    record.volume = g_pView->m_nVolume;
    SaveXData(record);
}

void CMainFrame::OnClose() {
    // Written first: the user may still cancel the close at the save prompt.
    SaveSettingsRecord();
    CFrameWnd::OnClose();
}
