#include "platform/framework/EditView.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {
// Text as the editor inserts it: CR LF, CR and U+2029 each start a new line (an LF); U+2028
// stays a character of its line.
QString EditorLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// Pasted text: line breaks of every kind become one LF, U+2028 too.
QString PlainLines(const QString& text) {
    return EditorLines(text).replace(QChar::LineSeparator, QLatin1Char('\n'));
}
} // namespace

CEditView::CEditView() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { m_bImageValid = false; });
    QClipboard* pClipboard = QApplication::clipboard();
    auto updateClipboard = [this, pClipboard] {
        const QMimeData* pData = pClipboard->mimeData();
        m_bClipboardHasText = pData && pData->hasText();
    };
    connect(pClipboard, &QClipboard::dataChanged, this, updateClipboard);
    updateClipboard();
}

CEditView::~CEditView() = default;

const CCodePage& CEditView::GetTextCodePage() const {
    static const CCodePage utf8;
    return utf8;
}

QString CEditView::DecodeText(std::string_view bytes) const {
    std::u16string wide;
    GetTextCodePage().ToUnicode(bytes, wide);
    return QString::fromStdU16String(wide);
}

const CTextImage& CEditView::GetTextImage() const {
    if (!m_bImageValid) {
        // One LF between blocks: only a block boundary is a line break.
        std::u16string text;
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            if (block != document()->begin())
                text += u'\n';
            text += block.text().toStdU16String();
        }
        m_image = CTextImage(GetTextCodePage(), std::move(text));
        m_bImageValid = true;
    }
    return m_image;
}

std::u16string CEditView::GetTextUnicode() const {
    std::u16string text;
    for (char16_t c : GetTextImage().Text()) {
        if (c == u'\n')
            text += u'\r';
        text += c;
    }
    return text;
}

bool CEditView::FitsReplacement(QStringView text) const {
    const QTextCursor cursor = textCursor();
    const size_t nSize = GetTextImage().SizeAfterReplacing(
        static_cast<size_t>(cursor.selectionStart()), static_cast<size_t>(cursor.selectionEnd()),
        EditorLines(text.toString()).toStdU16String());
    return nSize <= m_nLimitText;
}

bool CEditView::ReplaceSel(const QString& text) {
    const QString lines = PlainLines(text);
    if (!FitsReplacement(lines))
        return false;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertText(lines);
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}

void CEditView::Refuse() {
    QApplication::beep();
    if (auto* pFrame = qobject_cast<QMainWindow*>(window()))
        pFrame->statusBar()->showMessage(
            QStringLiteral("The text would grow past the %1 bytes the editor holds.")
                .arg(m_nLimitText));
}

void CEditView::keyPressEvent(QKeyEvent* pEvent) {
    const int nKey = pEvent->key();
    if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
        // One kind of line break only: Shift+Enter would make a soft break inside a line.
        if (!FitsReplacement(u"\n")) {
            Refuse();
            return;
        }
        QKeyEvent plain(pEvent->type(), nKey, pEvent->modifiers() & ~Qt::ShiftModifier,
                        pEvent->text(), pEvent->isAutoRepeat(),
                        static_cast<ushort>(pEvent->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        pEvent->setAccepted(plain.isAccepted());
        return;
    }
    const QString text = pEvent->text();
    const bool bInserts = !text.isEmpty() && (text[0].isPrint() || text[0] == QLatin1Char('\t')) &&
                          !(pEvent->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (bInserts && !isReadOnly() && !FitsReplacement(text)) {
        Refuse();
        return;
    }
    QPlainTextEdit::keyPressEvent(pEvent);
}

void CEditView::inputMethodEvent(QInputMethodEvent* pEvent) {
    if (!pEvent->commitString().isEmpty() && !FitsReplacement(pEvent->commitString())) {
        Refuse();
        // Drops a composition on show without committing it; without one the text is left
        // alone, so that the refusal is no change of the document.
        const QTextLayout* pLayout = textCursor().block().layout();
        if (pLayout && !pLayout->preeditAreaText().isEmpty()) {
            QInputMethodEvent cancel;
            QPlainTextEdit::inputMethodEvent(&cancel);
        }
        return;
    }
    QPlainTextEdit::inputMethodEvent(pEvent);
}

bool CEditView::canInsertFromMimeData(const QMimeData* pSource) const {
    // Files dropped on the window are for the frame to open, not text to insert.
    if (pSource->hasUrls())
        return false;
    return QPlainTextEdit::canInsertFromMimeData(pSource);
}

void CEditView::insertFromMimeData(const QMimeData* pSource) {
    if (!pSource || !pSource->hasText())
        return;
    if (!ReplaceSel(pSource->text()))
        Refuse();
    ensureCursorVisible();
}

void CEditView::OnEditUndo() {
    undo();
}

void CEditView::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(document()->isUndoAvailable());
}

void CEditView::OnEditCut() {
    cut();
}

void CEditView::OnEditCopy() {
    copy();
}

void CEditView::OnUpdateNeedSel(CCmdUI* pCmdUI) {
    pCmdUI->Enable(textCursor().hasSelection());
}

void CEditView::OnEditPaste() {
    paste();
}

void CEditView::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bClipboardHasText);
}

void CEditView::OnEditClear() {
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

void CEditView::OnEditSelectAll() {
    selectAll();
}
