#pragma once
// The program's one document. It keeps no text of its own: the lyrics live in the editor view,
// and the document moves them between the view and files, in the file's own code page.

#include <QString>

#include "doc/TextFile.h"
#include "platform/CodePage.h"
#include "platform/framework/Document.h"

class CVersewrightView;

class CVersewrightDoc : public CDocument {
public:
    CVersewrightDoc();
    ~CVersewrightDoc() override;

    CVersewrightView* GetView() const;
    const CCodePage& GetCodePage() const { return m_codePage; }
    bool HasByteOrderMark() const { return m_bBom; }
    TextFileEncoding GetFileEncoding() const { return m_encoding; }
    // The code page the text is kept and saved in, whether a file begins with a byte-order mark,
    // and whether the file holds the text as UTF-16 (the code page then being UTF-8).
    void SetCodePage(const CCodePage& codePage, bool bBom = false,
                     TextFileEncoding encoding = TextFileEncoding::CodePage);

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& strPath) override;
    void Serialize(CArchive& ar) override;

    // Command handlers.
    void OnFileOpen();
    void OnFileSaveAs();
    void OnUpdateFileSave(CCmdUI* pCmdUI);

    // Writes the editor text into the archive, or, without one, into the file at strPath
    // (replaced only once completely written; a file that cannot be written is skipped). False
    // when nothing was written.
    bool WritePlainText(const QString& strPath, CArchive* pArchive);

    // LYR and MPT files: their formats plug in here (VersewrightDocFormats.cpp). The readers
    // return false when the file cannot be opened; the writers when nothing was written.
    bool OpenLyrFile(const QString& strPath);
    bool OpenMptFile(const QString& strPath);
    bool WriteLyrFile(const QString& strPath, CArchive* pArchive);
    bool WriteMptFile(const QString& strPath, CArchive* pArchive);

    // Conversion commands of the Tools menu (ConversionCommands.cpp).
    void OnLyrToLrc();
    void OnMptToLrc();

    QString m_strOpenedPath; // file the document last opened; kept by New
    // Where the file dialogs of Save As and the conversions open: the folder of that file.
    QString LyricsFolder() const;

private:
    // The editor text encoded for saving to strPath, and the code page it is in; false when the
    // user declined to save it as UTF-8 after being told that the document's code page cannot
    // hold some of its characters, or when it would then be too large to open again (said).
    // bAdopt makes UTF-8 the document's code page from then on. bFile gives the file's own form
    // (mark, UTF-16); otherwise the bytes are the code page's, as the binary formats store them.
    bool EncodeForSaving(const QString& strPath, std::string& bytes, CCodePage& page, bool bAdopt,
                         bool bFile = true);
    // The same for the binary formats.
    bool ExportText(const QString& strPath, std::string& text, CCodePage& page, CArchive* pArchive);
    void LoadCompanionAudio(const QString& strPath);
    void ShowCodePage();

    CCodePage m_codePage;
    bool m_bBom = false;
    TextFileEncoding m_encoding = TextFileEncoding::CodePage;
};
