#pragma once
// A document: the modified flag, the path and title, New/Open/Save and the save-changes prompt.

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/framework/CmdTarget.h"

class CDocTemplate;
class CView;

// What a document reads or writes as a whole file image.
class CArchive {
public:
    enum Mode { load, store };
    CArchive(Mode mode, const QString& strPath) : m_mode(mode), m_strPath(strPath) {}
    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    const QString& GetFilePath() const { return m_strPath; }
    QByteArray m_data;      // the file's bytes when loading; what to write when storing
    bool m_bFailed = false; // set by Serialize when it could not read or write (and has said why)

private:
    Mode m_mode;
    QString m_strPath;
};

class CDocument : public CCmdTarget {
public:
    ~CDocument() override;

    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool bModified = true);
    const QString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const QString& strPath);
    QString GetTitle() const;
    void SetTitle(const QString& strTitle);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& strPath);
    virtual bool OnSaveDocument(const QString& strPath);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar);
    // Asks "Save changes to ...?" when modified: Yes saves, No goes on, Cancel stops (false).
    virtual bool SaveModified();
    // Saves under strPath; an empty path asks for one first. False if nothing was saved.
    virtual bool DoSave(const QString& strPath);
    bool DoFileSave();

    // Command handlers.
    void OnFileSave();
    void OnFileSaveAs();

    // Largest plain file the framework reads.
    static constexpr qint64 kMaxFileSize = 1048575;

    // Size, modification time and identity of a file as the document last read or wrote it, and
    // a hash of a text-sized file's bytes, for disks whose times are coarse.
    struct CFileStamp {
        bool bExists = false;
        qint64 nSize = 0, nModifiedNs = 0, nInode = 0, nDevice = 0;
        QByteArray hash;
        bool operator==(const CFileStamp&) const = default;
    };
    static CFileStamp StampOf(const QString& strPath);
    // This program wrote the file at strPath: when it is the document's, that is no change by
    // another program.
    void NoteFileWritten(const QString& strPath);

protected:
    void UpdateFrameTitles();
    // True when the file at strPath may be written: it is not the document's file, or nobody
    // changed that file since the document read or wrote it, or the user says to replace it.
    bool MayOverwrite(const QString& strPath);

private:
    friend class CSingleDocTemplate;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bModified = false;
    CFileStamp m_stamp; // of m_strPathName, taken when it was opened or saved
};
