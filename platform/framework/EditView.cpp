#include "platform/framework/EditView.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

namespace {
bool IsLineBreak(QChar ch) {
    return ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator;
}

// Line breaks of every kind become one LF, which the editor turns into a new line.
QString PlainLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}
} // namespace

CEditView::CEditView() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(document(), &QTextDocument::contentsChanged, this, [this] { m_bBytesValid = false; });
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

std::u16string CEditView::CrLfLines(QStringView text) {
    std::u16string wide;
    wide.reserve(static_cast<size_t>(text.size()) + 64);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            continue; // the LF that follows writes the pair
        if (IsLineBreak(ch) || ch == QLatin1Char('\r')) {
            wide += u"\r\n";
            continue;
        }
        wide += static_cast<char16_t>(ch.unicode());
    }
    return wide;
}

std::string CEditView::EncodeText(QStringView text) const {
    std::string out;
    GetTextCodePage().FromUnicode(CrLfLines(text), out);
    return out;
}

QString CEditView::DecodeText(std::string_view bytes) const {
    std::u16string wide;
    GetTextCodePage().ToUnicode(bytes, wide);
    return QString(reinterpret_cast<const QChar*>(wide.data()),
                   static_cast<qsizetype>(wide.size()));
}

size_t CEditView::ByteCount(QStringView text) const {
    return EncodeText(text).size();
}

std::u16string CEditView::GetTextUnicode() const {
    QString text;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            text += QLatin1Char('\n');
        text += block.text();
    }
    return CrLfLines(text);
}

const std::string& CEditView::GetTextBytes() const {
    if (!m_bBytesValid) {
        GetTextCodePage().FromUnicode(GetTextUnicode(), m_strBytes);
        m_bBytesValid = true;
    }
    return m_strBytes;
}

bool CEditView::FitsReplacement(QStringView text) const {
    const size_t nNow = GetTextBytes().size();
    const size_t nRemoved = ByteCount(textCursor().selectedText());
    const size_t nAdded = ByteCount(text);
    return nNow - std::min(nNow, nRemoved) + nAdded <= m_nLimitText;
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
        QInputMethodEvent cancel; // drops the composition without committing it
        QPlainTextEdit::inputMethodEvent(&cancel);
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
