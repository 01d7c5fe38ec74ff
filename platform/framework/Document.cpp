#include "platform/framework/Document.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <sys/stat.h>

#include "platform/framework/DocTemplate.h"
#include "platform/framework/FileMessages.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"

CDocument::~CDocument() {
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

void CDocument::SetModifiedFlag(bool bModified) {
    m_bModified = bModified;
}

void CDocument::SetPathName(const QString& strPath) {
    m_strPathName = strPath;
    // Called once the file was opened or saved: this is the file as the document knows it.
    m_stamp = StampOf(strPath);
    if (AfxGetApp() && !strPath.isEmpty())
        AfxGetApp()->AddToRecentFileList(strPath);
    m_strTitle = QFileInfo(strPath).fileName();
    UpdateFrameTitles();
}

QString CDocument::GetTitle() const {
    return m_strTitle.isEmpty() ? QStringLiteral(AFX_IDS_UNTITLED) : m_strTitle;
}

void CDocument::SetTitle(const QString& strTitle) {
    m_strTitle = strTitle;
    UpdateFrameTitles();
}

void CDocument::AddView(CView* pView) {
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    std::erase(m_views, pView);
    pView->m_pDocument = nullptr;
}

void CDocument::UpdateFrameTitles() {
    if (m_pDocTemplate && m_pDocTemplate->GetFrame())
        m_pDocTemplate->GetFrame()->OnUpdateFrameTitle();
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& strPath) {
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(strPath))
            AfxMessageBox(QStringLiteral(AFX_IDP_FILE_NOT_FOUND).arg(strPath), MB_ICONEXCLAMATION);
        else if (file.error() == QFileDevice::PermissionsError)
            AfxMessageBox(QStringLiteral(AFX_IDP_FILE_ACCESS_DENIED).arg(strPath),
                          MB_ICONEXCLAMATION);
        else
            AfxReportOpenFailure(strPath, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        AfxMessageBox(QStringLiteral(AFX_IDP_FILE_TOO_LARGE "\n") + strPath, MB_ICONEXCLAMATION);
        return false;
    }
    CArchive ar(CArchive::load, strPath);
    ar.m_data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        AfxReportOpenFailure(strPath, file.errorString());
        return false;
    }
    DeleteContents();
    Serialize(ar);
    if (ar.m_bFailed)
        return false;
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& strPath) {
    CArchive ar(CArchive::store, strPath);
    Serialize(ar);
    if (ar.m_bFailed)
        return false;
    // A save that fails leaves the file as it was and the document modified.
    if (!AfxWriteWholeFile(strPath, std::string_view(ar.m_data.constData(),
                                                     static_cast<size_t>(ar.m_data.size()))))
        return false;
    SetModifiedFlag(false);
    return true;
}

CDocument::CFileStamp CDocument::StampOf(const QString& strPath) {
    CFileStamp stamp;
    struct stat st;
    if (strPath.isEmpty() || stat(QFile::encodeName(strPath).constData(), &st) != 0)
        return stamp;
    stamp.bExists = true;
    stamp.nSize = st.st_size;
    stamp.nModifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.nInode = static_cast<qint64>(st.st_ino);
    stamp.nDevice = static_cast<qint64>(st.st_dev);
    QFile file(strPath);
    if (stamp.nSize <= kMaxFileSize && file.open(QIODevice::ReadOnly))
        stamp.hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
    return stamp;
}

void CDocument::NoteFileWritten(const QString& strPath) {
    if (strPath == m_strPathName)
        m_stamp = StampOf(strPath);
}

bool CDocument::MayOverwrite(const QString& strPath) {
    if (strPath != m_strPathName || !m_stamp.bExists)
        return true;
    const CFileStamp now = StampOf(strPath);
    if (!now.bExists || now == m_stamp)
        return true;
    return AfxMessageBox(QStringLiteral(AFX_IDP_FILE_CHANGED_ON_DISK).arg(strPath),
                         MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CDocument::Serialize(CArchive&) {}

bool CDocument::DoSave(const QString& strPath) {
    QString strTarget = strPath;
    if (strTarget.isEmpty()) {
        QString strFilter, strExt, strName = m_strTitle;
        if (m_pDocTemplate) {
            strExt = m_pDocTemplate->GetDocString(CDocTemplate::filterExt);
            strFilter = m_pDocTemplate->GetDocString(CDocTemplate::filterName);
        }
        if (strName.isEmpty() && m_pDocTemplate)
            strName = m_pDocTemplate->GetDocString(CDocTemplate::fileNewName);
        if (strName.isEmpty())
            strName = QStringLiteral(AFX_IDS_UNTITLED);
        if (!strExt.isEmpty() && !strName.contains(QLatin1Char('.')))
            strName += strExt;
        QFileDialog dialog(AfxGetApp() ? AfxGetApp()->GetMainWidget() : nullptr,
                           QStringLiteral("Save As"));
        dialog.setObjectName(QStringLiteral("SaveDocumentDialog"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(strFilter);
        // A name typed without an extension gets the document's.
        if (strExt.startsWith(QLatin1Char('.')))
            dialog.setDefaultSuffix(strExt.mid(1));
        dialog.selectFile(strName);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            strTarget = dialog.selectedFiles().constFirst();
        if (strTarget.isEmpty())
            return false;
    }
    if (!MayOverwrite(strTarget) || !OnSaveDocument(strTarget))
        return false;
    SetPathName(strTarget);
    return true;
}

bool CDocument::DoFileSave() {
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave() {
    DoFileSave();
}

void CDocument::OnFileSaveAs() {
    DoSave(QString());
}

bool CDocument::SaveModified() {
    if (!IsModified())
        return true;
    const QString strName =
        m_strPathName.isEmpty() ? GetTitle() : QFileInfo(m_strPathName).fileName();
    switch (AfxMessageBox(QStringLiteral(AFX_IDP_ASK_TO_SAVE).arg(strName),
                          MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true;
    }
}
