#include "platform/framework/Document.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "platform/framework/DocTemplate.h"
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
        QString text;
        if (!QFileInfo::exists(strPath))
            text = QStringLiteral(AFX_IDP_FILE_NOT_FOUND).arg(strPath);
        else if (file.error() == QFileDevice::PermissionsError)
            text = QStringLiteral(AFX_IDP_FILE_ACCESS_DENIED).arg(strPath);
        else
            text = QStringLiteral(AFX_IDP_FAILED_TO_OPEN_DOC);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return false;
    }
    if (file.size() > kMaxFileSize) {
        AfxMessageBox(QStringLiteral(AFX_IDP_FILE_TOO_LARGE), MB_ICONEXCLAMATION);
        return false;
    }
    CArchive ar(CArchive::load, strPath);
    ar.m_data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        AfxMessageBox(QStringLiteral(AFX_IDP_FAILED_TO_OPEN_DOC), MB_ICONEXCLAMATION);
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
    // Written beside the target and moved over it only when complete.
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(ar.m_data) != ar.m_data.size() ||
        !file.commit()) {
        AfxMessageBox(QStringLiteral(AFX_IDP_FAILED_IO_ERROR_WRITE).arg(strPath),
                      MB_ICONEXCLAMATION);
        return false;
    }
    SetModifiedFlag(false);
    return true;
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
        strTarget =
            QFileDialog::getSaveFileName(AfxGetApp() ? AfxGetApp()->GetMainWidget() : nullptr,
                                         QStringLiteral("Save As"), strName, strFilter);
        if (strTarget.isEmpty())
            return false;
    }
    if (!OnSaveDocument(strTarget))
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
