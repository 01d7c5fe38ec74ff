#include "platform/framework/RecentFileList.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"

namespace {
const QString kSection = QStringLiteral("Recent File List");

QString EntryName(int nIndex) {
    return QStringLiteral("File%1").arg(nIndex + 1);
}
} // namespace

void CRecentFileList::Add(const QString& strPath) {
    if (strPath.isEmpty() || m_nSize <= 0)
        return;
    const QString strAbsolute = QDir::cleanPath(QFileInfo(strPath).absoluteFilePath());
    m_paths.removeAll(strAbsolute); // file names are case-sensitive here
    m_paths.prepend(strAbsolute);
    while (m_paths.size() > m_nSize)
        m_paths.removeLast();
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < m_paths.size())
        m_paths.removeAt(nIndex);
}

void CRecentFileList::ReadList(const CWinApp& app) {
    m_paths.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const QString strPath = app.GetProfileString(kSection, EntryName(i));
        if (!strPath.isEmpty() && !m_paths.contains(strPath))
            m_paths.append(strPath);
    }
}

void CRecentFileList::WriteList(const CWinApp& app) const {
    for (int i = 0; i < m_nSize; ++i)
        app.WriteProfileString(kSection, EntryName(i), i < m_paths.size() ? m_paths[i] : QString());
}

QString CRecentFileList::GetMenuText(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_paths.size())
        return QString();
    const QString strName = QFileInfo(m_paths[nIndex]).fileName();
    bool bShared = false;
    for (int i = 0; i < m_paths.size(); ++i)
        bShared = bShared || (i != nIndex && QFileInfo(m_paths[i]).fileName() == strName);
    QString strShown = bShared ? QDir::toNativeSeparators(m_paths[nIndex]) : strName;
    strShown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(nIndex + 1).arg(strShown);
}

void CWinApp::LoadStdProfileSettings(int nMaxMRU) {
    m_nMaxMRU = nMaxMRU;
    m_pRecentFileList = std::make_unique<CRecentFileList>(nMaxMRU);
    m_pRecentFileList->ReadList(*this);
}

void CWinApp::AddToRecentFileList(const QString& strPath) {
    if (!m_pRecentFileList)
        return;
    m_pRecentFileList->Add(strPath);
    m_pRecentFileList->WriteList(*this);
}

void CWinApp::OpenRecentFile(int nIndex) {
    if (!m_pRecentFileList || nIndex >= m_pRecentFileList->GetPaths().size())
        return;
    const QString strPath = m_pRecentFileList->GetPaths()[nIndex];
    if (OpenDocumentFile(strPath))
        return;
    // Gone or unreadable: the entry goes (the user has been told why).
    const qsizetype nNow = m_pRecentFileList->GetPaths().indexOf(strPath);
    if (nNow >= 0) {
        m_pRecentFileList->Remove(static_cast<int>(nNow));
        m_pRecentFileList->WriteList(*this);
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    const int nIndex = pCmdUI->m_nID - kRecentFileFirstId;
    pCmdUI->Enable(m_pRecentFileList && nIndex < m_pRecentFileList->GetPaths().size());
}

void CWinApp::UpdateRecentFileMenu(QMenu* pMenu) const {
    if (!m_pMainWnd || !pMenu)
        return;
    QAction* pFirst = m_pMainWnd->GetAction(kRecentFileFirstId);
    if (!pFirst || !pMenu->actions().contains(pFirst))
        return;
    const int nCount =
        m_pRecentFileList ? static_cast<int>(m_pRecentFileList->GetPaths().size()) : 0;
    // The placeholder keeps the text its resource set gave it, in the set's language.
    const char* const pszPlaceholder = "placeholderText";
    if (!pFirst->property(pszPlaceholder).isValid())
        pFirst->setProperty(pszPlaceholder, pFirst->text());
    QAction* pPrevious = pFirst;
    for (int i = 0; i < m_nMaxMRU; ++i) {
        QAction* pAction = m_pMainWnd->GetAction(kRecentFileFirstId + i);
        if (!pAction)
            break;
        if (i > 0) {
            // Each entry right after the one before it.
            const QList<QAction*> actions = pMenu->actions();
            const qsizetype nAt = actions.indexOf(pPrevious) + 1;
            if (nAt >= actions.size() || actions[nAt] != pAction) {
                pMenu->removeAction(pAction);
                const QList<QAction*> now = pMenu->actions();
                const qsizetype nPos = now.indexOf(pPrevious) + 1;
                pMenu->insertAction(nPos < now.size() ? now[nPos] : nullptr, pAction);
            }
        }
        if (i < nCount)
            pAction->setText(m_pRecentFileList->GetMenuText(i));
        else if (i == 0)
            pAction->setText(pFirst->property(pszPlaceholder).toString());
        pAction->setVisible(i < nCount || i == 0);
        pPrevious = pAction;
    }
}
