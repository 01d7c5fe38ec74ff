#include "doc/VersewrightDoc.h"

#include <string>

#include "doc/LrcText.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "view/VersewrightView.h"

CVersewrightDoc::CVersewrightDoc() : m_codePage(CCodePage::System()) {}

CVersewrightDoc::~CVersewrightDoc() = default;

CVersewrightView* CVersewrightDoc::GetView() const {
    return dynamic_cast<CVersewrightView*>(GetFirstView());
}

void CVersewrightDoc::SetCodePage(const CCodePage& codePage) {
    m_codePage = codePage;
    if (CVersewrightView* pView = GetView())
        pView->InvalidateTextBytes();
}

bool CVersewrightDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    if (CVersewrightView* pView = GetView())
        pView->SetLyricsText("");
    SetModifiedFlag(false); // emptying the editor is no change of the user's
    return true;
}

// Plain text: the file's bytes are the editor text.
void CVersewrightDoc::Serialize(CArchive& ar) {
    CVersewrightView* pView = GetView();
    if (!pView) {
        ar.m_bFailed = true;
        return;
    }
    if (ar.IsLoading()) {
        // The editor never holds more; a longer file is refused rather than cut.
        if (static_cast<size_t>(ar.m_data.size()) > LYRICS_MAX_TEXT) {
            AfxMessageBox(QStringLiteral(AFX_IDP_FILE_TOO_LARGE), MB_ICONEXCLAMATION);
            ar.m_bFailed = true;
            return;
        }
        std::string text(ar.m_data.constData(), static_cast<size_t>(ar.m_data.size()));
        pView->SetLyricsText(text.c_str());
    } else {
        std::string buffer(LYRICS_CAPACITY, '\0');
        const size_t nLength = pView->GetLyricsText(buffer.data(), LYRICS_CAPACITY);
        ar.m_data = QByteArray(buffer.data(), static_cast<qsizetype>(nLength));
    }
}
