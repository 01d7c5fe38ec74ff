// An MPT file made by the command-line tool is the one the window's Save As makes with the same
// song loaded through GStreamer: same header, same length, same stream.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/gui/PlaybackFixture.h"
#include "tests/support/FileDialogAnswer.h"

namespace {

using CliMptParityTest = PlaybackTest;

std::string ReadFile(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

TEST_F(CliMptParityTest, ConvertWritesWhatSaveAsWrites) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A VBR stream without a length header: its length comes from the frame scan.
    ASSERT_TRUE(QFile::copy(SongPath("vbr_plain.mp3"), dir.filePath(QStringLiteral("lied.mp3"))));
    QFile lyrics(dir.filePath(QStringLiteral("lied.lrc")));
    ASSERT_TRUE(lyrics.open(QIODevice::WriteOnly));
    lyrics.write("[ti:Lied]\r\n[offset:-200]\r\n[00:00.50]Eins\r\n[00:01.25][00:02.00]Zwei\r\n");
    lyrics.close();

    ASSERT_TRUE(m_app.App().OpenDocumentFile(lyrics.fileName()) != nullptr);
    ASSERT_TRUE(WaitFor([this] { return View()->m_bAudioLoaded != 0; }));
    ASSERT_TRUE(WaitFor([] { return MediaGetLength(nullptr) > 0; }));
    const QString strSaved = dir.filePath(QStringLiteral("saved.mpt"));
    {
        CFileDialogAnswer answer(QStringLiteral("SaveAsDialog"), strSaved);
        m_app.Execute(ID_FILE_SAVE_AS);
    }

    QProcess cli;
    cli.setWorkingDirectory(dir.path());
    cli.start(QStringLiteral(CLI_PATH),
              {QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("mpt"),
               QStringLiteral("-o"), QStringLiteral("out"), QStringLiteral("lied.lrc")});
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const std::string saved = ReadFile(strSaved);
    ASSERT_GT(saved.size(), 19u);
    EXPECT_EQ(ReadFile(dir.filePath(QStringLiteral("out/lied.mpt"))), saved);
}

} // namespace
