// The time-tag commands through the window: Insert on various caret lines, the delete commands,
// tidy, and Undo after each of them.
#include <QTextBlock>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LrcText.h"
#include "tests/support/AppHarness.h"

namespace {
// gtest parameter names allow letters, digits and '_' only.
template <class Info> std::string CaseName(const Info& info) {
    std::string name = info.param.pszName;
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

class TagCommandTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.Start()); }
    CRunningApp m_app;
};

struct AddTagCase {
    const char* pszName;
    const char* pszText;
    int nLine, nColumn;
    uint32_t nPosition;
    int nTimeFormat;
    int nOffset;
    const char* pszExpected;
    // Where the caret stands afterwards: the refresh after the stamp finds the new tag as the
    // now tag and moves the caret to the start of the next non-empty line, or the text's end.
    int nCaretLine, nCaretColumn;
};

const AddTagCase kAddTagCases[] = {
    {"caret mid-line", "first\r\nsecond line\r\nthird", 1, 4, 83456, 1, 0,
     "first\r\n[01:23.45]second line\r\nthird", 2, 0},
    {"line already tagged", "[01:20.00]abc", 0, 12, 83456, 1, 0, "[01:23.45][01:20.00]abc", 0, 23},
    {"seconds only truncate", "abc", 0, 0, 83999, 0, 0, "[01:23]abc", 0, 10},
    {"positive offset", "x\r\ny", 1, 1, 10000, 1, 500, "x\r\n[00:10.50]y", 1, 11},
    {"negative offset below zero", "y", 0, 0, 10000, 1, -20000, "[00:00.00]y", 0, 11},
    {"an hour", "", 0, 0, 3600000, 1, 0, "[60:00.00]", 0, 10},
    {"empty last line", "a\r\n", 1, 0, 5000, 1, 0, "a\r\n[00:05.00]", 1, 10},
};

class AddTagTest : public TagCommandTest, public ::testing::WithParamInterface<AddTagCase> {};

TEST_P(AddTagTest, InsertStampsTheCaretLineAndUndoRestoresIt) {
    const AddTagCase& c = GetParam();
    m_app.SetText(c.pszText);
    m_app.LoadRecordedAudio(c.nPosition);
    m_app.Frame()->SetTimeFormat(c.nTimeFormat);
    m_app.View()->m_nOffset = c.nOffset;
    m_app.SetCaret(c.nLine, c.nColumn);
    m_app.Press(Qt::Key_Insert);
    EXPECT_EQ(m_app.Text(), c.pszExpected);
    EXPECT_EQ(m_app.View()->textCursor().blockNumber(), c.nCaretLine);
    EXPECT_EQ(m_app.View()->textCursor().positionInBlock(), c.nCaretColumn);
    EXPECT_TRUE(m_app.Doc()->IsModified());
    m_app.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_app.Text(), c.pszText);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddTagTest, ::testing::ValuesIn(kAddTagCases),
                         CaseName<::testing::TestParamInfo<AddTagCase>>);

TEST_F(TagCommandTest, InsertOnSuccessiveLinesStampsEachLine) {
    m_app.SetText("one\r\ntwo\r\nthree");
    m_app.LoadRecordedAudio(1000);
    m_app.Frame()->SetTimeFormat(1);
    for (int nLine = 0; nLine < 3; ++nLine) {
        m_app.SetPosition(1000 * (nLine + 1));
        m_app.SetCaret(nLine, 2);
        m_app.Press(Qt::Key_Insert);
    }
    EXPECT_EQ(m_app.Text(), "[00:01.00]one\r\n[00:02.00]two\r\n[00:03.00]three");
    // Each stamp is its own undo step.
    m_app.Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_app.Text(), "[00:01.00]one\r\n[00:02.00]two\r\nthree");
}

