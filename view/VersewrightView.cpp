#include "view/VersewrightView.h"

#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cstring>

#include "doc/LrcText.h"
#include "doc/PlayTime.h"
#include "doc/VersewrightDoc.h"
#include "player/MediaPlayer.h"
#include "view/Gutter.h"

CVersewrightView* g_pView = nullptr;

CVersewrightView::CVersewrightView() : m_hBackBrush(Qt::white) {
    g_pView = this;
    setObjectName(QStringLiteral("CVersewrightView"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetLimitText(LYRICS_MAX_TEXT);
    m_pGutter = new CGutter(this);
    SetFormattingMargin();
    connect(document(), &QTextDocument::contentsChanged, this, [this] { OnChange(); });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { RedrawGutter(); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int nDy) {
        if (nDy)
            RedrawGutter();
    });
}

CVersewrightView::~CVersewrightView() {
    MediaCloseAll();
    if (g_pView == this)
        g_pView = nullptr;
}

CVersewrightDoc* CVersewrightView::GetDocument() const {
    return dynamic_cast<CVersewrightDoc*>(CView::GetDocument());
}

const CCodePage& CVersewrightView::GetTextCodePage() const {
    if (CVersewrightDoc* pDoc = GetDocument())
        return pDoc->GetCodePage();
    return CEditView::GetTextCodePage();
}

size_t CVersewrightView::GetLyricsText(char* pBuffer, size_t nCapacity) const {
    if (!pBuffer || nCapacity == 0)
        return 0;
    const std::string& text = GetTextImage().Bytes();
    const size_t nLength = std::min(text.size(), nCapacity - 1);
    std::memcpy(pBuffer, text.data(), nLength);
    pBuffer[nLength] = '\0';
    return nLength;
}

void CVersewrightView::SetLyricsText(const char* pszText) {
    QString text = DecodeText(pszText ? std::string_view(pszText) : std::string_view());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setUpdatesEnabled(false);
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    document()->setUndoRedoEnabled(true);
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
    setUpdatesEnabled(true);
}

uint32_t CVersewrightView::EffectiveTime(uint32_t nPosition) const {
    return ::EffectiveTime(nPosition, m_nOffset);
}

uint32_t CVersewrightView::PlayPositionOfTag(uint32_t nTagTime) const {
    return ::PlayPositionOfTag(nTagTime, m_nOffset);
}

void CVersewrightView::OnChange() {
    RedrawGutter();
    if (CVersewrightDoc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(true);
}

void CVersewrightView::resizeEvent(QResizeEvent* pEvent) {
    CEditView::resizeEvent(pEvent);
    SetFormattingMargin();
    PlaceGutter();
}

void CVersewrightView::PlaceGutter() {
    const QRect rc = contentsRect();
    m_pGutter->setGeometry(rc.left(), rc.top(), kGutterWidth, rc.height());
}
