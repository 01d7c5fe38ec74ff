// The view's header operations on the program's editor text: reading the five values (with the
// audio file's ID3v1 tag standing in), and the rewrite as one undo step.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LrcText.h"
#include "tests/support/AppHarness.h"
#include "tests/support/ModalDialogs.h"

namespace {

struct SValues {
    QString strTitle, strArtist, strAlbum, strBy, strOffset;
    bool operator==(const SValues&) const = default;
};

void PrintTo(const SValues& v, std::ostream* os) {
    *os << '{' << v.strTitle.toStdString() << '|' << v.strArtist.toStdString() << '|'
        << v.strAlbum.toStdString() << '|' << v.strBy.toStdString() << '|'
        << v.strOffset.toStdString() << '}';
}

SValues Read() {
    SValues v;
    g_pView->ReadHeaderValues(v.strTitle, v.strArtist, v.strAlbum, v.strBy, v.strOffset);
    return v;
}

CCodePage Page(const char* pszName) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(pszName, cp));
    return cp;
}

// An audio file that is only its ID3v1 trailer: "TAG" and three 30-byte fields.
QString WriteTaggedFile(const QTemporaryDir& dir, const std::string& title,
                        const std::string& artist, const std::string& album) {
    QByteArray bytes(256, '\x55'); // some audio before the tag
    QByteArray tag(128, '\0');
    tag.replace(0, 3, "TAG");
    tag.replace(3, static_cast<qsizetype>(title.size()), title.c_str());
    tag.replace(33, static_cast<qsizetype>(artist.size()), artist.c_str());
    tag.replace(63, static_cast<qsizetype>(album.size()), album.c_str());
    bytes += tag;
    const QString strPath = dir.filePath(QStringLiteral("song.mp3"));
    QFile file(strPath);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return strPath;
}

class HeaderTagsView : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.Start()); }
    CRunningApp m_app;
};

