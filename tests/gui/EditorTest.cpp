// The editor view's text: the byte limit, the transfer with the document, the modified flag and
// the framework's New with its save prompt.
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LrcText.h"
#include "tests/support/AppHarness.h"

namespace {
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.Start()); }
    // A text of exactly nBytes bytes in lines of 100.
    static std::string Filler(size_t nBytes) {
        std::string text;
        while (text.size() + 102 <= nBytes)
            text += std::string(100, 'x') + "\r\n";
        text += std::string(nBytes - text.size(), 'y');
        return text;
    }
    CRunningApp m_app;
};

TEST_F(EditorTest, ViewLayout) {
    CVersewrightView* pView = m_app.View();
    EXPECT_EQ(pView->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(pView->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(pView->viewport()->geometry().left() - pView->contentsRect().left(), 20);
    EXPECT_EQ(m_app.Frame()->windowTitle(), QStringLiteral("Untitled - Versewright"));
    EXPECT_EQ(pView->window(), m_app.Frame());
}

TEST_F(EditorTest, LyricsTextTransfer) {
    m_app.View()->SetLyricsText("a\r\n\r\nb\xC3\xA9");
    EXPECT_EQ(m_app.View()->document()->blockCount(), 3);
    EXPECT_EQ(m_app.View()->textCursor().position(), 0);
    EXPECT_FALSE(m_app.View()->document()->isUndoAvailable()); // a load is not undoable
    struct {
        size_t nCapacity;
        const char* pszExpected;
    } const cases[] = {{100, "a\r\n\r\nb\xC3\xA9"}, {4, "a\r\n"}, {1, ""}};
    for (const auto& c : cases) {
        char buffer[100];
        std::memset(buffer, '#', sizeof buffer);
        const size_t n = m_app.View()->GetLyricsText(buffer, c.nCapacity);
        EXPECT_EQ(std::string(buffer, n), c.pszExpected);
        EXPECT_EQ(buffer[n], '\0');
    }
}

TEST_F(EditorTest, TypingPastTheLimitIsRefused) {
    const size_t nMax = LYRICS_MAX_TEXT;
    struct {
        const char* pszName;
        size_t nStart;
        std::function<void(CRunningApp&)> act;
        bool bAccepted;
    } const cases[] = {
        {"last byte typed", nMax - 1, [](CRunningApp& a) { a.Press(Qt::Key_Z); }, true},
        {"one past typed", nMax, [](CRunningApp& a) { a.Press(Qt::Key_Z); }, false},
        {"line break needs two", nMax - 1, [](CRunningApp& a) { a.Press(Qt::Key_Return); }, false},
        {"line break fits", nMax - 2, [](CRunningApp& a) { a.Press(Qt::Key_Return); }, true},
        {"two-byte character", nMax - 1,
         [](CRunningApp& a) {
             QTest::sendKeyEvent(QTest::Click, a.View(), Qt::Key_Eacute, QStringLiteral("\u00e9"),
                                 Qt::NoModifier);
         },
         false},
        {"paste too long", nMax - 3,
         [](CRunningApp& a) {
             QApplication::clipboard()->setText(QStringLiteral("abcd"));
             a.Execute(ID_EDIT_PASTE);
         },
         false},
        {"paste fits", nMax - 4,
         [](CRunningApp& a) {
             QApplication::clipboard()->setText(QStringLiteral("abcd"));
             a.Execute(ID_EDIT_PASTE);
         },
         true},
        {"tag at full text", nMax - 6,
         [](CRunningApp& a) {
             a.LoadRecordedAudio(1000);
             a.Press(Qt::Key_Insert);
         },
         false},
    };
    for (const auto& c : cases) {
        const std::string text = Filler(c.nStart);
        m_app.SetText(text);
        QTextCursor cursor = m_app.View()->textCursor();
        cursor.movePosition(QTextCursor::End);
        m_app.View()->setTextCursor(cursor);
        c.act(m_app);
        EXPECT_EQ(m_app.Text() != text, c.bAccepted) << c.pszName;
        EXPECT_LE(m_app.Text().size(), nMax) << c.pszName;
        MediaCloseAll();
        m_app.View()->m_bAudioLoaded = 0;
    }
}

TEST_F(EditorTest, TypingSetsTheModifiedFlagAndNewAsksToSave) {
    EXPECT_FALSE(m_app.Doc()->IsModified());
    m_app.Press(Qt::Key_A);
    EXPECT_TRUE(m_app.Doc()->IsModified());

    QString strPrompt;
    AnswerNextMessageBox("IDCANCEL", &strPrompt);
    m_app.Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(strPrompt, QStringLiteral("Save changes to Untitled?"));
    EXPECT_EQ(m_app.Text(), "a");

    AnswerNextMessageBox("IDNO");
    m_app.Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_app.Text(), "");
    EXPECT_FALSE(m_app.Doc()->IsModified());
    EXPECT_EQ(g_pView, m_app.View()); // the one view stays
}

TEST_F(EditorTest, UndoIsDisabledUntilSomethingCanBeUndone) {
    EXPECT_FALSE(m_app.Frame()->GetCommands().IsEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(m_app.Frame()->GetCommands().IsEnabled(ID_EDIT_COPY));
    m_app.Press(Qt::Key_Q);
    EXPECT_TRUE(m_app.Frame()->GetCommands().IsEnabled(ID_EDIT_UNDO));
    m_app.Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(m_app.Frame()->GetCommands().IsEnabled(ID_EDIT_COPY));
    m_app.Press(Qt::Key_Backspace, Qt::AltModifier); // Undo's second key
    EXPECT_EQ(m_app.Text(), "");
}
} // namespace
