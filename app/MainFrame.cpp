#include "app/MainFrame.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

#include "app/DialogTemplate.h"
#include "app/EditDialogBar.h"
#include "app/FrameTips.h"
#include "app/Resource.h"
#include "app/ResourceSet.h"
#include "app/VersewrightApp.h"
#include "app/XDataConvert.h"
#include "doc/LrcText.h"
#include "platform/QtTranslation.h"
#include "platform/SettingsStore.h"
#include "platform/SystemLanguage.h"
#include "view/VersewrightView.h"

CMainFrame* g_pMainFrame = nullptr;

CMainFrame::CMainFrame() {
    g_pMainFrame = this;
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(LoadFrameIcon());
    // The menus show the images of tool bar 136.
    MenuHelper().LoadToolbarImages(136);
    m_nTimeFormat = 0;
    m_nLanguage = GetUiLanguage();
    InstallQtTranslation(this, m_nLanguage);
}

CMainFrame::~CMainFrame() {
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

int CMainFrame::OnCreate(CCreateContext* pContext) {
    if (CSpawnFrameWnd::OnCreate(pContext) == -1)
        return -1;
    CreateToolBarHost();
    if (!CreateToolBar() || !CreateStatusBar())
        return -1;
    BuildMenuBar();
    CreateDialogBar();
    CreateTimingPanel();
    CreateTips();
    return 0;
}

void CMainFrame::CreateToolBarHost() {
    // The tool bar docks around the view in a window of its own inside the frame, so that the
    // control bar below spans the frame's whole width wherever the tool bar is: docked bars are
    // laid out in the order their edges were enabled, top and bottom first.
    m_pToolBarHost = new QMainWindow(this);
    m_pToolBarHost->setWindowFlags(Qt::Widget); // a main window is made a window of its own
    m_pToolBarHost->setObjectName(QStringLiteral("ToolBarHost"));
    m_pToolBarHost->setContextMenuPolicy(Qt::NoContextMenu);
    if (QWidget* pView = takeCentralWidget())
        m_pToolBarHost->setCentralWidget(pView);
    setCentralWidget(m_pToolBarHost);
}

void CMainFrame::CreateDialogBar() {
    m_wndDialogBar = new CEditDialogBar(g_nDialogBarId, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_wndDialogBar);
    // The sliders show positions and keep the volume through the view, which owns the
    // playback timer.
    m_wndDialogBar->SetView(dynamic_cast<IDialogBarView*>(GetActiveView()));
    for (QPushButton* pButton : m_wndDialogBar->Buttons())
        GetCommands().BindButton(pButton, DlgCtrlId(pButton));
}

void CMainFrame::CreateTips() {
    // The time-format box is known to the tool tips by its control id.
    if (m_wndTimeFormatCombo)
        SetDlgCtrlId(m_wndTimeFormatCombo, ID_TIME_FORMAT);
    m_pTips = new CFrameTips(this, m_nLanguage);
    m_pTips->WatchMenuBar(menuBar());
    if (m_wndToolBar)
        m_pTips->WatchToolBar(m_wndToolBar);
    m_pTips->WatchControls(m_wndDialogBar->widget());
}

void CMainFrame::OnViewDialogBar() {
    // Hidden explicitly, not merely unseen while the frame itself is hidden.
    m_wndDialogBar->setVisible(m_wndDialogBar->isHidden());
    m_wndDialogBar->LayoutControls(width(), height());
}

void CMainFrame::OnUpdateViewDialogBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_wndDialogBar && !m_wndDialogBar->isHidden() ? 1 : 0);
}

bool CMainFrame::OnToolTipText(int nId, QString& strTip) {
    return m_pTips->OnToolTipText(nId, strTip);
}

void CMainFrame::OnSetMessageString(int nId, const QString* pstrText) {
    m_pTips->OnSetMessageString(nId, pstrText);
}

int CurrentTimeFormat() {
    return g_pMainFrame ? g_pMainFrame->m_nTimeFormat : TIME_FORMAT_SECONDS;
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
