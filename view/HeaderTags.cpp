// The view's header operations for the header dialog: the five values read out of the text (the
// audio file's ID3v1 tag standing in for title, artist and album when the text has none of
// them), and the text rewritten with exactly the given header lines, as one undo step.
#include <QFile>
#include <QTextCursor>
#include <memory>

#include "doc/CodePageDetect.h"
#include "doc/HeaderTags.h"
#include "platform/SystemLanguage.h"
#include "player/Id3v1.h"
#include "view/VersewrightView.h"

namespace {

std::u16string Wide(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<size_t>(text.size()));
}

QString FromWide(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

QString Decode(const CCodePage& cp, std::string_view bytes) {
    std::u16string wide;
    cp.ToUnicode(bytes, wide);
    return FromWide(wide);
}

// The header work runs on bytes of the document's code page; when that page cannot hold every
// character of the text (and the given values), it runs on UTF-8 instead, so that no character
// turns into '?' on its way through the bytes.
class CHeaderBytes {
public:
    CHeaderBytes(const CCodePage& docCp, const QString& text, const QStringList& values) {
        m_cp = docCp;
        if (!Encode(text, values))
            Encode(text, values, CCodePage());
    }

    const CCodePage& Page() const { return m_cp; }
    const char* Text() const { return m_strText.c_str(); }
    SHeaderValues& Values() { return m_values; }

private:
    bool Encode(const QString& text, const QStringList& values) {
        return Encode(text, values, m_cp);
    }
    bool Encode(const QString& text, const QStringList& values, const CCodePage& cp) {
        m_cp = cp;
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        bool bOk = m_cp.FromUnicode(Wide(lines), m_strText);
        for (qsizetype i = 0; i < values.size() && i < 5; ++i)
            bOk = m_cp.FromUnicode(Wide(values[i]), m_values.str[i]) && bOk;
        return bOk;
    }

    CCodePage m_cp;
    std::string m_strText;
    SHeaderValues m_values;
};

} // namespace

void CVersewrightView::ReadHeaderValues(QString& strTitle, QString& strArtist, QString& strAlbum,
                                        QString& strBy, QString& strOffset) {
    CHeaderBytes bytes(GetTextCodePage(), toPlainText(), {});
    SHeaderValues& values = bytes.Values();
    ReadHeaderTags(bytes.Page(), bytes.Text(), values);
    QString* outputs[] = {&strTitle, &strArtist, &strAlbum, &strBy, &strOffset};
    for (int i = 0; i < 5; ++i)
        *outputs[i] = Decode(bytes.Page(), values.str[i]);

    if (!m_bAudioLoaded || !values.LacksSongNames())
        return;
    char szTitle[ID3V1_FIELD_BUFFER];
    char szArtist[ID3V1_FIELD_BUFFER];
    char szAlbum[ID3V1_FIELD_BUFFER];
    if (ReadId3v1Tag(QFile::encodeName(m_strAudioPath).constData(), szTitle, szArtist, szAlbum) !=
        1)
        return;
    // Tag writers used the system's legacy code page, not necessarily the document's.
    const CCodePage fallback = LegacyCodePage(GetUiLanguage());
    strTitle = FromWide(DecodeTagField(GetTextCodePage(), fallback, szTitle));
    strArtist = FromWide(DecodeTagField(GetTextCodePage(), fallback, szArtist));
    strAlbum = FromWide(DecodeTagField(GetTextCodePage(), fallback, szAlbum));
}

void CVersewrightView::WriteHeaderValues(const QString& strTitle, const QString& strArtist,
                                         const QString& strAlbum, const QString& strBy,
                                         const QString& strOffset) {
    CHeaderBytes bytes(GetTextCodePage(), toPlainText(),
                       {strTitle, strArtist, strAlbum, strBy, strOffset});
    auto out = std::make_unique<char[]>(LYRICS_CAPACITY);
    const ptrdiff_t nLength =
        WriteHeaderTags(bytes.Page(), bytes.Values(), bytes.Text(), out.get());
    // A result past the editor's limit would lose the end of the lyrics: the text stays.
    if (nLength < 0 ||
        !ReplaceAllText(Decode(bytes.Page(), std::string_view(out.get(), nLength)))) {
        Refuse();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
}
