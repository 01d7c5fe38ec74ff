#pragma once
// The application object: the document template, the command line, New and Exit, the profile
// under the registry key, and the message loop.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/CommandTable.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CRecentFileList;
class QMenu;
class QWidget;

struct CCommandLineInfo {
    enum Shell { FileNew, FileOpen, FileNothing };
    Shell m_nShellCommand = FileNew;
    QString m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const QString& strAppName);
    ~CWinApp() override;

    virtual bool InitInstance() { return true; }
    // Runs the message loop until the main window is gone; returns the exit code.
    int Run();
    // The program's command table.
    virtual CCommandTable GetCommandTable() const = 0;

    void AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    virtual CDocument* OpenDocumentFile(const QString& strPath);

    // Registry key (the company or program name) under which the profile is kept.
    void SetRegistryKey(const QString& strKey) { m_strRegistryKey = strKey; }
    const QString& GetRegistryKey() const { return m_strRegistryKey; }
    // A recent-file list of nMaxMRU entries, read from the profile (RecentFileList.cpp).
    void LoadStdProfileSettings(int nMaxMRU);
    int GetMaxMRU() const { return m_nMaxMRU; }
    QString GetProfileString(const QString& strSection, const QString& strEntry,
                             const QString& strDefault = QString()) const;
    void WriteProfileString(const QString& strSection, const QString& strEntry,
                            const QString& strValue) const;

    // Recent-file list (RecentFileList.cpp): a file opened or saved goes first; the list is
    // written to the profile at once. Opening an entry that fails removes it.
    virtual void AddToRecentFileList(const QString& strPath);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    void OpenRecentFile(int nIndex);
    template <int N> void OnOpenRecentFile() { OpenRecentFile(N); }
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    // Puts the entries into a menu that holds the list's first command.
    void UpdateRecentFileMenu(QMenu* pMenu) const;

    // The arguments after the program name; taken from the application unless set here.
    void SetCommandLine(const QStringList& args) {
        m_args = args;
        m_bArgsSet = true;
    }
    void ParseCommandLine(CCommandLineInfo& info) const;
    bool ProcessShellCommand(const CCommandLineInfo& info);

    CFrameWnd* GetMainFrame() const { return m_pMainWnd; }
    QWidget* GetMainWidget() const;
    // Called by the main frame when its window has gone.
    void OnMainFrameDestroyed(CFrameWnd* pFrame);

    // Command handlers.
    void OnFileNew();
    void OnAppExit();

    QString m_strAppName;
    CFrameWnd* m_pMainWnd = nullptr;

private:
    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    QString m_strRegistryKey;
    int m_nMaxMRU = 0;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    QStringList m_args;
    bool m_bArgsSet = false;
    bool m_bRunning = false;
};

CWinApp* AfxGetApp();
