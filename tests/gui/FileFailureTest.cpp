// Saves and opens that cannot be done, on real disks: the file on disk stays as it was, the user
// is told which file and why, and the edit stays in the editor, modified, for a later Save. Also
// files another program changed, UTF-16 files, and LYR files larger than their format.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

#include "app/Resource.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/FolderAppTest.h"
#include "tests/support/FormatFixtures.h"
#include "tests/support/ScratchDisk.h"

namespace {

using namespace std::string_literals;

const QString kNoSpace = QStringLiteral("No space left on device");

// While the timer lives, answers the next message box that has this button (objectName "IDOK",
// "IDYES", ...) and keeps its text; boxes without it, such as the file dialog's question, are
// left to others.
std::unique_ptr<QTimer> AnswerBoxWith(const char* pszButton, QString* pText) {
    auto pTimer = std::make_unique<QTimer>();
    const QString strButton = QString::fromLatin1(pszButton);
    QTimer* pRaw = pTimer.get();
    QObject::connect(pRaw, &QTimer::timeout, pRaw, [pRaw, strButton, pText] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        auto* pButton = pBox ? pBox->findChild<QAbstractButton*>(strButton) : nullptr;
        if (!pButton)
            return;
        pRaw->stop();
        *pText = pBox->text();
        pButton->click();
    });
    pRaw->start(10);
    return pTimer;
}

