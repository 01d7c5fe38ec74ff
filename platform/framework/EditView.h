#pragma once
// The edit view: a plain text editor holding the document's text. Its text is counted in bytes of
// a code page, line breaks as CR LF, and never grows past the limit: typing, pasting, dropping
// or a program edit that would pass it is refused as a whole. The standard Edit commands (Undo,
// Cut, Copy, Paste, Clear, Select All) live here.

#include <QPlainTextEdit>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/TextImage.h"
#include "platform/framework/View.h"

class CEditView : public QPlainTextEdit, public CView {
public:
    CEditView();
    ~CEditView() override;

    QWidget* GetWidget() override { return this; }

    // Code page the text is counted and converted in.
    virtual const CCodePage& GetTextCodePage() const;
    // Largest text in bytes.
    void SetLimitText(size_t nMaxBytes) { m_nLimitText = nMaxBytes; }
    size_t GetLimitText() const { return m_nLimitText; }

    // The bytes every byte operation works on, with the mapping between byte and editor
    // positions; kept until the text or the code page changes.
    const CTextImage& GetTextImage() const;
    // The text for encoding: lines ended by CR LF, every character as it is.
    std::u16string GetTextUnicode() const;
    // Editor text of bytes in the document's code page.
    QString DecodeText(std::string_view bytes) const;
    // Forgets the image (after the code page changed).
    void InvalidateTextBytes() { m_bImageValid = false; }

    // True if replacing the selection with text keeps the text within the limit.
    bool FitsReplacement(QStringView text) const;
    // Replaces the selection with text as one undo step; false (nothing changed) past the limit.
    bool ReplaceSel(const QString& text);

    // Standard Edit commands.
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnEditCut();
    void OnEditCopy();
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnEditPaste();
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnEditClear();
    void OnEditSelectAll();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void inputMethodEvent(QInputMethodEvent* pEvent) override;
    void insertFromMimeData(const QMimeData* pSource) override;
    bool canInsertFromMimeData(const QMimeData* pSource) const override;
    // An edit refused because the text would grow past the limit: a beep and a word in the
    // status bar.
    void Refuse();

private:
    size_t m_nLimitText = 30000;
    mutable CTextImage m_image;
    mutable bool m_bImageValid = false;
    bool m_bClipboardHasText = false;
};
