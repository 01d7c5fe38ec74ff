// Opening and saving LYR and MPT files through the whole program: round trips through Save As
// and reopening, Save keeping the opened format, an MPT saved over its own audio, and broken
// files that do not open.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "tests/support/AppHarness.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/FolderAppTest.h"

namespace {

const CCodePage kUtf8;

class FormatDocumentTest : public CFolderAppTest {
protected:
    bool Open(const char* pszName) {
        return m_app.App().OpenDocumentFile(Path(pszName)) != nullptr;
    }
    void SaveAs(const char* pszName, bool bReplace = false) {
        CFileDialogAnswer answer(QStringLiteral("SaveAsDialog"), Path(pszName), bReplace);
        m_app.Execute(ID_FILE_SAVE_AS);
        EXPECT_TRUE(answer.Seen().bShown);
    }
    // An audio file on disk, loaded as the song's audio (the recording backend plays it).
    void LoadAudio(const char* pszName, const std::string& bytes) {
        Write(pszName, bytes);
        m_app.LoadRecordedAudio(0); // the song is two hours long
        m_app.View()->LoadAudio(Path(pszName));
        ASSERT_TRUE(m_app.View()->m_bAudioLoaded);
    }
};

const char kLyrics[] =
    "[ti:Song]\r\n[00:01.50]Hi\r\n[00:03.00][00:05.00]Yo\r\nplain\r\n[00:02.25]x";

TEST_F(FormatDocumentTest, SaveAsLyrAndReopen) {
    m_app.SetText(kLyrics);
    m_app.Frame()->m_nTimeFormat = TIME_FORMAT_SECONDS; // reading always takes hundredths
    SaveAs("a.lyr");
    EXPECT_EQ(Read("a.lyr"), BuildLyrFile(kUtf8, kLyrics));
    EXPECT_FALSE(m_app.Doc()->IsModified()); // Save As is an export
    EXPECT_TRUE(m_app.Doc()->GetPathName().isEmpty());

    ASSERT_TRUE(Open("a.lyr"));
    EXPECT_EQ(m_app.Text(), "[00:01.50]Hi\r\n[00:02.20]x\r\n[00:05.00][00:03.00]Yo\r\n");
    EXPECT_EQ(m_app.Frame()->m_nTimeFormat, TIME_FORMAT_SECONDS);
    EXPECT_FALSE(m_app.Doc()->IsModified());
    EXPECT_EQ(m_app.Doc()->GetPathName(), Path("a.lyr"));

    // Save keeps the opened format.
    m_app.Press(Qt::Key_Z);
    ASSERT_TRUE(m_app.Doc()->IsModified());
    EXPECT_TRUE(m_app.Execute(ID_FILE_SAVE));
    EXPECT_EQ(Read("a.lyr"), BuildLyrFile(kUtf8, m_app.Text()));
    EXPECT_FALSE(m_app.Doc()->IsModified());
}

TEST_F(FormatDocumentTest, SaveAsMptAndReopen) {
    const std::string audio = "ID3\x03" + std::string(5000, '\x5a');
    LoadAudio("song.mp3", audio);
    m_app.SetText(kLyrics);
    SaveAs("b.mpt");
    const std::string mpt = Read("b.mpt");
    EXPECT_EQ(mpt, BuildMptFile(kUtf8, kLyrics, "song.mp3", 7200000, audio));

    ASSERT_TRUE(Open("b.mpt"));
    EXPECT_EQ(m_app.Text(), "[00:01.50]Hi\r\n[00:02.20]x\r\n[00:03.00][00:05.00]Yo\r\n");
    EXPECT_FALSE(m_app.Doc()->IsModified());
    EXPECT_EQ(m_app.View()->m_strAudioPath, Path("b.mpt")); // an MPT file is its own audio
    EXPECT_EQ(m_app.View()->m_strAudioExt, ".MPT");
}

TEST_F(FormatDocumentTest, SavingMptOverItsOwnAudioKeepsTheStream) {
    const std::string stream = "\xff\xfb\x90\x64" + std::string(70000, '\x11');
    Write("c.mpt", BuildMptFile(kUtf8, "[00:01]old", "c.mp3", 9000, stream));
    ASSERT_TRUE(Open("c.mpt"));
    EXPECT_EQ(m_app.Text(), "[00:01.00]old\r\n");

    m_app.SetText("[00:02.00]new");
    m_app.Doc()->SetModifiedFlag(true);
    EXPECT_TRUE(m_app.Execute(ID_FILE_SAVE)); // the framework's Save
    std::string saved = Read("c.mpt");
    ASSERT_GT(saved.size(), stream.size());
    EXPECT_EQ(saved.substr(saved.size() - stream.size()), stream);
    EXPECT_EQ(ExistingMptHeaderLength(saved), saved.size() - stream.size()); // one header only

    m_app.SetText("[00:03.00]newer");
    SaveAs("c.mpt", true); // over the loaded audio, once the dialog asked
    saved = Read("c.mpt");
    EXPECT_EQ(saved.substr(saved.size() - stream.size()), stream);
    ASSERT_TRUE(Open("c.mpt"));
    EXPECT_EQ(m_app.Text(), "[00:03.00]newer\r\n");
}

TEST_F(FormatDocumentTest, MptNeedsReadableAudio) {
    m_app.SetText(kLyrics);
    QString strShown;
    AnswerNextMessageBox("IDOK", &strShown);
    SaveAs("none.mpt"); // no audio loaded
    EXPECT_FALSE(QFile::exists(Path("none.mpt")));
    EXPECT_EQ(strShown, "Failed to save document.\n" + Path("none.mpt") +
                            "\nAn MPT file holds the song's audio, and no audio file is loaded.");

    LoadAudio("gone.mp3", "ID3");
    QFile::remove(Path("gone.mp3"));
    AnswerNextMessageBox("IDOK", &strShown);
    SaveAs("gone.mpt");
    EXPECT_FALSE(QFile::exists(Path("gone.mpt")));
    EXPECT_TRUE(strShown.endsWith("cannot be read: No such file or directory"))
        << strShown.toStdString();
}

TEST_F(FormatDocumentTest, BrokenFilesDoNotOpenAndTheTextStays) {
    Write("bad.lyr", std::string(600, '\x7f')); // its table runs past the end
    Write("short.lyr", "\x02");
    Write("bad.mpt", "MPT");
    Write("keep.lrc", "[00:09.00]kept\r\n");
    ASSERT_TRUE(Open("keep.lrc"));
    for (const char* pszName : {"bad.lyr", "short.lyr", "bad.mpt"}) {
        QString strMessage;
        AnswerNextMessageBox("IDOK", &strMessage);
        EXPECT_FALSE(Open(pszName)) << pszName;
        EXPECT_TRUE(strMessage.startsWith("Failed to open document.\n" + Path(pszName) +
                                          "\nIt is "
                                          "not a valid"))
            << pszName;
        EXPECT_EQ(m_app.Text(), "[00:09.00]kept\r\n") << pszName;
        EXPECT_EQ(m_app.Doc()->GetPathName(), Path("keep.lrc")) << pszName;
    }
}

} // namespace
