// Characters the document's code page cannot hold, and line breaks other than the editor's own,
// through the window: the tag commands, the playback sync, the header dialog and saving keep
// every character the user typed and act on the line the user sees.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LrcText.h"
#include "platform/framework/MessageBox.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/FolderAppTest.h"
#include "tests/support/ModalDialogs.h"

namespace {

class UnfitTextTest : public CFolderAppTest {
protected:
    void OpenFile(const char* pszName, const std::string& bytes) {
        m_app.Doc()->SetModifiedFlag(false); // what a case before left is not asked about
        Write(pszName, bytes);
        ASSERT_TRUE(m_app.App().OpenDocumentFile(Path(pszName)));
    }
    // Types at the caret; what is beyond ASCII comes through an input method.
    void Type(const QString& text) {
        if (text.front().unicode() < 0x80) {
            QTest::keyClicks(m_app.View(), text);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(m_app.View(), &commit);
    }
    QString StatusText() const { return m_app.Frame()->statusBar()->currentMessage(); }
};

// "中文" typed into a Windows-1252 text, then a whole-text command and Save as UTF-8.
TEST_F(UnfitTextTest, WholeTextCommandsKeepWhatTheCodePageCannotHold) {
    const struct {
        int nId;
        std::string saved;
    } cases[] = {
        {ID_EDIT_DEL_ALL_TAGS, "caf\xC3\xA9\r\nx\xE4\xB8\xAD\xE6\x96\x87"},
        {ID_EDIT_DEL_FRACTIONS, "[00:01]caf\xC3\xA9\r\n[00:02]x\xE4\xB8\xAD\xE6\x96\x87"},
        {ID_EDIT_TIDY, "[00:01.50]caf\xC3\xA9\r\n[00:02.25]x\xE4\xB8\xAD\xE6\x96\x87"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nId);
        OpenFile("song.lrc", "[00:01.50]caf\xE9\r\n[00:02.25]x");
        m_app.Frame()->SetTimeFormat(1);
        m_app.SetCaret(1, 11);
        Type(QStringLiteral("\u4E2D\u6587"));
        m_app.Execute(c.nId);
        QString strAsked;
        AnswerNextMessageBox("IDYES", &strAsked);
        m_app.Execute(ID_FILE_SAVE);
        EXPECT_TRUE(strAsked.contains(QStringLiteral("\u4E2D"))) << strAsked.toStdString();
        EXPECT_EQ(Read("song.lrc"), c.saved);
    }
}

TEST_F(UnfitTextTest, LineCommandsLandOnTheTagAfterCharactersOutsideTheCodePage) {
    const struct {
        int nId;
        const char* pszLine; // the first line afterwards
    } cases[] = {
        {ID_EDIT_DEL_FIRST_TAG, "[ti:\xF0\x9F\x98\x80][00:02.00]abc"},
        {ID_EDIT_DEL_LINE_TAGS, "[ti:\xF0\x9F\x98\x80]abc"},
        {ID_EDIT_DEL_NOW_TAG, "[ti:\xF0\x9F\x98\x80][00:02.00]abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nId);
        OpenFile("song.lrc", "[ti:][00:01.00][00:02.00]abc\r\ncaf\xE9");
        m_app.SetCaret(0, 4);
        Type(QStringLiteral("\U0001F600"));
        const std::string before = m_app.Text();
        m_app.LoadRecordedAudio(1500);
        m_app.View()->UpdatePlayPosition(1500, true);
        m_app.SetCaret(0, 0);
        m_app.Execute(c.nId);
        EXPECT_EQ(m_app.Text(), c.pszLine + std::string("\r\ncaf\xC3\xA9"));
        m_app.Execute(ID_EDIT_UNDO);
        EXPECT_EQ(m_app.Text(), before);
    }
}

// U+2028 is a character inside a line, never a line break of its own.
TEST_F(UnfitTextTest, LineSeparatorsDoNotShiftTheNowTagLine) {
    const std::string file = "[00:01.00]a\xE2\x80\xA8"
                             "b\r\n[00:02.00]c\r\n\r\nd";
    OpenFile("song.lrc", file);
    m_app.LoadRecordedAudio(2500);
    m_app.View()->UpdatePlayPosition(2500, true);
    EXPECT_EQ(m_app.View()->m_nNowTagLine, 1);
    EXPECT_EQ(m_app.View()->textCursor().blockNumber(), 3); // the next non-empty line
    m_app.Execute(ID_EDIT_DEL_NOW_TAG);
    m_app.Execute(ID_FILE_SAVE);
    EXPECT_EQ(Read("song.lrc"), "[00:01.00]a\xE2\x80\xA8"
                                "b\r\nc\r\n\r\nd");
}

TEST_F(UnfitTextTest, SaveAsLyrAfterUtf8KeepsEveryLine) {
    // Big5 lyrics; the last lyric's UTF-8 bytes are odd in number, so Big5's pairing rule
    // would take the CR of its line break.
    OpenFile("song.lrc",
             "[ti:\xA4\xEB\xABG\xA5N\xAA\xED\xA7\xDA\xAA\xBA\xA4\xDF]\r\n"
             "[00:01.00]\xA7\x41\xB0\xDD\xA7\xDA\xB7R\xA7\x41\xA6\xB3\xA6h\xB2`\r\n"
             "[00:09.00]\xA7\xDA\xAA\xBA\xB1\xA1\xA4]\xAFu \xA7\xDA\xAA\xBA\xB7R\xA4]\xAFu\r\n"
             "[00:12.00]end\r\n");
    m_app.SetCaret(0, 0);
    Type(QStringLiteral("\U0001F600"));
    {
        CFileDialogAnswer answer(QStringLiteral("SaveAsDialog"), Path("song.lyr"));
        AnswerNextMessageBox("IDYES");
        m_app.Execute(ID_FILE_SAVE_AS);
    }
    const std::string lyr = Read("song.lyr");
    ASSERT_GT(lyr.size(), 536u);
    EXPECT_EQ((static_cast<unsigned char>(lyr[534]) << 8) | static_cast<unsigned char>(lyr[535]),
              3);
    m_app.Doc()->SetModifiedFlag(false);
    ASSERT_TRUE(m_app.App().OpenDocumentFile(Path("song.lyr")));
    EXPECT_TRUE(m_app.Text().ends_with("\r\n[00:12.00]end\r\n")) << m_app.Text();
}

TEST_F(UnfitTextTest, HeaderDialogKeepsNoBreakSpaces) {
    const std::string file = "[ti:A\xC2\xA0"
                             "B]\r\n[00:01.00]x\xC2\xA0y";
    OpenFile("song.lrc", file);
    WhenModalOpens(
        [](QWidget* pDlg) { qobject_cast<QPushButton*>(FindDlgItem(pDlg, IDOK))->click(); });
    m_app.Execute(ID_EDIT_LRC_TITLE);
    EXPECT_EQ(m_app.Text(), file);
    m_app.Execute(ID_FILE_SAVE);
    EXPECT_EQ(Read("song.lrc"), file);
}

// Windows-1252 holds this in 44,000 bytes, UTF-8 in 66,000.
std::string AccentedText() {
    std::string text;
    for (int i = 0; i < 11000; ++i)
        text += "\xE9t\xE9 ";
    return text;
}

// A stamp, a key or a paste that would take the text past the limit is refused and said.
TEST_F(UnfitTextTest, RefusalsAtTheLimitAreSaid) {
    const struct {
        const char* pszName;
        std::string file;
        std::function<void()> act;
    } cases[] = {
        {"stamp", std::string(LYRICS_MAX_TEXT - 5, 'a'),
         [this] {
             m_app.LoadRecordedAudio(1000);
             m_app.Execute(IDC_ADD_TAG);
         }},
        {"key", std::string(LYRICS_MAX_TEXT, 'a'), [this] { m_app.Press(Qt::Key_B); }},
        {"paste", std::string(LYRICS_MAX_TEXT - 1, 'a'),
         [this] {
             QApplication::clipboard()->setText(QStringLiteral("bc"));
             m_app.Execute(ID_EDIT_PASTE);
         }},
        {"character outside the code page", AccentedText(),
         [this] { Type(QStringLiteral("\u4E2D")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        OpenFile("full.lrc", c.file);
        const std::string before = m_app.Text();
        m_app.Frame()->statusBar()->clearMessage();
        c.act();
        EXPECT_EQ(m_app.Text(), before);
        EXPECT_TRUE(StatusText().contains(QStringLiteral("65535"))) << StatusText().toStdString();
        EXPECT_FALSE(m_app.Doc()->IsModified());
    }
}

// A text put in place past the editor's own check still never becomes a file that cannot be
// opened again.
TEST_F(UnfitTextTest, SaveWritesNothingWhenUtf8WouldPassTheLimit) {
    const std::string file = AccentedText();
    OpenFile("song.lrc", file);
    m_app.View()->setPlainText(QString::fromLatin1(file) + QChar(0x4E2D));
    QString strSaid;
    AnswerNextMessageBox("IDYES");
    AnswerNextMessageBox("IDOK", &strSaid);
    m_app.Execute(ID_FILE_SAVE);
    EXPECT_TRUE(strSaid.contains(Path("song.lrc"))) << strSaid.toStdString();
    EXPECT_EQ(Read("song.lrc"), file);
    EXPECT_TRUE(m_app.Doc()->IsModified());
}

} // namespace
