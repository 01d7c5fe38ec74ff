#pragma once
// The program's main window: its menus and keys, the time-tag format, and the close that writes
// the settings record before the document is asked about unsaved changes.

#include <QMenu>

#include "platform/framework/FrameWnd.h"

class CEditDialogBar;
class CFrameTips;

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    int OnCreate(CCreateContext* pContext) override;
    void OnClose() override;

    // Fills and writes the settings record from the view and the frame.
    void SaveSettingsRecord();
    // Sets the time-tag format index (0 "[00:00]", 1 "[00:00.00]").
    void SetTimeFormat(int nFormat);

    // Shows or hides the audio control bar (command 32771); checked while it is shown.
    void OnViewDialogBar();
    void OnUpdateViewDialogBar(CCmdUI* pCmdUI);
    // The tool tip of a button or control by its id, in the interface language; false when it
    // has none.
    bool OnToolTipText(int nId, QString& strTip);
    // Shows the status prompt of an id, or an explicit text, in the status bar.
    void OnSetMessageString(int nId, const QString* pstrText = nullptr);

    int m_nTimeFormat = 0;
    int m_nLanguage = 0;
    // The audio control bar, docked at the bottom.
    CEditDialogBar* m_wndDialogBar = nullptr;

protected:
    // Adds the command's item with its text ("&Undo\tCtrl+Z": the key name after the tab).
    void AddMenuItem(QMenu* pMenu, int nId, const QString& strText);
    void BuildMenuBar();
    // Creates the audio control bar of the interface language and routes its buttons.
    void CreateDialogBar();

    CFrameTips* m_pTips = nullptr;
};

extern CMainFrame* g_pMainFrame;
