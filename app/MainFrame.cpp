#include "app/MainFrame.h"

#include <QAction>
#include <QMenuBar>

#include "app/Resource.h"
#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "platform/SystemLanguage.h"
#include "view/VersewrightView.h"

CMainFrame* g_pMainFrame = nullptr;

namespace {
// The accelerator table, the same in every language.
constexpr struct {
    const char* pszKey;
    int nId;
} kAccelerators[] = {
    {"Ctrl+A", ID_EDIT_SELECT_TEXT},
    {"Ctrl+N", ID_FILE_NEW},
    {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+P", ID_FILE_PRINT},
    {"Ctrl+Q", ID_PLAY_STOP},
    {"Ctrl+S", ID_FILE_SAVE},
    {"Ctrl+V", ID_EDIT_PASTE},
    {"Alt+Backspace", ID_EDIT_UNDO},
    {"Shift+Delete", ID_EDIT_CUT},
    {"Ctrl+Down", ID_PLAY_VOLUME_DOWN},
    {"Esc", ID_PLAY_NOW_TAG},
    {"F1", ID_HELP_CONTENTS},
    {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
    {"Insert", IDC_ADD_TAG},
    {"Ctrl+Insert", ID_EDIT_COPY},
    {"Shift+Insert", ID_EDIT_PASTE},
    {"Ctrl+Left", ID_PLAY_PREV_TAG},
    {"Ctrl+Enter", IDC_PLAY},
    {"Ctrl+Right", ID_PLAY_NEXT_TAG},
    {"Ctrl+Up", ID_PLAY_VOLUME_UP},
    {"Ctrl+X", ID_EDIT_CUT},
    {"Ctrl+Z", ID_EDIT_UNDO},
};
} // namespace

CMainFrame::CMainFrame() {
    g_pMainFrame = this;
    setObjectName(QStringLiteral("CMainFrame"));
    m_nTimeFormat = 0;
    m_nLanguage = GetUiLanguage();
}

CMainFrame::~CMainFrame() {
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

int CMainFrame::OnCreate(CCreateContext* pContext) {
    if (CFrameWnd::OnCreate(pContext) == -1)
        return -1;
    std::vector<CAccelerator> table;
    for (const auto& acc : kAccelerators) {
        CAccelerator entry{};
        if (ParseAcceleratorKey(acc.pszKey, entry.key)) {
            entry.nId = acc.nId;
            table.push_back(entry);
        }
    }
    SetAccelerators(std::move(table));
    BuildMenuBar();
    return 0;
}

void CMainFrame::AddMenuItem(QMenu* pMenu, int nId, const QString& strText) {
    QAction* pAction = GetAction(nId);
    if (!pAction) {
        // A command nobody handles yet shows greyed.
        pAction = new QAction(this);
        pAction->setData(nId);
        pAction->setEnabled(false);
    }
    pAction->setText(strText);
    pMenu->addAction(pAction);
}

void CMainFrame::BuildMenuBar() {
    QMenuBar* pBar = menuBar();
    QMenu* pFile = pBar->addMenu(QStringLiteral("&File"));
    AddMenuItem(pFile, ID_FILE_NEW, QStringLiteral("&New\tCtrl+N"));
    AddMenuItem(pFile, ID_FILE_SAVE, QStringLiteral("&Save\tCtrl+S"));
    pFile->addSeparator();
    AddMenuItem(pFile, ID_APP_EXIT, QStringLiteral("E&xit"));
    QMenu* pEdit = pBar->addMenu(QStringLiteral("&Edit"));
    AddMenuItem(pEdit, ID_EDIT_UNDO, QStringLiteral("&Undo\tCtrl+Z"));
    pEdit->addSeparator();
    AddMenuItem(pEdit, ID_EDIT_CUT, QStringLiteral("Cu&t\tCtrl+X"));
    AddMenuItem(pEdit, ID_EDIT_COPY, QStringLiteral("&Copy\tCtrl+C"));
    AddMenuItem(pEdit, ID_EDIT_PASTE, QStringLiteral("&Paste\tCtrl+V"));
    pEdit->addSeparator();
    AddMenuItem(pEdit, IDC_ADD_TAG, QStringLiteral("Add a time tag\tInsert"));
    AddMenuItem(pEdit, ID_EDIT_DEL_NOW_TAG, QStringLiteral("Del now time tag"));
    AddMenuItem(pEdit, ID_EDIT_DEL_FIRST_TAG, QStringLiteral("Del first time tag in line"));
    AddMenuItem(pEdit, ID_EDIT_DEL_LINE_TAGS, QStringLiteral("Del all time tag in line"));
    AddMenuItem(pEdit, ID_EDIT_DEL_ALL_TAGS, QStringLiteral("Del all time tag in document"));
    AddMenuItem(pEdit, ID_EDIT_DEL_FRACTIONS, QStringLiteral("Del decimal fraction in time tag"));
    AddMenuItem(pEdit, ID_EDIT_TIDY, QStringLiteral("Del excrescent fraction"));
    for (QMenu* pMenu : {pFile, pEdit})
        GetCommands().HookMenu(pMenu);
}

void CMainFrame::SetTimeFormat(int nFormat) {
    m_nTimeFormat = nFormat != 0 ? 1 : 0;
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
