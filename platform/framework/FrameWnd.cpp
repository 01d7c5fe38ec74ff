#include "platform/framework/FrameWnd.h"

#include <QCloseEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    // The view goes while the frame is still whole, so that it may still reach it.
    if (m_pView) {
        QWidget* pWidget = m_pView->GetWidget();
        m_pView = nullptr;
        delete pWidget;
    }
    if (AfxGetApp() && AfxGetApp()->m_pMainWnd == this)
        AfxGetApp()->m_pMainWnd = nullptr;
}

CCmdTarget* CFrameWnd::ResolveTarget(CmdTarget target) const {
    switch (target) {
    case CmdTarget::View:
        return m_pView;
    case CmdTarget::Document:
        return m_pDocument;
    case CmdTarget::Frame:
        return const_cast<CFrameWnd*>(this);
    case CmdTarget::App:
        return AfxGetApp();
    }
    return nullptr;
}

bool CFrameWnd::LoadFrame(int nIDResource, CCreateContext* pContext) {
    m_nIDResource = nIDResource;
    m_pDocument = pContext ? pContext->pCurrentDoc : nullptr;
    const CCommandTable table = AfxGetApp() ? AfxGetApp()->GetCommandTable() : CCommandTable();
    m_pCommands = new CCommandManager(
        table, [this](CmdTarget target) { return ResolveTarget(target); }, this);
    m_pAccelerators = new CAcceleratorFilter(this, m_pCommands);
    if (OnCreate(pContext) == -1)
        return false;
    m_pCommands->UpdateAll();
    m_pCommands->StartIdleUpdates(100);
    OnUpdateFrameTitle();
    return true;
}

int CFrameWnd::OnCreate(CCreateContext* pContext) {
    if (!pContext || !pContext->pTemplate || !m_pDocument)
        return 0;
    CView* pView = pContext->pTemplate->GetViewFactory()();
    if (!pView)
        return -1;
    m_pDocument->AddView(pView);
    m_pView = pView;
    setCentralWidget(pView->GetWidget());
    return pView->OnCreate();
}

void CFrameWnd::SetAccelerators(std::vector<CAccelerator> table) {
    m_pAccelerators->SetTable(std::move(table));
}

void CFrameWnd::ActivateFrame() {
    show();
    if (m_pView)
        m_pView->GetWidget()->setFocus();
}

void CFrameWnd::OnUpdateFrameTitle() {
    QString strApp = AfxGetApp() ? AfxGetApp()->m_strAppName : QString();
    if (AfxGetApp() && AfxGetApp()->GetDocTemplate()) {
        const QString strTitle =
            AfxGetApp()->GetDocTemplate()->GetDocString(CDocTemplate::windowTitle);
        if (!strTitle.isEmpty())
            strApp = strTitle;
    }
    setWindowTitle(m_pDocument ? m_pDocument->GetTitle() + QStringLiteral(" - ") + strApp : strApp);
}

void CFrameWnd::OnClose() {
    if (m_pDocument && !m_pDocument->SaveModified())
        return;
    DestroyWindow();
}

void CFrameWnd::DestroyWindow() {
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    hide();
    if (AfxGetApp())
        AfxGetApp()->OnMainFrameDestroyed(this);
}

void CFrameWnd::closeEvent(QCloseEvent* pEvent) {
    // The close goes on only through DestroyWindow, which hides the window; once that has
    // happened, nothing is left to refuse.
    if (m_bDestroyed) {
        pEvent->accept();
        return;
    }
    pEvent->ignore();
    OnClose();
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* pEvent) {
    const QList<QUrl> urls = pEvent->mimeData()->urls();
    const bool bFiles = !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl& u) {
        return u.isLocalFile();
    });
    if (bFiles)
        pEvent->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* pEvent) {
    const QList<QUrl> urls = pEvent->mimeData()->urls();
    pEvent->acceptProposedAction();
    for (const QUrl& url : urls)
        if (AfxGetApp() && url.isLocalFile())
            AfxGetApp()->OpenDocumentFile(url.toLocalFile());
}
