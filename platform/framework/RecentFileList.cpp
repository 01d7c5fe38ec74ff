#include "platform/framework/RecentFileList.h"

#include <QDir>
#include <QFileInfo>

#include "platform/framework/WinApp.h"

namespace {
const QString kSection = QStringLiteral("Recent File List");

QString EntryName(int nIndex) { return QStringLiteral("File%1").arg(nIndex + 1); }
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
