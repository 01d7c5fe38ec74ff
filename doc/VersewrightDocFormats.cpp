// LYR and MPT files in the document: opened into LRC text in the code page of their lyrics, and
// written from the editor text when Save keeps the opened format or Save As asks for them.
#include <QFile>
#include <string>

#include "doc/CodePageDetect.h"
#include "doc/Conversion.h"
#include "doc/FileReplace.h"
#include "doc/LrcText.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "doc/TextFile.h"
#include "doc/VersewrightDoc.h"
#include "platform/SystemLanguage.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "player/MediaPlayer.h"
#include "view/VersewrightView.h"

namespace {

// A file that cannot be read or holds no sound lyrics does not open; the editor keeps its text.
bool RefuseToOpen() {
    AfxMessageBox(QStringLiteral(AFX_IDP_FAILED_TO_OPEN_DOC), MB_ICONEXCLAMATION);
    return false;
}

// The file's lyrics as LRC text; the tags always with hundredths, whatever the user's format.
bool ImportFile(LyricsFormat format, const QString& strPath, CImportedLyrics& lyrics) {
    std::string data;
    return ReadFileBytes(QFile::encodeName(strPath).toStdString(), ReadLimit(format), data) &&
           ImportLyrics(format, data, TIME_FORMAT_HUNDREDTHS, GetUiLanguage(), lyrics);
}

// The whole audio file, or false when it cannot be read completely.
bool ReadAudio(const QString& strPath, QByteArray& audio) {
    QFile file(strPath);
    if (strPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    audio = file.readAll();
    return file.error() == QFileDevice::NoError && audio.size() == file.size();
}

// Into the archive of the framework's Save, or else into the file, replaced only once complete.
bool WriteImage(const QString& strPath, CArchive* pArchive, const std::string& image) {
    if (pArchive) {
        pArchive->m_data = QByteArray::fromStdString(image);
        return true;
    }
    return WriteFileReplacing(QFile::encodeName(strPath).toStdString(), image);
}

} // namespace

bool CVersewrightDoc::OpenLyrFile(const QString& strPath) {
    CImportedLyrics lyrics;
    CVersewrightView* pView = GetView();
    if (!pView || !ImportFile(LyricsFormat::Lyr, strPath, lyrics))
        return RefuseToOpen();
    // A stored string may hold a time tag; it gets a line of its own, as in a loaded LRC file,
    // unless that would no longer fit the editor.
    std::string normalised;
    NormaliseLoadedText(lyrics.codePage, lyrics.strText, normalised);
    if (normalised.size() <= LYRICS_MAX_TEXT)
        lyrics.strText.swap(normalised);
    SetCodePage(lyrics.codePage);
    pView->SetLyricsText(lyrics.strText.c_str());
    return true;
}

bool CVersewrightDoc::OpenMptFile(const QString& strPath) {
    CImportedLyrics lyrics;
    CVersewrightView* pView = GetView();
    if (!pView || !ImportFile(LyricsFormat::Mpt, strPath, lyrics))
        return RefuseToOpen();
    SetCodePage(lyrics.codePage);
    pView->SetLyricsText(lyrics.strText.c_str());
    return true;
}

// The editor text and its code page, without any byte-order mark.
bool CVersewrightDoc::ExportText(const QString& strPath, std::string& text, CCodePage& page,
                                 CArchive* pArchive) {
    if (!EncodeForSaving(strPath, text, page, pArchive != nullptr))
        return false;
    if (text.starts_with(UTF8_BOM))
        text.erase(0, UTF8_BOM.size());
    return true;
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
    if (!pView || !pView->m_bAudioLoaded)
        return false;
    // Read whole before anything is written: the target may be this very file.
    QByteArray audio;
    if (!ReadAudio(pView->m_strAudioPath, audio))
        return false;
    std::string text;
    CCodePage page;
    if (!ExportText(strPath, text, page, pArchive))
        return false;
    std::string name;
    if (!page.FromUnicode(pView->m_strAudioName.toStdU16String(), name))
        name = QFile::encodeName(pView->m_strAudioName).toStdString();
    const std::string_view stream(audio.constData(), static_cast<size_t>(audio.size()));
    return WriteImage(strPath, pArchive,
                      BuildMptFile(page, text, name, MediaGetLength(nullptr), stream));
}
