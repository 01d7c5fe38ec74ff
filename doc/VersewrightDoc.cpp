#include "doc/VersewrightDoc.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <string>

#include "app/MainFrame.h"
#include "app/Resource.h"
#include "doc/CompanionAudio.h"
#include "doc/LrcText.h"
#include "doc/SaveAsRules.h"
#include "platform/FileNames.h"
#include "platform/SystemLanguage.h"
#include "platform/framework/FileMessages.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WinApp.h"
#include "view/PlaybackControls.h"
#include "view/VersewrightView.h"

namespace {

QWidget* DialogParent() {
    return AfxGetApp() ? AfxGetApp()->GetMainWidget() : nullptr;
}

} // namespace

CVersewrightDoc::CVersewrightDoc() : m_codePage(CCodePage::System()) {}

CVersewrightDoc::~CVersewrightDoc() = default;

CVersewrightView* CVersewrightDoc::GetView() const {
    return dynamic_cast<CVersewrightView*>(GetFirstView());
}

void CVersewrightDoc::SetCodePage(const CCodePage& codePage, bool bBom, TextFileEncoding encoding) {
    m_codePage = codePage;
    m_bBom = bBom;
    m_encoding = encoding;
    if (CVersewrightView* pView = GetView())
        pView->InvalidateTextBytes();
    ShowCodePage();
}

// The code page of the document, in the status bar before the key-lock indicators.
void CVersewrightDoc::ShowCodePage() {
    if (!g_pMainFrame)
        return;
    auto* pLabel = g_pMainFrame->findChild<QLabel*>(QStringLiteral("CodePageIndicator"));
    if (!pLabel) {
        pLabel = new QLabel(g_pMainFrame->statusBar());
        pLabel->setObjectName(QStringLiteral("CodePageIndicator"));
        g_pMainFrame->statusBar()->insertPermanentWidget(0, pLabel);
    }
    pLabel->setText(QString::fromStdString(CodePageLabel(m_codePage, m_bBom, m_encoding)));
}

bool CVersewrightDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    SetCodePage(CCodePage::System());
    if (CVersewrightView* pView = GetView())
        pView->SetLyricsText("");
    SetModifiedFlag(false); // emptying the editor is no change of the user's
    return true;
}

