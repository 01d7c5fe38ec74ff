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

    // The text in the code page, lines ended by CR LF; kept until the text or code page changes.
    const std::string& GetTextBytes() const;
    // The text for encoding: lines ended by CR LF. Characters the code page cannot hold are
    // still there, unlike in GetTextBytes.
    std::u16string GetTextUnicode() const;
    // A piece of text with each line break (LF, CR LF, CR, paragraph or line separator) as CR LF.
    static std::u16string CrLfLines(QStringView text);
    // Bytes of a piece of text; each line break (LF, CR LF, paragraph or line separator) as CR LF.
    size_t ByteCount(QStringView text) const;
    std::string EncodeText(QStringView text) const;
    QString DecodeText(std::string_view bytes) const;
    // Forgets the cached bytes (after the code page changed).
    void InvalidateTextBytes() { m_bBytesValid = false; }

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
    // A refused edit.
    void Refuse();

private:
    size_t m_nLimitText = 30000;
    mutable std::string m_strBytes;
    mutable bool m_bBytesValid = false;
    bool m_bClipboardHasText = false;
};
