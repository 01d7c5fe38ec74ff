#pragma once
// The main frame window: the command router with its actions, the accelerator table, the view in
// the middle, the title "<document> - <application>", and the close that asks to save.

#include <QMainWindow>
#include <memory>
#include <vector>

#include "platform/framework/Accelerators.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/CommandManager.h"

class CDocument;
class CView;
class CSingleDocTemplate;

struct CCreateContext {
    CDocument* pCurrentDoc = nullptr;
    CSingleDocTemplate* pTemplate = nullptr;
};

class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Makes the actions and calls OnCreate; false when it returned -1.
    bool LoadFrame(int nIDResource, CCreateContext* pContext);
    // Creates the view; derived frames call it first and then build their bars. -1 fails.
    virtual int OnCreate(CCreateContext* pContext);
    // Close request (window close, Exit): asks the document, then destroys the window.
    virtual void OnClose();
    // Shows the frame after the first document is ready.
    virtual void ActivateFrame();
    void DestroyWindow();
    bool IsDestroyed() const { return m_bDestroyed; }

    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const { return m_pDocument; }
    int GetResourceId() const { return m_nIDResource; }
    CCommandManager& GetCommands() { return *m_pCommands; }
    QAction* GetAction(int nId) const { return m_pCommands->GetAction(nId); }
    void SetAccelerators(std::vector<CAccelerator> table);
    const std::vector<CAccelerator>& GetAccelerators() const { return m_pAccelerators->GetTable(); }
    void OnUpdateFrameTitle();
    // Files dropped from the desktop are opened one after the other.
    void DragAcceptFiles(bool bAccept = true) { setAcceptDrops(bAccept); }

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    CCmdTarget* ResolveTarget(CmdTarget target) const;

private:
    CCommandManager* m_pCommands = nullptr;
    CAcceleratorFilter* m_pAccelerators = nullptr;
    CView* m_pView = nullptr;
    CDocument* m_pDocument = nullptr;
    int m_nIDResource = 0;
    bool m_bDestroyed = false;
};