void CVersewrightDoc::OnFileOpen() {
    QFileDialog dialog(DialogParent(), QStringLiteral("Open"));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("lrc"));
    // "*" rather than "*.*": here a file name need not have a dot.
    dialog.setNameFilters(
        {QStringLiteral("LRC files(*.lrc *.lyr *.mpt *.txt)"), QStringLiteral("All Files(*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    if (AfxGetApp())
        AfxGetApp()->OpenDocumentFile(dialog.selectedFiles().constFirst());
}

bool CVersewrightDoc::OnOpenDocument(const QString& strPath) {
    switch (FileTypeOfPath(ToFileName(strPath))) {
    case LyricsFileType::PlainText:
        // The framework reads the file and hands it to Serialize; the editor and the document
        // change only when the whole text was accepted.
        if (!CDocument::OnOpenDocument(strPath))
            return false;
        m_strOpenedPath = strPath;
        break;
    case LyricsFileType::Lyr:
        m_strOpenedPath = strPath;
        if (!OpenLyrFile(strPath))
            return false;
        break;
    case LyricsFileType::Mpt:
        m_strOpenedPath = strPath;
        if (!OpenMptFile(strPath))
            return false;
        break;
    }
    SetBarText(IDC_NOW_TAG, QString());
    if (CVersewrightView* pView = GetView()) {
        pView->m_nOffset = 0;
        // An MPT file is its own audio.
        if (FileTypeOfPath(ToFileName(strPath)) == LyricsFileType::Mpt)
            pView->LoadAudio(strPath);
        else
            LoadCompanionAudio(strPath);
    }
    SetModifiedFlag(false);
    return true;
}

void CVersewrightDoc::LoadCompanionAudio(const QString& strPath) {
    CVersewrightView* pView = GetView();
    std::string audio;
    if (FindCompanionAudio(ToFileName(strPath), audio))
        pView->LoadAudio(FromFileName(audio));
    else
        pView->UpdatePlayPosition(0, true);
}

void CVersewrightDoc::Serialize(CArchive& ar) {
    CVersewrightView* pView = GetView();
    if (!pView) {
        ar.m_bFailed = true;
        return;
    }
    if (ar.IsStoring()) {
        // Save keeps the format of the file that was opened.
        const QString& strPath = ar.GetFilePath();
        bool bWritten = false;
        switch (FileTypeOfPath(ToFileName(strPath))) {
        case LyricsFileType::PlainText:
            bWritten = WritePlainText(strPath, &ar);
            break;
        case LyricsFileType::Lyr:
            bWritten = WriteLyrFile(strPath, &ar);
            break;
        case LyricsFileType::Mpt:
            bWritten = WriteMptFile(strPath, &ar);
            break;
        }
        ar.m_bFailed = !bWritten;
        return;
    }
    CLoadedText loaded;
    const std::string_view bytes(ar.m_data.constData(), static_cast<size_t>(ar.m_data.size()));
    const QString& strPath = ar.GetFilePath();
    switch (LoadLyricsText(bytes, GetUiLanguage(), loaded)) {
    case TextLoadResult::Ok:
        break;
    case TextLoadResult::TooLarge:
        AfxMessageBox(QStringLiteral(AFX_IDP_FILE_TOO_LARGE "\n%1\nIts text is longer than the "
                                                            "65,535 bytes the editor holds.")
                          .arg(strPath),
                      MB_ICONEXCLAMATION);
        ar.m_bFailed = true;
        return;
    case TextLoadResult::ZeroByte:
        AfxReportOpenFailure(strPath, QStringLiteral("It holds a zero byte, so it is no text file "
                                                     "the editor can hold."));
        ar.m_bFailed = true;
        return;
    case TextLoadResult::BadUtf16:
        AfxReportOpenFailure(strPath, QStringLiteral("It begins with a UTF-16 byte-order mark, "
                                                     "but what follows is not UTF-16 text."));
        ar.m_bFailed = true;
        return;
    }
    SetCodePage(loaded.codePage, loaded.bBom, loaded.encoding);
    pView->SetLyricsText(loaded.strBytes.c_str());
}

bool CVersewrightDoc::EncodeForSaving(const QString& strPath, std::string& bytes, CCodePage& page,
                                      bool bAdopt, bool bFile) {
    CVersewrightView* pView = GetView();
    if (!pView)
        return false;
    const std::u16string text = pView->GetTextUnicode();
    std::u16string unfit;
    page = m_codePage;
    if (bFile ? EncodeTextFile(m_encoding, m_codePage, m_bBom, text, bytes, &unfit)
              : EncodeLyricsText(m_codePage, false, text, bytes, &unfit))
        return true;
    const QString strAsk =
        QStringLiteral("The code page %1 cannot hold these characters of the text:\n%2\n\n"
                       "Save the text as UTF-8 instead?")
            .arg(QString::fromStdString(CodePageLabel(m_codePage, false)),
                 QString::fromStdU16String(unfit));
    if (AfxMessageBox(strAsk, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    page = CCodePage();
    EncodeLyricsText(page, false, text, bytes);
    // The editor could not open such a file again.
    if (bytes.size() > LYRICS_MAX_TEXT) {
        AfxMessageBox(QStringLiteral("%1\nAs UTF-8 the text takes %2 bytes, more than the %3 bytes "
                                     "the editor can open. Nothing was written.")
                          .arg(strPath)
                          .arg(bytes.size())
                          .arg(LYRICS_MAX_TEXT),
                      MB_ICONEXCLAMATION);
        return false;
    }
    if (bAdopt)
        SetCodePage(page, false);
    return true;
}

bool CVersewrightDoc::WritePlainText(const QString& strPath, CArchive* pArchive) {
    std::string bytes;
    CCodePage page;
    if (!EncodeForSaving(strPath, bytes, page, pArchive != nullptr))
        return false;
    if (pArchive) {
        pArchive->m_data = QByteArray::fromStdString(bytes);
        return true;
    }
    return AfxWriteWholeFile(strPath, bytes);
}

QString CVersewrightDoc::LyricsFolder() const {
    return m_strOpenedPath.isEmpty() ? QString() : QFileInfo(m_strOpenedPath).absolutePath();
}

void CVersewrightDoc::OnFileSaveAs() {
    CVersewrightView* pView = GetView();
    if (!pView)
        return;
    const std::vector<CSaveAsFilter> filters =
        SaveAsFilters(pView->m_bAudioLoaded != 0, pView->m_strAudioExt.toStdString());
    QStringList names;
    for (const CSaveAsFilter& filter : filters)
        names << QString::fromLatin1(filter.name);

    QFileDialog dialog(DialogParent(), QStringLiteral("Save As"));
    dialog.setObjectName(QStringLiteral("SaveAsDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(names);
    dialog.setDefaultSuffix(QStringLiteral("lrc"));
    // A name typed without an extension takes the one of the chosen filter.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &names, &filters](const QString& strFilter) {
                         const qsizetype i = names.indexOf(strFilter);
                         if (i >= 0)
                             dialog.setDefaultSuffix(QString::fromLatin1(filters[i].extension));
                     });
    if (!LyricsFolder().isEmpty())
        dialog.setDirectory(LyricsFolder());
    dialog.selectFile(FromFileName(ProposeSaveAsName(ToFileName(m_strOpenedPath))));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString strPath = dialog.selectedFiles().constFirst();
    // An export: the document's path, title and modified flag stay as they are.
    bool bWritten = false;
    switch (SaveAsFormatOf(ToFileName(strPath))) {
    case SaveAsFormat::PlainText:
        bWritten = WritePlainText(strPath, nullptr);
        break;
    case SaveAsFormat::Lyr:
        bWritten = WriteLyrFile(strPath, nullptr);
        break;
    case SaveAsFormat::Mpt:
        bWritten = WriteMptFile(strPath, nullptr);
        break;
    case SaveAsFormat::None:
        break;
    }
    if (bWritten)
        NoteFileWritten(strPath);
}

void CVersewrightDoc::OnUpdateFileSave(CCmdUI* pCmdUI) {
    pCmdUI->Enable(IsModified());
}
