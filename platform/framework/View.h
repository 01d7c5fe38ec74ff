#pragma once
// A view: the widget that shows a document.

#include "platform/framework/CmdTarget.h"

class CDocument;
class QWidget;

class CView : public CCmdTarget {
public:
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }
    virtual QWidget* GetWidget() = 0;
    // Called once the view has been placed in its frame; -1 fails the frame's creation.
    virtual int OnCreate() { return 0; }
    // Called after a document was created or opened into the view.
    virtual void OnInitialUpdate() {}

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
