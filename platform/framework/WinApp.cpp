#include "platform/framework/WinApp.h"

#include <QApplication>
#include <QFileInfo>

#include "platform/SettingsStore.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/RecentFileList.h"

namespace {
CWinApp* s_pApp = nullptr;
}

CWinApp* AfxGetApp() {
    return s_pApp;
}

CWinApp::CWinApp(const QString& strAppName) : m_strAppName(strAppName) {
    s_pApp = this;
}

CWinApp::~CWinApp() {
    m_pDocTemplate.reset();
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::Run() {
    if (!m_pMainWnd || m_pMainWnd->IsDestroyed())
        return 0;
    m_bRunning = true;
    const int nResult = QApplication::exec();
    m_bRunning = false;
    return nResult;
}

void CWinApp::OnMainFrameDestroyed(CFrameWnd* pFrame) {
    if (pFrame == m_pMainWnd && m_bRunning)
        QCoreApplication::quit();
}

QWidget* CWinApp::GetMainWidget() const {
    return m_pMainWnd;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate) {
    m_pDocTemplate = std::move(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const QString& strPath) {
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(strPath) : nullptr;
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(QString());
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->close();
}

QString CWinApp::GetProfileString(const QString& strSection, const QString& strEntry,
                                  const QString& strDefault) const {
    return ReadProfileString(m_strRegistryKey, m_strAppName, strSection, strEntry, strDefault);
}

void CWinApp::WriteProfileString(const QString& strSection, const QString& strEntry,
                                 const QString& strValue) const {
    WriteProfileStringValue(m_strRegistryKey, m_strAppName, strSection, strEntry, strValue);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    const QStringList args = m_bArgsSet ? m_args : QCoreApplication::arguments().mid(1);
    bool bOptions = true;
    for (const QString& arg : args) {
        if (bOptions && arg == QLatin1String("--")) {
            bOptions = false; // what follows are file names, whatever they start with
            continue;
        }
        // Switches of the toolkit or of other programs, unless a file has that name.
        if (bOptions && arg.startsWith(QLatin1Char('-')) && !QFileInfo(arg).isFile())
            continue;
        info.m_nShellCommand = CCommandLineInfo::FileOpen;
        // A full path, as the shell passes it: the recent-file list and the companion audio
        // must not depend on the directory the program was started from.
        info.m_strFileName = QFileInfo(arg).absoluteFilePath();
        break;
    }
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        break;
    }
    return true;
}
