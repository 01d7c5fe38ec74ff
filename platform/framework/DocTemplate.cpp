#include "platform/framework/DocTemplate.h"

#include <QStringList>

#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"

QString CDocTemplate::GetDocString(DocStringIndex index) const {
    const QStringList fields = m_strDocStrings.split(QLatin1Char('\n'));
    return index < fields.size() ? fields[index] : QString();
}

CSingleDocTemplate::CSingleDocTemplate(int nIDResource, DocFactory doc, FrameFactory frame,
                                       ViewFactory view)
    : CDocTemplate(nIDResource), m_docFactory(std::move(doc)), m_frameFactory(std::move(frame)),
      m_viewFactory(std::move(view)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    CloseAllDocuments();
}

void CSingleDocTemplate::CloseAllDocuments() {
    // The frame goes first: it owns the view, which may still talk to the document.
    m_pFrame.reset();
    m_pDocument.reset();
}

bool CSingleDocTemplate::CreateFirst() {
    m_pDocument = m_docFactory();
    m_pDocument->m_pDocTemplate = this;
    m_pFrame = m_frameFactory();
    CCreateContext context;
    context.pCurrentDoc = m_pDocument.get();
    context.pTemplate = this;
    if (!m_pFrame->LoadFrame(m_nIDResource, &context)) {
        AfxMessageBox(QStringLiteral(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
        CloseAllDocuments();
        return false;
    }
    if (AfxGetApp() && !AfxGetApp()->m_pMainWnd)
        AfxGetApp()->m_pMainWnd = m_pFrame.get();
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const QString& strPath, bool bMakeVisible) {
    const bool bCreated = !m_pDocument;
    if (bCreated) {
        if (!CreateFirst())
            return nullptr;
    } else if (!m_pDocument->SaveModified()) {
        return nullptr;
    }
    CDocument* pDoc = m_pDocument.get();
    if (strPath.isEmpty()) {
        pDoc->m_strTitle.clear();
        if (!pDoc->OnNewDocument()) {
            if (bCreated)
                CloseAllDocuments();
            return nullptr;
        }
        pDoc->m_strPathName.clear();
        pDoc->UpdateFrameTitles();
    } else {
        if (!pDoc->OnOpenDocument(strPath)) {
            // The document has told the user why; a frame made only for it goes again.
            if (bCreated)
                CloseAllDocuments();
            return nullptr;
        }
        pDoc->SetPathName(strPath);
    }
    if (CView* pView = pDoc->GetFirstView())
        pView->OnInitialUpdate();
    if (bCreated && bMakeVisible)
        m_pFrame->ActivateFrame();
    return pDoc;
}
