#pragma once
// The recent-file list: the last files opened or saved, newest first, kept in the profile
// section "Recent File List" as "File1" ... "File<n>".

#include <QString>
#include <QStringList>

class CWinApp;

// The framework's commands of the list's entries (ID_FILE_MRU_FILE1 and the ids after it).
constexpr int kRecentFileFirstId = 0xE110;

class CRecentFileList {
public:
    explicit CRecentFileList(int nSize) : m_nSize(nSize) {}

    int GetSize() const { return m_nSize; }
    const QStringList& GetPaths() const { return m_paths; }

    // Puts the file first (by its absolute path), removing an older entry for it and the entry
    // that falls off the end.
    void Add(const QString& strPath);
    void Remove(int nIndex);

    void ReadList(const CWinApp& app);
    void WriteList(const CWinApp& app) const;

    // Menu text of an entry: "&1 name", with the folder when two entries share a name.
    QString GetMenuText(int nIndex) const;

private:
    int m_nSize;
    QStringList m_paths;
};
