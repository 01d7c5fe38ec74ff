// Line access of the editor: lines as bytes of the document's code page, and edits made from
// byte positions in them, each one undo step.
#include <QTextBlock>
#include <cstring>

#include "view/VersewrightView.h"

int CVersewrightView::GetCaretLine() const {
    return textCursor().blockNumber();
}

bool CVersewrightView::ReadLine(int nLine, CLineCopy& copy) const {
    const QTextBlock block = document()->findBlockByNumber(nLine);
    if (!block.isValid())
        return false;
    const std::string bytes = EncodeText(block.text());
    copy.nLength = std::min(bytes.size(), kLineBuffer);
    std::memcpy(copy.sz, bytes.data(), copy.nLength);
    copy.sz[copy.nLength] = '\0';
    copy.nLine = nLine;
    return true;
}

void CVersewrightView::ReplaceInLine(const CLineCopy& copy, size_t nStart, size_t nEnd,
                                     const QString& text) {
    const QTextBlock block = document()->findBlockByNumber(copy.nLine);
    if (!block.isValid() || nStart >= nEnd || nEnd > copy.nLength)
        return;
    // Byte offsets become character offsets through the characters before them.
    const int nFrom = static_cast<int>(DecodeText(std::string_view(copy.sz, nStart)).size());
    const int nTo = static_cast<int>(DecodeText(std::string_view(copy.sz, nEnd)).size());
    QTextCursor cursor(document());
    cursor.setPosition(block.position() + nFrom);
    cursor.setPosition(block.position() + nTo, QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

bool CVersewrightView::ReplaceAllText(const char* pszText) {
    return ReplaceAllText(DecodeText(pszText));
}

bool CVersewrightView::ReplaceAllText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (EncodeText(text).size() > GetLimitText())
        return false;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}
