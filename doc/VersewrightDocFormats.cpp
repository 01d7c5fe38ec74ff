// LYR and MPT files in the document: opened into LRC text in the code page of their lyrics, and
// written from the editor text when Save keeps the opened format or Save As asks for them.
#include <QFile>
#include <string>

#include "doc/CodePageDetect.h"
#include "doc/Conversion.h"
#include "doc/LrcText.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "doc/TextFile.h"
#include "doc/VersewrightDoc.h"
#include "platform/FileNames.h"
#include "platform/SystemLanguage.h"
#include "platform/framework/FileMessages.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "player/MediaPlayer.h"
#include "view/VersewrightView.h"

namespace {

// The file's lyrics as LRC text; the tags always with hundredths, whatever the user's format. A
// file that cannot be read or holds no sound lyrics does not open, and says why; the editor keeps
// its text.
bool ImportFile(LyricsFormat format, const QString& strPath, CImportedLyrics& lyrics) {
    std::string reason;
    if (ImportLyricsFile(format, ToFileName(strPath), TIME_FORMAT_HUNDREDTHS, GetUiLanguage(),
                         lyrics, reason))
        return true;
    AfxReportOpenFailure(strPath, QString::fromStdString(reason));
    return false;
}

// The whole audio file, or false (with the reason) when it cannot be read completely.
bool ReadAudio(const QString& strPath, QByteArray& audio, QString& strReason) {
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        strReason = file.errorString();
        return false;
    }
    audio = file.readAll();
    if (file.error() != QFileDevice::NoError || audio.size() != file.size()) {
        strReason = file.error() != QFileDevice::NoError ? file.errorString()
                                                         : QStringLiteral("It was cut short.");
        return false;
    }
    return true;
}

// Into the archive of the framework's Save, or else into the file, replaced only once complete.
bool WriteImage(const QString& strPath, CArchive* pArchive, const std::string& image) {
    if (pArchive) {
        pArchive->m_data = QByteArray::fromStdString(image);
        return true;
    }
    return AfxWriteWholeFile(strPath, image);
}

} // namespace

bool CVersewrightDoc::OpenLyrFile(const QString& strPath) {
    CImportedLyrics lyrics;
    CVersewrightView* pView = GetView();
    if (!pView || !ImportFile(LyricsFormat::Lyr, strPath, lyrics))
        return false;
    // A stored string may hold a time tag; it gets a line of its own, as in a loaded LRC file,
    // unless that would no longer fit the editor.
    std::string normalised;
    NormaliseLoadedText(lyrics.codePage, lyrics.strText, normalised);
    if (normalised.size() <= LYRICS_MAX_TEXT)
        lyrics.strText.swap(normalised);
    SetCodePage(lyrics.codePage);
    pView->SetLyricsText(lyrics.strText.c_str());
    if (lyrics.bCut)
        AfxMessageBox(strPath + QLatin1Char('\n') + QString::fromLatin1(kLyricsLeftOut),
                      MB_ICONEXCLAMATION);
    return true;
}

bool CVersewrightDoc::OpenMptFile(const QString& strPath) {
    CImportedLyrics lyrics;
    CVersewrightView* pView = GetView();
    if (!pView || !ImportFile(LyricsFormat::Mpt, strPath, lyrics))
        return false;
    SetCodePage(lyrics.codePage);
    pView->SetLyricsText(lyrics.strText.c_str());
    return true;
}

// The editor text and its code page, without any byte-order mark.
bool CVersewrightDoc::ExportText(const QString& strPath, std::string& text, CCodePage& page,
                                 CArchive* pArchive) {
    return EncodeForSaving(strPath, text, page, pArchive != nullptr, false);
}

bool CVersewrightDoc::WriteLyrFile(const QString& strPath, CArchive* pArchive) {
    std::string text;
    CCodePage page;
    if (!ExportText(strPath, text, page, pArchive))
        return false;
    return WriteImage(strPath, pArchive, BuildLyrFile(page, text));
}

bool CVersewrightDoc::WriteMptFile(const QString& strPath, CArchive* pArchive) {
    CVersewrightView* pView = GetView();
    if (!pView)
        return false;
    pView->FinishAudioLoading(); // a save given while the song loads takes it as it comes
    if (!pView->m_bAudioLoaded || pView->m_strAudioPath.isEmpty()) {
        AfxReportSaveRefused(strPath, QStringLiteral("An MPT file holds the song's audio, and no "
                                                     "audio file is loaded."));
        return false;
    }
    // Read whole before anything is written: the target may be this very file.
    QByteArray audio;
    QString strReason;
    if (!ReadAudio(pView->m_strAudioPath, audio, strReason)) {
        AfxReportSaveRefused(strPath, QStringLiteral("The audio file %1 cannot be read: %2")
                                          .arg(pView->m_strAudioPath, strReason));
        return false;
    }
    std::string text;
    CCodePage page;
    if (!ExportText(strPath, text, page, pArchive))
        return false;
    std::string name;
    if (!page.FromUnicode(pView->m_strAudioName.toStdU16String(), name))
        name = ToFileName(pView->m_strAudioName);
    const std::string_view stream(audio.constData(), static_cast<size_t>(audio.size()));
    return WriteImage(strPath, pArchive,
                      BuildMptFile(page, text, name, MediaGetLength(nullptr), stream));
}
