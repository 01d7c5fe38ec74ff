#pragma once
// The program's one document. It keeps no text of its own: the lyrics live in the editor view,
// and the document moves them between the view and files.

#include <QString>

#include "platform/CodePage.h"
#include "platform/framework/Document.h"

class CVersewrightView;

class CVersewrightDoc : public CDocument {
public:
    CVersewrightDoc();
    ~CVersewrightDoc() override;

    CVersewrightView* GetView() const;
    const CCodePage& GetCodePage() const { return m_codePage; }
    void SetCodePage(const CCodePage& codePage);

    bool OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    // Conversion commands of the Tools menu (ConversionCommands.cpp).
    void OnLyrToLrc();
    void OnMptToLrc();

    QString m_strOpenedPath; // file the document last opened; kept by New

private:
    CCodePage m_codePage;
};