TEST_F(TagCommandTest, AddTagIsDisabledWithoutAudioAndTheKeyStillNeverReachesTheEditor) {
    m_app.SetText("abc");
    m_app.SetCaret(0, 1);
    EXPECT_FALSE(m_app.Frame()->GetCommands().IsEnabled(IDC_ADD_TAG));
    m_app.Press(Qt::Key_Insert);
    EXPECT_FALSE(m_app.Execute(IDC_ADD_TAG));
    m_app.Frame()->GetAction(IDC_ADD_TAG)->trigger();
    EXPECT_EQ(m_app.Text(), "abc");
    EXPECT_FALSE(m_app.Doc()->IsModified());
    // Typing after the refused Insert still inserts (no overwrite mode was switched on).
    m_app.Press(Qt::Key_X);
    EXPECT_EQ(m_app.Text(), "axbc");
    m_app.Frame()->GetCommands().UpdateAll();
    EXPECT_FALSE(m_app.Frame()->GetAction(IDC_ADD_TAG)->isEnabled());

    m_app.LoadRecordedAudio(0);
    m_app.Frame()->GetCommands().UpdateAll();
    EXPECT_TRUE(m_app.Frame()->GetAction(IDC_ADD_TAG)->isEnabled());
}

TEST_F(TagCommandTest, DelNowTagNeedsAudioAndANowTag) {
    struct {
        int bAudio;
        int nNowLine;
        bool bEnabled;
    } const cases[] = {{0, -1, false}, {1, -1, false}, {0, 0, false}, {1, 0, true}};
    for (const auto& c : cases) {
        m_app.View()->m_bAudioLoaded = c.bAudio;
        m_app.View()->m_nNowTagLine = c.nNowLine;
        EXPECT_EQ(m_app.Frame()->GetCommands().IsEnabled(ID_EDIT_DEL_NOW_TAG), c.bEnabled)
            << c.bAudio << " " << c.nNowLine;
    }
}

struct EditCase {
    const char* pszName;
    int nId;
    const char* pszText;
    int nCaretLine;
    const char* pszExpected;
};

const EditCase kEditCases[] = {
    {"first tag of two", ID_EDIT_DEL_FIRST_TAG, "[00:01.00][00:02.00]abc", 0, "[00:02.00]abc"},
    {"first tag not at line start", ID_EDIT_DEL_FIRST_TAG, "abc[00:01.00]", 0, "abc[00:01.00]"},
    {"first tag on caret line only", ID_EDIT_DEL_FIRST_TAG, "[00:01]a\r\n[00:02]b", 1,
     "[00:01]a\r\nb"},
    {"first tag on empty line", ID_EDIT_DEL_FIRST_TAG, "[00:01]a\r\n", 1, "[00:01]a\r\n"},
    {"line tags keep header", ID_EDIT_DEL_LINE_TAGS, "[ti:x][00:01.00][00:02.00]abc", 0,
     "[ti:x]abc"},
    {"line tags none", ID_EDIT_DEL_LINE_TAGS, "abc", 0, "abc"},
    {"line tags in UTF-8 text", ID_EDIT_DEL_LINE_TAGS, "\xE6\xAD\x8C\r\n[00:01][00:02]\xE8\xAF\x8D",
     1, "\xE6\xAD\x8C\r\n\xE8\xAF\x8D"},
    {"all tags", ID_EDIT_DEL_ALL_TAGS, "a[00:05]b\r\n[ar:Someone]\r\n[01:02.03]c", 0,
     "ab\r\n[ar:Someone]\r\nc"},
    {"fractions", ID_EDIT_DEL_FRACTIONS, "[00:12.5]x\r\n[00:12]y\r\n[01:23.45][02:00.1]z", 0,
     "[00:12]x\r\n[00:12]y\r\n[01:23][02:00]z"},
    {"tidy applies offset", ID_EDIT_TIDY, "[offset:1000]\r\n[00:05.00]a", 0, "[00:04.00]a"},
};

