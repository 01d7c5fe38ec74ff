// The ways a file gets opened besides the Open dialog: the command line, files dropped on the
// window and the recent-file list kept across starts, with the save prompt before a modified
// text is replaced.
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "platform/SettingsStore.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/WinApp.h"
#include "tests/support/AppHarness.h"

namespace {

class OpenPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        QFile::remove(GetSettingsFilePath());
    }
    QString Write(const char* pszName, const std::string& bytes) const {
        QFile file(m_folder.filePath(QString::fromUtf8(pszName)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return file.fileName();
    }
    void Drop(const QStringList& paths) {
        QList<QUrl> urls;
        for (const QString& strPath : paths)
            urls << QUrl::fromLocalFile(strPath);
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_app.Frame(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_app.Frame(), &drop);
    }
    // The texts of the File menu's recent-file entries, as it shows them when it opens.
    QStringList RecentMenuTexts() {
        QMenu* pFile = m_app.Frame()->menuBar()->actions().constFirst()->menu();
        emit pFile->aboutToShow();
        QStringList texts;
        for (QAction* pAction : pFile->actions()) {
            const int nId = pAction->data().toInt();
            if (nId >= ID_FILE_MRU_FILE1 && nId <= ID_FILE_MRU_FILE6 && pAction->isVisible())
                texts << pAction->text() + (pAction->isEnabled() ? "" : " (greyed)");
        }
        return texts;
    }

    QTemporaryDir m_folder;
    CRunningApp m_app;
};

TEST_F(OpenPathsTest, CommandLineOpensTheFileWithItsAudio) {
    Write("song.mp3", "");
    const QString strPath = Write("song.lrc", "a[00:01]b\n");
    ASSERT_TRUE(m_app.Start({strPath}));
    EXPECT_EQ(m_app.Text(), "a\r\n[00:01]b\r\n");
    EXPECT_FALSE(m_app.Doc()->IsModified());
    EXPECT_EQ(m_app.View()->m_strAudioPath, m_folder.filePath("song.mp3"));
}

TEST_F(OpenPathsTest, ATooLargeFileOnTheCommandLineEndsStartUp) {
    const QString strPath = Write("big.lrc", std::string(70000, 'a'));
    QString strShown;
    AnswerNextMessageBox("IDOK", &strShown);
    EXPECT_FALSE(m_app.Start({strPath}));
    EXPECT_EQ(strShown, "The file is too large to open.\n" + strPath +
                            "\nIts text is longer than the 65,535 bytes the editor holds.");
}

TEST_F(OpenPathsTest, DroppedFilesOpenOneAfterTheOtherAndTheLastStays) {
    ASSERT_TRUE(m_app.Start());
    const QString strFirst = Write("first.lrc", "first\r\n");
    const QString strLast = Write("last.txt", "last\r\n");
    Drop({strFirst, strLast});
    EXPECT_EQ(m_app.Text(), "last\r\n");
    EXPECT_EQ(m_app.Doc()->GetPathName(), strLast);
}

TEST_F(OpenPathsTest, AModifiedTextIsOfferedForSavingBeforeAnotherFileReplacesIt) {
    const QString strFirst = Write("first.lrc", "first\r\n");
    const QString strOther = Write("other.lrc", "other\r\n");
    ASSERT_TRUE(m_app.Start({strFirst}));
    m_app.Press(Qt::Key_X);

    QString strAsked;
    AnswerNextMessageBox("IDCANCEL", &strAsked);
    Drop({strOther});
    EXPECT_EQ(strAsked, QStringLiteral("Save changes to first.lrc?"));
    EXPECT_EQ(m_app.Text(), "xfirst\r\n");

    AnswerNextMessageBox("IDYES");
    Drop({strOther});
    EXPECT_EQ(m_app.Text(), "other\r\n");
    QFile saved(strFirst);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("xfirst\r\n"));
}

TEST_F(OpenPathsTest, RecentFilesAreKeptAcrossStartsNewestFirst) {
    ASSERT_TRUE(m_app.Start());
    EXPECT_EQ(RecentMenuTexts(), QStringList({"Recent File (greyed)"}));
    QStringList paths;
    for (int i = 1; i <= 7; ++i) {
        const std::string name = "song" + std::to_string(i) + ".lrc";
        paths << Write(name.c_str(), name);
        ASSERT_NE(m_app.App().OpenDocumentFile(paths.back()), nullptr);
    }
    m_app.App().OpenDocumentFile(paths[4]); // opened again: first once more

    m_app.Stop();
    ASSERT_TRUE(m_app.Start());
    const QStringList expected = {paths[4], paths[6], paths[5], paths[3], paths[2], paths[1]};
    EXPECT_EQ(m_app.App().GetRecentFileList()->GetPaths(), expected);
    EXPECT_EQ(RecentMenuTexts(), QStringList({"&1 song5.lrc", "&2 song7.lrc", "&3 song6.lrc",
                                              "&4 song4.lrc", "&5 song3.lrc", "&6 song2.lrc"}));

    ASSERT_TRUE(m_app.Execute(ID_FILE_MRU_FILE3));
    EXPECT_EQ(m_app.Text(), "song6.lrc");

    // An entry that no longer opens goes from the list.
    QFile::remove(paths[3]);
    AnswerNextMessageBox("IDOK");
    m_app.Execute(ID_FILE_MRU_FILE4);
    EXPECT_FALSE(m_app.App().GetRecentFileList()->GetPaths().contains(paths[3]));
    EXPECT_EQ(RecentMenuTexts().size(), 5);
}

} // namespace
