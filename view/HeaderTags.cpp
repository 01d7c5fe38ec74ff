// The view's header operations for the header dialog: the five values read out of the text (the
// audio file's ID3v1 tag standing in for title, artist and album when the text has none of
// them), and the text rewritten with exactly the given header lines, as one undo step.
#include <QTextCursor>
#include <memory>

#include "doc/CodePageDetect.h"
#include "doc/HeaderTags.h"
#include "platform/FileNames.h"
#include "platform/SystemLanguage.h"
#include "player/Id3v1.h"
#include "view/VersewrightView.h"

namespace {

// The header work runs on the text image; values that its code page cannot hold move the work
// to UTF-8, so that no character turns into '?' on its way through the bytes.
class CHeaderBytes {
public:
    CHeaderBytes(const CTextImage& image, const QStringList& values) : m_cp(image.Page()) {
        if (!Encode(values)) {
            m_cp = CCodePage();
            Encode(values);
            m_strText = CTextImage(m_cp, image.Text()).Bytes();
        } else {
            m_strText = image.Bytes();
        }
    }

    const CCodePage& Page() const { return m_cp; }
    const char* Text() const { return m_strText.c_str(); }
    SHeaderValues& Values() { return m_values; }
    QString Decode(std::string_view bytes) const {
        std::u16string wide;
        m_cp.ToUnicode(bytes, wide);
        return QString::fromStdU16String(wide);
    }

private:
    bool Encode(const QStringList& values) {
        bool bOk = true;
        for (qsizetype i = 0; i < values.size() && i < 5; ++i)
            bOk = m_cp.FromUnicode(values[i].toStdU16String(), m_values.str[i]) && bOk;
        return bOk;
    }

    CCodePage m_cp;
    std::string m_strText;
    SHeaderValues m_values;
};

} // namespace

void CVersewrightView::ReadHeaderValues(QString& strTitle, QString& strArtist, QString& strAlbum,
                                        QString& strBy, QString& strOffset) {
    CHeaderBytes bytes(GetTextImage(), {});
    SHeaderValues& values = bytes.Values();
    ReadHeaderTags(bytes.Page(), bytes.Text(), values);
    QString* outputs[] = {&strTitle, &strArtist, &strAlbum, &strBy, &strOffset};
    for (int i = 0; i < 5; ++i)
        *outputs[i] = bytes.Decode(values.str[i]);

    if (!m_bAudioLoaded || !values.LacksSongNames())
        return;
    char szTitle[ID3V1_FIELD_BUFFER];
    char szArtist[ID3V1_FIELD_BUFFER];
    char szAlbum[ID3V1_FIELD_BUFFER];
    if (ReadId3v1Tag(ToFileName(m_strAudioPath).c_str(), szTitle, szArtist, szAlbum) != 1)
        return;
    // Tag writers used the system's legacy code page, not necessarily the document's.
    const CCodePage fallback = LegacyCodePage(GetUiLanguage());
    const CCodePage& docCp = GetTextCodePage();
    strTitle = QString::fromStdU16String(DecodeTagField(docCp, fallback, szTitle));
    strArtist = QString::fromStdU16String(DecodeTagField(docCp, fallback, szArtist));
    strAlbum = QString::fromStdU16String(DecodeTagField(docCp, fallback, szAlbum));
}

void CVersewrightView::WriteHeaderValues(const QString& strTitle, const QString& strArtist,
                                         const QString& strAlbum, const QString& strBy,
                                         const QString& strOffset) {
    CHeaderBytes bytes(GetTextImage(), {strTitle, strArtist, strAlbum, strBy, strOffset});
    auto out = std::make_unique<char[]>(LYRICS_CAPACITY);
    const ptrdiff_t nLength =
        WriteHeaderTags(bytes.Page(), bytes.Values(), bytes.Text(), out.get());
    // A result past the editor's limit would lose the end of the lyrics: the text stays.
    if (nLength < 0 || !ReplaceAllText(bytes.Decode(std::string_view(out.get(), nLength)))) {
        Refuse();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
}
