#pragma once
// The single-document template: binds the document, frame and view classes and the resource set
// under one id, and creates them together the first time a document is made.

#include <QString>
#include <functional>
#include <memory>

class CDocument;
class CFrameWnd;
class CView;

class CDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    virtual ~CDocTemplate() = default;
    int GetResourceId() const { return m_nIDResource; }
    // Field of the document string ("Versewright\n\nLrc\n...").
    QString GetDocString(DocStringIndex index) const;
    void SetDocString(const QString& str) { m_strDocStrings = str; }
    // Opens strPath, or makes a new document when it is empty; nullptr on failure.
    virtual CDocument* OpenDocumentFile(const QString& strPath, bool bMakeVisible = true) = 0;
    virtual CDocument* GetDocument() const = 0;
    virtual CFrameWnd* GetFrame() const = 0;
    // Destroys the frame (with its view) and the document.
    virtual void CloseAllDocuments() = 0;

protected:
    explicit CDocTemplate(int nIDResource) : m_nIDResource(nIDResource) {}
    int m_nIDResource;
    QString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using DocFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<CView*()>;

    CSingleDocTemplate(int nIDResource, DocFactory doc, FrameFactory frame, ViewFactory view);
    ~CSingleDocTemplate() override;

    template <class TDoc, class TFrame, class TView>
    static std::unique_ptr<CSingleDocTemplate> Make(int nIDResource) {
        return std::make_unique<CSingleDocTemplate>(
            nIDResource, [] { return std::make_unique<TDoc>(); },
            [] { return std::make_unique<TFrame>(); }, []() -> CView* { return new TView(); });
    }

    CDocument* OpenDocumentFile(const QString& strPath, bool bMakeVisible = true) override;
    CDocument* GetDocument() const override { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const override { return m_pFrame.get(); }
    void CloseAllDocuments() override;
    const ViewFactory& GetViewFactory() const { return m_viewFactory; }

private:
    bool CreateFirst();

    DocFactory m_docFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};