class EditCommandTest : public TagCommandTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditCommandTest, CommandChangesTheTextAndUndoRestoresIt) {
    const EditCase& c = GetParam();
    m_app.SetText(c.pszText);
    m_app.Frame()->SetTimeFormat(1);
    m_app.SetCaret(c.nCaretLine, 0);
    m_app.View()->m_nNowTagLine = 3;
    ASSERT_TRUE(m_app.Execute(c.nId));
    EXPECT_EQ(m_app.Text(), c.pszExpected);
    if (std::string(c.pszExpected) != c.pszText) {
        EXPECT_TRUE(m_app.Doc()->IsModified());
        ASSERT_TRUE(m_app.Frame()->GetCommands().IsEnabled(ID_EDIT_UNDO));
        m_app.Execute(ID_EDIT_UNDO);
        EXPECT_EQ(m_app.Text(), c.pszText);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EditCommandTest, ::testing::ValuesIn(kEditCases),
                         CaseName<::testing::TestParamInfo<EditCase>>);

TEST_F(TagCommandTest, LineCommandsResetTheNowTagAndWholeTextOnesAsTheirRulesSay) {
    struct {
        int nId;
        int nNowLineAfter;
    } const cases[] = {{ID_EDIT_DEL_FIRST_TAG, -1},
                       {ID_EDIT_DEL_LINE_TAGS, -1},
                       {ID_EDIT_DEL_ALL_TAGS, -1},
                       {ID_EDIT_DEL_FRACTIONS, 0}};
    for (const auto& c : cases) {
        m_app.SetText("[00:01.50]a");
        m_app.SetCaret(0, 0);
        m_app.View()->m_nNowTagLine = 0;
        m_app.Execute(c.nId);
        EXPECT_EQ(m_app.View()->m_nNowTagLine, c.nNowLineAfter) << c.nId;
    }
}

TEST_F(TagCommandTest, DelNowTagTakesTheGreatestTagNotAfterTheTime) {
    // After the deletion the refresh looks for the now tag again: line 1 while a tag there is not
    // after the time, none (-1) otherwise.
    struct {
        uint32_t nPosition;
        const char* pszExpected;
        int nNowLineAfter;
    } const cases[] = {{20000, "x\r\n[00:05.00]abc", 1},
                       {12000, "x\r\n[00:15.00]abc", -1},
                       {1000, "x\r\n[00:15.00][00:05.00]abc", 1}};
    for (const auto& c : cases) {
        m_app.SetText("x\r\n[00:15.00][00:05.00]abc");
        m_app.LoadRecordedAudio(c.nPosition);
        m_app.View()->m_nNowTagLine = 1;
        m_app.Execute(ID_EDIT_DEL_NOW_TAG);
        EXPECT_EQ(m_app.Text(), c.pszExpected) << c.nPosition;
        if (std::string(c.pszExpected) != "x\r\n[00:15.00][00:05.00]abc") {
            EXPECT_EQ(m_app.View()->m_nNowTagLine, c.nNowLineAfter);
            m_app.Execute(ID_EDIT_UNDO);
            EXPECT_EQ(m_app.Text(), "x\r\n[00:15.00][00:05.00]abc");
        }
        MediaCloseAll();
    }
}

TEST_F(TagCommandTest, TidyClearsTheOffsetAndPutsTheCaretAtTheStart) {
    m_app.SetText("[offset:1000]\r\n[00:05.00]a\r\nnot a lyric line");
    m_app.Frame()->SetTimeFormat(1);
    m_app.View()->m_nOffset = 1000;
    m_app.SetCaret(2, 3);
    m_app.Execute(ID_EDIT_TIDY);
    EXPECT_EQ(m_app.Text().find("offset"), std::string::npos);
    EXPECT_NE(m_app.Text().find("[00:04.00]a"), std::string::npos);
    EXPECT_EQ(m_app.View()->m_nOffset, 0);
    EXPECT_EQ(m_app.View()->textCursor().position(), 0);
}

TEST_F(TagCommandTest, TidyLeavesTheTextAloneWhenTheResultWouldNotFit) {
    // Each "[00:01]a" grows by three bytes when rewritten with hundredths.
    std::string text;
    while (text.size() + 10 <= LYRICS_MAX_TEXT)
        text += "[00:01]a\r\n";
    m_app.SetText(text);
    m_app.Frame()->SetTimeFormat(1);
    m_app.Execute(ID_EDIT_TIDY);
    EXPECT_EQ(m_app.Text(), text);
    EXPECT_FALSE(m_app.Doc()->IsModified());
}

TEST_F(TagCommandTest, CtrlASelectsTheWholeText) {
    m_app.SetText("one\r\ntwo");
    m_app.SetCaret(1, 1);
    m_app.Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_app.View()->textCursor().selectedText(), QStringLiteral("one\u2029two"));
}
} // namespace
