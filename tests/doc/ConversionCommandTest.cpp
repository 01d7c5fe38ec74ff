// LYR --> LRC and MPT --> LRC from the Tools menu: both dialogs, the written file, and the open
// document left alone.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LrcText.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "tests/support/AppHarness.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/FolderAppTest.h"
#include "tests/support/FormatFixtures.h"

namespace {

const CCodePage kUtf8;

class ConversionCommandTest : public CFolderAppTest {};

TEST_F(ConversionCommandTest, WritesTheLrcFileTheUserNames) {
    const std::string gbk = "\xd6\xd0\xce\xc4\xb8\xe8\xb4\xca"; // kept byte for byte
    CCodePage gbkPage;
    ASSERT_TRUE(CCodePage::FromName("GBK", gbkPage));
    Write("Song.lyr", BuildLyrFile(kUtf8, "[00:01]A\r\n[00:03.50]A\r\n[00:02]B"));
    Write("Song.ly", BuildLyrFile(kUtf8, "[00:01]A"));
    Write("Wide.lyr", BuildLyrFile(gbkPage, "[00:01]" + gbk + "\r\n[00:02]" + gbk + "x"));
    // Larger than the 65536 bytes read; its header lies within them.
    Write("Song.mpt", BuildMptFile(kUtf8, "[00:04]Hi\r\n[00:01]Hi\r\n[00:02]Yo", "Song.mp3", 9000,
                                   std::string(200000, '\x55')));
    struct Case {
        int nCommand;
        const char* pszSource;
        int nTimeFormat;
        const char* pszTarget;
        const char* pszProposed;
        std::string lrc;
    };
    const Case cases[] = {
        {ID_LYR_TO_LRC, "Song.lyr", TIME_FORMAT_HUNDREDTHS, "a.lrc", "Song.lrc",
         "[00:03.50][00:01.00]A\r\n[00:02.00]B\r\n"},
        {ID_LYR_TO_LRC, "Song.lyr", TIME_FORMAT_SECONDS, "b.lrc", "Song.lrc",
         "[00:03][00:01]A\r\n[00:02]B\r\n"},
        {ID_LYR_TO_LRC, "Song.ly", TIME_FORMAT_HUNDREDTHS, "c.lrc", "Son.lrc", "[00:01.00]A\r\n"},
        {ID_LYR_TO_LRC, "Wide.lyr", TIME_FORMAT_HUNDREDTHS, "d.lrc", "Wide.lrc",
         "[00:01.00]" + gbk + "\r\n[00:02.00]" + gbk + "x\r\n"},
        {ID_MPT_TO_LRC, "Song.mpt", TIME_FORMAT_HUNDREDTHS, "e.lrc", "Song.lrc",
         "[00:01.00][00:04.00]Hi\r\n[00:02.00]Yo\r\n"},
    };
    for (const Case& c : cases) {
        m_app.Frame()->m_nTimeFormat = c.nTimeFormat;
        CFileDialogAnswer source(QStringLiteral("ConvertSourceDialog"), Path(c.pszSource));
        CFileDialogAnswer target(QStringLiteral("ConvertTargetDialog"), Path(c.pszTarget));
        EXPECT_TRUE(m_app.Execute(c.nCommand));
        EXPECT_EQ(Read(c.pszTarget), c.lrc) << c.pszSource;

        const bool bLyr = c.nCommand == ID_LYR_TO_LRC;
        EXPECT_EQ(source.Seen().mode, QFileDialog::AcceptOpen);
        EXPECT_EQ(source.Seen().filters, QStringList(bLyr ? QStringLiteral("Lyr files(*.lyr)")
                                                          : QStringLiteral("Mpt files(*.mpt)")));
        EXPECT_EQ(source.Seen().strDefaultSuffix, bLyr ? "lyr" : "mpt");
        EXPECT_EQ(target.Seen().mode, QFileDialog::AcceptSave);
        EXPECT_EQ(target.Seen().filters, QStringList(QStringLiteral("Lrc files(*.lrc)")));
        EXPECT_EQ(target.Seen().strDefaultSuffix, "lrc");
        EXPECT_EQ(target.Seen().proposed, QStringList(Path(c.pszProposed))) << c.pszSource;
    }
}

TEST_F(ConversionCommandTest, CancelledOrFailedConversionsWriteNothing) {
    Write("Song.lyr", BuildLyrFile(kUtf8, "[00:01]A"));
    Write("Bad.lyr", std::string(600, '\x7f')); // its table runs past the end
    Write("Bad.mpt", "MPT");
    Write("Empty.mpt", "");
    struct Case {
        int nCommand;
        const char* pszSource; // "" cancels the first dialog
        const char* pszTarget; // "" cancels the second
        bool bTargetShown;
        const char* pszReason; // why the source was refused; nullptr: no message
    };
    const Case cases[] = {
        {ID_LYR_TO_LRC, "", "out.lrc", false, nullptr},
        {ID_LYR_TO_LRC, "Song.lyr", "", true, nullptr},
        {ID_LYR_TO_LRC, "Bad.lyr", "out.lrc", true, "It is not a valid LYR file."},
        {ID_MPT_TO_LRC, "Bad.mpt", "out.lrc", true, "It is not a valid MPT file."},
        {ID_MPT_TO_LRC, "Empty.mpt", "out.lrc", true, "It is not a valid MPT file."},
    };
    for (const Case& c : cases) {
        const auto PathOrCancel = [this](const char* psz) { return *psz ? Path(psz) : QString(); };
        CFileDialogAnswer source(QStringLiteral("ConvertSourceDialog"), PathOrCancel(c.pszSource));
        CFileDialogAnswer target(QStringLiteral("ConvertTargetDialog"), PathOrCancel(c.pszTarget));
        QString strShown;
        if (c.pszReason)
            AnswerNextMessageBox("IDOK", &strShown);
        EXPECT_TRUE(m_app.Execute(c.nCommand));
        EXPECT_TRUE(source.Seen().bShown);
        EXPECT_EQ(target.Seen().bShown, c.bTargetShown) << c.pszSource;
        EXPECT_FALSE(QFile::exists(Path("out.lrc"))) << c.pszSource;
        if (c.pszReason) {
            EXPECT_EQ(strShown,
                      "Failed to open document.\n" + Path(c.pszSource) + "\n" + c.pszReason);
        }
    }
    // An output that cannot be written says so and leaves nothing.
    QString strShown;
    AnswerNextMessageBox("IDOK", &strShown);
    CFileDialogAnswer source(QStringLiteral("ConvertSourceDialog"), Path("Song.lyr"));
    CFileDialogAnswer target(QStringLiteral("ConvertTargetDialog"), Path("none/out.lrc"));
    EXPECT_TRUE(m_app.Execute(ID_LYR_TO_LRC));
    EXPECT_EQ(strShown, "An unexpected error occurred while writing " + Path("none/out.lrc") +
                            ".\nNo such file or directory");
}

// A LYR file with more lyrics than can be read is converted with what could be, and says so.
TEST_F(ConversionCommandTest, LyricsLeftOutAreSaid) {
    std::vector<std::string> lines;
    for (int i = 0; i < 2100; ++i)
        lines.push_back(std::to_string(i));
    Write("Many.lyr", LyrImageOf(lines, lines.size()));
    QString strShown;
    AnswerNextMessageBox("IDOK", &strShown);
    CFileDialogAnswer source(QStringLiteral("ConvertSourceDialog"), Path("Many.lyr"));
    CFileDialogAnswer target(QStringLiteral("ConvertTargetDialog"), Path("many.lrc"));
    EXPECT_TRUE(m_app.Execute(ID_LYR_TO_LRC));
    EXPECT_TRUE(strShown.startsWith(Path("Many.lyr") + "\nThe file holds more lyrics"))
        << strShown.toStdString();
    EXPECT_TRUE(Read("many.lrc").find("2047\r\n") != std::string::npos);
}

TEST_F(ConversionCommandTest, LeavesTheOpenDocumentAlone) {
    Write("Song.lyr", BuildLyrFile(kUtf8, "[00:01]A"));
    Write("Song.mpt", BuildMptFile(kUtf8, "[00:02]B", "Song.mp3", 9000, "audio"));
    m_app.SetText("[00:05.00]mine\r\n");
    m_app.Doc()->SetModifiedFlag(true);
    const QString strTitle = m_app.Frame()->windowTitle();
    const struct {
        int nCommand;
        const char* pszSource;
        const char* pszTarget;
    } cases[] = {{ID_LYR_TO_LRC, "Song.lyr", "x.lrc"}, {ID_MPT_TO_LRC, "Song.mpt", "y.lrc"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(m_app.Frame()->GetAction(c.nCommand)->isEnabled());
        CFileDialogAnswer source(QStringLiteral("ConvertSourceDialog"), Path(c.pszSource));
        CFileDialogAnswer target(QStringLiteral("ConvertTargetDialog"), Path(c.pszTarget));
        EXPECT_TRUE(m_app.Execute(c.nCommand));
    }
    EXPECT_EQ(Read("x.lrc"), "[00:01]A\r\n"); // whole seconds, the format at start
    EXPECT_EQ(Read("y.lrc"), "[00:02]B\r\n");
    EXPECT_EQ(m_app.Text(), "[00:05.00]mine\r\n");
    EXPECT_TRUE(m_app.Doc()->IsModified());
    EXPECT_TRUE(m_app.Doc()->GetPathName().isEmpty());
    EXPECT_EQ(m_app.Frame()->windowTitle(), strTitle);
}

} // namespace
