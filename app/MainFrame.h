#pragma once
// The program's main window: its menus and keys, the time-tag format, and the close that writes
// the settings record before the document is asked about unsaved changes.

#include <QMenu>

#include "platform/framework/FrameWnd.h"

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
    // Edit > Edit lrc title: the header-tag dialog.
    void OnEditLrcTitle();

    int m_nTimeFormat = 0;
    int m_nLanguage = 0;

protected:
    // Adds the command's item with its text ("&Undo\tCtrl+Z": the key name after the tab).
    void AddMenuItem(QMenu* pMenu, int nId, const QString& strText);
    void BuildMenuBar();
};

extern CMainFrame* g_pMainFrame;
