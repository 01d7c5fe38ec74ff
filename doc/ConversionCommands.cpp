// The Tools menu's LYR --> LRC and MPT --> LRC: a lyrics file converted into an LRC file that the
// user names, with the tags in the user's time format. The open document, its text and its audio
// are left as they are.
#include <QFileDialog>
#include <QFileInfo>

#include "app/MainFrame.h"
#include "doc/Conversion.h"
#include "doc/LrcText.h"
#include "doc/VersewrightDoc.h"
#include "platform/FileNames.h"
#include "platform/SystemLanguage.h"
#include "platform/framework/FileMessages.h"
#include "platform/framework/MessageBox.h"

namespace {

struct CConversionDialogs {
    LyricsFormat format;
    const char* pszSuffix; // default extension of the source dialog
    const char* pszFilter; // its one filter
};

// Runs a file dialog; the chosen path, or an empty one when the user cancelled.
QString ChooseFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void ConvertChosenFile(const CConversionDialogs& kind, const QString& strFolder) {
    QFileDialog source(g_pMainFrame, QStringLiteral("Open"), strFolder);
    source.setObjectName(QStringLiteral("ConvertSourceDialog"));
    source.setAcceptMode(QFileDialog::AcceptOpen);
    source.setFileMode(QFileDialog::ExistingFile);
    source.setDefaultSuffix(QString::fromLatin1(kind.pszSuffix));
    source.setNameFilter(QString::fromLatin1(kind.pszFilter));
    const QString strSource = ChooseFile(source);
    if (strSource.isEmpty())
        return;

    // The save dialog asks before it lets an existing file be replaced.
    QFileDialog target(g_pMainFrame, QStringLiteral("Save As"));
    target.setObjectName(QStringLiteral("ConvertTargetDialog"));
    target.setAcceptMode(QFileDialog::AcceptSave);
    target.setFileMode(QFileDialog::AnyFile);
    target.setDefaultSuffix(QStringLiteral("lrc"));
    target.setNameFilter(QStringLiteral("Lrc files(*.lrc)"));
    target.setDirectory(QFileInfo(strSource).absolutePath());
    target.selectFile(FromFileName(ProposeLrcName(ToFileName(strSource))));
    const QString strTarget = ChooseFile(target);
    if (strTarget.isEmpty())
        return;

    const int nTimeFormat = CurrentTimeFormat();
    CConversionFailure failure;
    bool bCut = false;
    if (ConvertFileToLrc(kind.format, ToFileName(strSource), ToFileName(strTarget), nTimeFormat,
                         GetUiLanguage(), &failure, &bCut)) {
        if (bCut) // written, but not all of it: as when the file is opened
            AfxMessageBox(strSource + QLatin1Char('\n') + QString::fromLatin1(kLyricsLeftOut),
                          MB_ICONEXCLAMATION);
        return;
    }
    // Nothing was written; the user learns which file stood in the way, and why.
    const QString strReason = QString::fromStdString(failure.reason);
    if (failure.bOutput)
        AfxReportWriteFailure(strTarget, strReason);
    else
        AfxReportOpenFailure(strSource, strReason);
}

} // namespace

void CVersewrightDoc::OnLyrToLrc() {
    ConvertChosenFile({LyricsFormat::Lyr, "lyr", "Lyr files(*.lyr)"}, LyricsFolder());
}

void CVersewrightDoc::OnMptToLrc() {
    ConvertChosenFile({LyricsFormat::Mpt, "mpt", "Mpt files(*.mpt)"}, LyricsFolder());
}
