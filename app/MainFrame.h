#pragma once
// The program's main window: its menus and keys, the time-tag format, and the close that writes
// the settings record before the document is asked about unsaved changes.

#include <QMenu>
#include <map>

#include "menus/SpawnFrameWnd.h"

class CEditDialogBar;
class CFrameTips;
class CTimingPanel;
class QComboBox;
class QLabel;
class QMainWindow;
class QStatusBar;
class QTimer;
class QToolBar;

class CMainFrame : public CSpawnFrameWnd {
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

    // Shows or hides the audio control bar (command 32771); checked while it is shown.
    void OnViewDialogBar();
    void OnUpdateViewDialogBar(CCmdUI* pCmdUI);
    // The tool tip of a button or control by its id, in the interface language; false when it
    // has none.
    bool OnToolTipText(int nId, QString& strTip);
    // Shows the status prompt of an id, or an explicit text, in the status bar.
    void OnSetMessageString(int nId, const QString* pstrText = nullptr);

    // The timing panel (MainFrameTiming.cpp), shown and hidden with F7.
    void OnViewTimingPanel();
    void OnUpdateViewTimingPanel(CCmdUI* pCmdUI);
    CTimingPanel* m_pTimingPanel = nullptr;

    // Tool bar, status bar and help (MainFrameBars.cpp).
    void OnTimeFormatChange();
    void OnViewToolBar();
    void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    // Opens the help page of the interface language, which lies beside the program.
    void OnHelpContents();
    QString HelpFilePath() const;

    int m_nTimeFormat = 0;
    QComboBox* m_wndTimeFormatCombo = nullptr;
    int m_nLanguage = 0;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    // The audio control bar, docked at the bottom.
    CEditDialogBar* m_wndDialogBar = nullptr;

protected:
    // Menu bar and accelerators of the frame's resource set (MainFrameMenus.cpp).
    void BuildMenuBar();
    // The action of a command; a greyed stand-in for a command nobody handles yet.
    QAction* CommandAction(int nId);

    bool CreateToolBar();
    bool CreateStatusBar();
    // The window inside the frame where the tool bar docks around the view.
    void CreateToolBarHost();
    // Creates the audio control bar of the interface language and routes its buttons.
    void CreateDialogBar();
    // Docks the timing panel between the editor and the control bar, shown as it was left.
    void CreateTimingPanel();
    // Tool tips and status prompts of the bars and menus in the interface language.
    void CreateTips();
    void UpdateLockIndicators();

    std::map<int, QAction*> m_placeholders;
    QLabel* m_pIndicators[3] = {};
    QTimer* m_pIndicatorTimer = nullptr;
    CFrameTips* m_pTips = nullptr;
    QMainWindow* m_pToolBarHost = nullptr;
};

extern CMainFrame* g_pMainFrame;

// The time-tag format the user chose (the main frame's m_nTimeFormat); before there is a main
// frame, the format it starts with (TIME_FORMAT_SECONDS).
int CurrentTimeFormat();