TEST_F(HeaderTagsView, ReadsTheTextsHeaders) {
    const struct {
        std::string text;
        SValues expected;
    } cases[] = {
        {"[TI:Song]\r\n[00:01]la", {"Song", "", "", "", ""}},
        {"[ti:One]\r\n[ti:Two]\r\n", {"Two", "", "", "", ""}},
        {"[ar:A]\r\n[al:B]\r\n[by:C]\r\n[offset:+250]", {"", "A", "B", "C", "+250"}},
        {"[offset:250ms]", {"", "", "", "", ""}},
        {"[ti:No close\r\n[00:01]x", {"", "", "", "", ""}},
        {"[ti:\xE6\xAD\x8C]", {QStringLiteral("\u6B4C"), "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_app.SetText(c.text);
        EXPECT_EQ(Read(), c.expected);
    }
}

TEST_F(HeaderTagsView, ReadsInTheDocumentsCodePage) {
    m_app.Doc()->SetCodePage(Page("GB18030"));
    m_app.View()->InvalidateTextBytes();
    // A 300-byte title of two-byte characters: cut to 254 bytes, never inside a character.
    m_app.View()->setPlainText("[ti:" + QString(150, QChar(0x6B4C)) + "]");
    EXPECT_EQ(Read().strTitle, QString(127, QChar(0x6B4C)));
}

TEST_F(HeaderTagsView, FallsBackOnTheId3v1TagOnlyWithoutTitleArtistAndAlbum) {
    QTemporaryDir dir;
    m_app.View()->m_strAudioPath = WriteTaggedFile(dir, "Tag Title   ", "Tag Artist", "Tag Album");
    const struct {
        const char* pszName;
        int bAudioLoaded;
        std::string text;
        SValues expected;
    } cases[] = {
        {"no headers",
         1,
         "[by:Me]\r\n[offset:-5]\r\n[00:01]la",
         {"Tag Title", "Tag Artist", "Tag Album", "Me", "-5"}},
        {"artist header present", 1, "[ar:Him]\r\n", {"", "Him", "", "", ""}},
        {"empty headers count as absent",
         1,
         "[ti:]\r\n[al:]",
         {"Tag Title", "Tag Artist", "Tag Album", "", ""}},
        {"no audio loaded", 0, "[00:01]la", {"", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_app.View()->m_bAudioLoaded = c.bAudioLoaded;
        m_app.SetText(c.text);
        EXPECT_EQ(Read(), c.expected);
    }
    // A file without a tag gives empty names; a missing file leaves the text's values.
    m_app.View()->m_bAudioLoaded = 1;
    m_app.View()->m_strAudioPath = dir.filePath(QStringLiteral("none.mp3"));
    m_app.SetText("[by:Me]");
    EXPECT_EQ(Read(), (SValues{"", "", "", "Me", ""}));
}

TEST_F(HeaderTagsView, DecodesTagFieldsInTheLegacyCodePageOfTheLanguage) {
    QTemporaryDir dir;
    // "歌" in GB18030 is not UTF-8: a Chinese system wrote it in its own code page.
    m_app.View()->m_strAudioPath = WriteTaggedFile(dir, "\xB8\xE8", "Caf\xE9", "\xE6\xAD\x8C");
    m_app.View()->m_bAudioLoaded = 1;
    m_app.SetText("");
    {
        CLocaleScope chinese("zh_CN.UTF-8");
        const SValues v = Read();
        EXPECT_EQ(v.strTitle, QStringLiteral("\u6B4C"));
        EXPECT_EQ(v.strAlbum, QStringLiteral("\u6B4C")); // valid UTF-8 stays UTF-8
    }
    EXPECT_EQ(Read().strArtist, QStringLiteral("Caf\u00E9")); // Windows-1252 in English
}

TEST_F(HeaderTagsView, RewritesTheHeadersAsOneUndoStep) {
    const std::string before = "[ti:Old]\r\n[ar:X]\r\n[00:01.00]la";
    m_app.SetText(before);
    m_app.SetCaret(2, 3);
    m_app.View()->WriteHeaderValues("T", "", "", "", "");
    EXPECT_EQ(m_app.Text(), "[ti:T]\r\n[00:01.00]la");
    EXPECT_EQ(m_app.View()->textCursor().position(), 0);
    EXPECT_TRUE(m_app.Doc()->IsModified());
    m_app.Execute(ID_EDIT_UNDO);
    EXPECT_EQ(m_app.Text(), before);
    // A cleared header goes, other text on its line stays, an open header stays.
    m_app.SetText("[ti:x][00:01.00]la\r\n[ar:No close\r\n");
    m_app.View()->WriteHeaderValues("", "", "Al", "", "-20");
    EXPECT_EQ(m_app.Text(), "[al:Al]\r\n[offset:-20]\r\n[00:01.00]la\r\n[ar:No close\r\n");
}

TEST_F(HeaderTagsView, KeepsCharactersTheDocumentsCodePageCannotHold) {
    m_app.Doc()->SetCodePage(Page("WINDOWS-1252"));
    m_app.View()->InvalidateTextBytes();
    const QString strLyrics = QStringLiteral("[00:01]\u6B4C\u8BCD caf\u00E9");
    m_app.View()->setPlainText(strLyrics);
    m_app.View()->WriteHeaderValues(QStringLiteral("\u6807\u9898"), "", "", "", "");
    EXPECT_EQ(m_app.View()->toPlainText(), QStringLiteral("[ti:\u6807\u9898]\n") + strLyrics);
    QString strTitle, strArtist, strAlbum, strBy, strOffset;
    m_app.View()->ReadHeaderValues(strTitle, strArtist, strAlbum, strBy, strOffset);
    EXPECT_EQ(strTitle, QStringLiteral("\u6807\u9898"));
}

TEST_F(HeaderTagsView, LeavesTheTextWhenTheHeadersWouldPushItPastTheLimit) {
    const std::string full(LYRICS_MAX_TEXT - 4, 'x');
    m_app.SetText(full);
    m_app.View()->WriteHeaderValues("Title", "", "", "", "");
    EXPECT_EQ(m_app.Text(), full);
    EXPECT_FALSE(m_app.Doc()->IsModified());
}

} // namespace
