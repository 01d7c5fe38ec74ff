// Line access of the editor: lines as bytes of the text image, and edits made from byte
// positions in it, each one undo step.
#include <cstring>

#include "view/VersewrightView.h"

int CVersewrightView::GetCaretLine() const {
    return textCursor().blockNumber();
}

bool CVersewrightView::ReadLine(int nLine, CLineCopy& copy) const {
    const CTextImage& image = GetTextImage();
    if (nLine < 0 || nLine >= image.LineCount())
        return false;
    copy.nStartByte = image.LineStartByte(nLine);
    copy.nLength = std::min(image.LineEndByte(nLine) - copy.nStartByte, kLineBuffer);
    std::memcpy(copy.sz, image.Bytes().data() + copy.nStartByte, copy.nLength);
    copy.sz[copy.nLength] = '\0';
    copy.nLine = nLine;
    return true;
}

bool CVersewrightView::ReplaceBytes(size_t nFrom, size_t nTo, std::string_view bytes) {
    const CTextImage& image = GetTextImage();
    const size_t nStart = image.PositionOfByte(std::min(nFrom, nTo));
    const size_t nEnd = image.PositionOfByte(std::max(nFrom, nTo));
    const std::u16string text = image.Decode(bytes);
    if (image.SizeAfterReplacing(nStart, nEnd, text) > GetLimitText())
        return false;
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(nStart));
    cursor.setPosition(static_cast<int>(nEnd), QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.insertText(QString::fromStdU16String(text));
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}

bool CVersewrightView::ReplaceAllText(const CCodePage& cp, const char* pszText) {
    std::u16string wide;
    cp.ToUnicode(pszText, wide);
    return ReplaceAllText(QString::fromStdU16String(wide));
}

bool CVersewrightView::ReplaceAllText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const CTextImage& image = GetTextImage();
    if (image.SizeAfterReplacing(0, image.Text().size(), text.toStdU16String()) > GetLimitText())
        return false;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}