class FileFailureTest : public CFolderAppTest {
protected:
    static QString DiskPath(const CScratchDisk& disk, const char* pszName) {
        return QString::fromStdString(disk.File(pszName));
    }
    static void WriteFile(const QString& strPath, const std::string& bytes) {
        QFile file(strPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    static struct stat StatOf(const QString& strPath) {
        struct stat st {};
        stat(QFile::encodeName(strPath).constData(), &st);
        return st;
    }
    static std::string ReadFile(const QString& strPath) {
        QFile file(strPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<none>";
    }
    bool Open(const QString& strPath) { return m_app.App().OpenDocumentFile(strPath) != nullptr; }
    // Runs a command and answers the message box it shows; its text, or "<none>" when none came.
    QString Answered(int nCommand, const char* pszButton = "IDOK") {
        QString strText = QStringLiteral("<none>");
        const auto pTimer = AnswerBoxWith(pszButton, &strText);
        m_app.Execute(nCommand);
        return strText;
    }
    QString SaveAs(const QString& strPath) {
        CFileDialogAnswer answer(QStringLiteral("SaveAsDialog"), strPath, QFile::exists(strPath));
        return Answered(ID_FILE_SAVE_AS);
    }
    // An edit the user makes: a line of lower-case letters typed at the start.
    void Edit(const std::string& line) {
        m_app.SetCaret(0, 0);
        for (const char c : line)
            m_app.Press(Qt::Key_A + (c - 'a'));
        m_app.Press(Qt::Key_Return);
    }
    static QString WriteFailed(const QString& strPath, const QString& strReason) {
        return QStringLiteral("An unexpected error occurred while writing %1.\n%2")
            .arg(strPath, strReason);
    }
};

TEST_F(FileFailureTest, SaveOnAFullDiskKeepsTheFileAndTheEdit) {
    CScratchDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string bigText = std::string(30000, 'w') + "\r\n";
    for (const char* pszName : {"song.lrc", "song.lyr"}) {
        const QString strPath = DiskPath(disk, pszName);
        const bool bLyr = QString::fromLatin1(pszName).endsWith(QLatin1String(".lyr"));
        const std::string original =
            bLyr ? BuildLyrFile(CCodePage(), "[00:01]old") : "[00:01]old\r\n"s;
        WriteFile(strPath, original);
        ASSERT_TRUE(Open(strPath));
        m_app.SetText("[00:01]" + bigText + "[00:02]" + bigText);
        Edit("x");
        ASSERT_TRUE(disk.Fill());
        EXPECT_EQ(Answered(ID_FILE_SAVE), WriteFailed(strPath, kNoSpace)) << pszName;
        EXPECT_EQ(SaveAs(strPath), WriteFailed(strPath, kNoSpace)) << pszName;
        EXPECT_EQ(ReadFile(strPath), original) << pszName;
        EXPECT_TRUE(m_app.Doc()->IsModified()) << pszName;
        // Once there is room, Save writes the edit.
        disk.Free();
        EXPECT_EQ(Answered(ID_FILE_SAVE), "<none>") << pszName;
        EXPECT_FALSE(m_app.Doc()->IsModified()) << pszName;
        EXPECT_NE(ReadFile(strPath), original) << pszName;
        QFile::remove(strPath);
    }
}

TEST_F(FileFailureTest, SaveBeyondTheFileSizeLimitKeepsTheFile) {
    const QString strPath = Path("song.lrc");
    WriteFile(strPath, "[00:01]old\r\n");
    ASSERT_TRUE(Open(strPath));
    m_app.SetText(std::string(5000, 'w'));
    Edit("x");
    QString strShown;
    {
        CFileSizeLimit limit(1000);
        if (!limit.IsSet())
            GTEST_SKIP() << "cannot limit the file size";
        strShown = Answered(ID_FILE_SAVE);
    }
    EXPECT_EQ(strShown, WriteFailed(strPath, QStringLiteral("File too large")));
    EXPECT_EQ(ReadFile(strPath), "[00:01]old\r\n");
    EXPECT_TRUE(m_app.Doc()->IsModified());
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(FileFailureTest, SaveAsIntoAReadOnlyFolderSaysSo) {
    CScratchDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    if (!disk.MakeReadOnly())
        GTEST_SKIP() << "cannot make the disk read-only";
    m_app.SetText("[00:01]words\r\n");
    const QString strPath = DiskPath(disk, "new.lrc");
    EXPECT_EQ(SaveAs(strPath), WriteFailed(strPath, QStringLiteral("Read-only file system")));
    EXPECT_FALSE(QFile::exists(strPath));
}

TEST_F(FileFailureTest, MptSaveWithoutReadableAudioSaysWhy) {
    const std::string stream = "ID3\x03" + std::string(3000, '\x5a');
    const QString strMpt = Path("song.mpt");
    WriteFile(strMpt, BuildMptFile(CCodePage(), "[00:01]old", "song.mp3", 9000, stream));
    m_app.LoadRecordedAudio(0);
    ASSERT_TRUE(Open(strMpt));
    Edit("x");
    // The song's own file, its audio, was replaced by a folder: asked first, then refused.
    QFile::remove(strMpt);
    ASSERT_TRUE(QDir().mkdir(strMpt));
    AnswerNextMessageBox("IDYES");
    const QString strShown = Answered(ID_FILE_SAVE);
    const QString strRefused =
        QStringLiteral("Failed to save document.\n%1\nThe audio file %2 cannot be read: ");
    EXPECT_TRUE(strShown.startsWith(strRefused.arg(strMpt, strMpt))) << strShown.toStdString();
    EXPECT_TRUE(m_app.Doc()->IsModified());
    EXPECT_TRUE(QFileInfo(strMpt).isDir());
    const QString strCopy = Path("copy.mpt");
    EXPECT_TRUE(SaveAs(strCopy).startsWith(strRefused.arg(strCopy, strMpt)));
    EXPECT_FALSE(QFile::exists(strCopy));
}

TEST_F(FileFailureTest, SavingOverAFileAnotherProgramChangedAsksFirst) {
    const QString strPath = Path("song.lrc");
    WriteFile(strPath, "[00:01]mine\r\n");
    ASSERT_TRUE(Open(strPath));
    Edit("x");
    WriteFile(strPath, "[00:01]theirs, longer\r\n"); // the other window saved
    const QString strAsked = Answered(ID_FILE_SAVE, "IDNO");
    EXPECT_TRUE(strAsked.startsWith(strPath + QStringLiteral("\nThis file has been changed")))
        << strAsked.toStdString();
    EXPECT_EQ(ReadFile(strPath), "[00:01]theirs, longer\r\n");
    EXPECT_TRUE(m_app.Doc()->IsModified());
    EXPECT_EQ(Answered(ID_FILE_SAVE, "IDYES"), strAsked);
    EXPECT_EQ(ReadFile(strPath), "x\r\n[00:01]mine\r\n");
    // Changed in place, same size, its time set back: the bytes tell.
    const struct stat before = StatOf(strPath);
    Edit("z");
    WriteFile(strPath, "x\r\n[00:01]MINE\r\n");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(strPath).constData(), times, 0), 0);
    EXPECT_EQ(Answered(ID_FILE_SAVE, "IDNO"), strAsked);
    EXPECT_EQ(Answered(ID_FILE_SAVE, "IDYES"), strAsked);
    // Our own save is no change by another program.
    Edit("y");
    EXPECT_EQ(Answered(ID_FILE_SAVE), "<none>");
    EXPECT_EQ(ReadFile(strPath), "y\r\nz\r\nx\r\n[00:01]mine\r\n");
}

TEST_F(FileFailureTest, Utf16FilesOpenAndSaveInUtf16) {
    struct {
        const char* name;
        std::string file;
        const char* label;
        std::string saved; // after the user typed X at the start
    } cases[] = {
        {"le.lrc", "\xFF\xFE[\0000\0000\0:\0000\0001\0]\0\x2D\x4E\r\0\n\0"s, "UTF-16 LE BOM",
         "\xFF\xFEx\0\r\0\n\0[\0000\0000\0:\0000\0001\0]\0\x2D\x4E\r\0\n\0"s},
        {"be.lrc", "\xFE\xFF\0[\0000\0000\0:\0000\0001\0]\x4E\x2D\0\r\0\n"s, "UTF-16 BE BOM",
         "\xFE\xFF\0x\0\r\0\n\0[\0000\0000\0:\0000\0001\0]\x4E\x2D\0\r\0\n"s},
    };
    for (const auto& c : cases) {
        const QString strPath = Path(c.name);
        WriteFile(strPath, c.file);
        ASSERT_TRUE(Open(strPath)) << c.name;
        EXPECT_EQ(m_app.Text(), "[00:01]\xE4\xB8\xAD\r\n") << c.name; // worked on as UTF-8
        auto* pLabel = m_app.Frame()->findChild<QLabel*>(QStringLiteral("CodePageIndicator"));
        ASSERT_NE(pLabel, nullptr);
        EXPECT_EQ(pLabel->text(), QString::fromLatin1(c.label));
        // Unchanged text: the very same bytes.
        m_app.Press(Qt::Key_X);
        m_app.Press(Qt::Key_Backspace);
        EXPECT_EQ(Answered(ID_FILE_SAVE), "<none>");
        EXPECT_EQ(ReadFile(strPath), c.file) << c.name;
        Edit("x");
        EXPECT_EQ(Answered(ID_FILE_SAVE), "<none>");
        EXPECT_EQ(ReadFile(strPath), c.saved) << c.name;
    }
}

TEST_F(FileFailureTest, RefusedFilesSayWhichAndWhy) {
    QDir().mkdir(Path("folder.lyr"));
    struct {
        const char* name;
        std::string file; // "<none>": not written
        const char* reason;
    } cases[] = {
        {"zero.lrc", "[00:01]a\0b"s,
         "It holds a zero byte, so it is no text file the editor "
         "can hold."},
        {"odd.lrc", "\xFF\xFE[\0a"s,
         "It begins with a UTF-16 byte-order mark, but what follows is "
         "not UTF-16 text."},
        {"bad.lyr", std::string(600, '\x7f'), "It is not a valid LYR file."},
        {"bad.mpt", "MPT", "It is not a valid MPT file."},
        {"folder.lyr", "<none>", "Is a directory"},
        {"missing.mpt", "<none>", "No such file or directory"},
    };
    for (const auto& c : cases) {
        const QString strPath = Path(c.name);
        if (c.file != "<none>")
            WriteFile(strPath, c.file);
        QString strShown;
        AnswerNextMessageBox("IDOK", &strShown);
        EXPECT_FALSE(Open(strPath)) << c.name;
        EXPECT_EQ(strShown, QStringLiteral("Failed to open document.\n%1\n%2")
                                .arg(strPath, QString::fromLatin1(c.reason)));
    }
}

TEST_F(FileFailureTest, LyrFileWithMoreEntriesThanTheFormatOpensWithAWarning) {
    std::vector<std::string> lines; // each entry with a string of its own
    for (int i = 0; i < 2100; ++i)
        lines.push_back(std::to_string(i));
    WriteFile(Path("many.lyr"), LyrImageOf(lines, lines.size()));
    QString strShown;
    AnswerNextMessageBox("IDOK", &strShown);
    ASSERT_TRUE(Open(Path("many.lyr")));
    EXPECT_TRUE(strShown.startsWith(Path("many.lyr") + "\nThe file holds more lyrics"));
    EXPECT_EQ(m_app.View()->document()->blockCount(), 2049); // 2048 lines and the empty last
}

TEST_F(FileFailureTest, UntitledSaveProposesLrc) {
    m_app.Execute(ID_FILE_NEW);
    Edit("x");
    CFileDialogAnswer answer(QStringLiteral("SaveDocumentDialog"), Path("typed"));
    m_app.Execute(ID_FILE_SAVE);
    ASSERT_EQ(answer.Seen().proposed.size(), 1);
    EXPECT_TRUE(answer.Seen().proposed[0].endsWith(QLatin1String(".lrc")));
    EXPECT_EQ(answer.Seen().strDefaultSuffix, "lrc");
    EXPECT_EQ(ReadFile(Path("typed.lrc")), "x\r\n"); // a typed name gets the extension
}

TEST_F(FileFailureTest, SettingsOnAFullDiskKeepTheStoreWhole) {
    const QString strStore = GetSettingsFilePath();
    const QString strFolder = QFileInfo(strStore).absolutePath();
    ASSERT_TRUE(QDir().mkpath(strFolder));
    CScratchDisk disk(QFile::encodeName(strFolder).toStdString()); // the store's folder
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    ASSERT_TRUE(WriteSetting("First", REG_SZ, "one", 4));
    const std::string before = ReadFile(strStore);
    ASSERT_TRUE(disk.Fill());
    const std::string big(20000, 'b');
    EXPECT_FALSE(WriteSetting("Big", REG_BINARY, big.data(), static_cast<uint32_t>(big.size())));
    EXPECT_EQ(ReadFile(strStore), before);
    EXPECT_EQ(QDir(strFolder).entryList(QDir::Files | QDir::Hidden).size(), 2); // and ballast
}

} // namespace
