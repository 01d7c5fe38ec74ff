// What the window asks of the desktop: the icon of the association, the help viewer, the
// command line, and the folders and filters of its file dialogs.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QListView>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"

namespace {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        QFile::remove(GetSettingsFilePath());
    }
    QString Write(const QString& strName, const QByteArray& bytes) const {
        QFile file(m_folder.filePath(strName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    // Runs a command and, inside the file dialog it opens, onDialog; then cancels the dialog.
    // False when no file dialog came.
    bool WithFileDialog(int nId, const std::function<void(QFileDialog*)>& onDialog) {
        bool bSeen = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!pDialog || bSeen)
                return;
            bSeen = true;
            onDialog(pDialog);
            pDialog->reject();
        });
        timer.start(10);
        m_app.Execute(nId);
        return bSeen;
    }

    QTemporaryDir m_folder;
    CRunningApp m_app;
};

TEST_F(DesktopTest, AssociationInstallsTheProgramIconInTheUsersTheme) {
    ASSERT_TRUE(m_app.Start());
    const QString strThemes =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/icons/hicolor/";
    for (int nSize : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString strSize = QStringLiteral("%1x%1/apps/versewright.png").arg(nSize);
        EXPECT_EQ(QImage(strThemes + strSize).size(), QSize(nSize, nSize)) << nSize;
    }
    QFile svg(strThemes + "scalable/apps/versewright.svg");
    QFile source(ICON_FOLDER "/scalable/apps/versewright.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll(), source.readAll());
    QFile mime(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               "/mime/packages/versewright-lrc.xml");
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    EXPECT_TRUE(mime.readAll().contains("<icon name=\"versewright\"/>")) << ".lrc files show it";
}

TEST_F(DesktopTest, HelpWithoutAViewerSaysSo) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "only the offscreen platform is sure to open no page";
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", m_folder.path().toLocal8Bit()); // no program here opens a page
    ASSERT_TRUE(m_app.Start());
    m_app.Frame()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_app.Frame()));
    QString strText;
    AnswerNextMessageBox("IDOK", &strText);
    m_app.Press(Qt::Key_F1);
    qputenv("PATH", path);
    EXPECT_TRUE(strText.contains(m_app.Frame()->HelpFilePath())) << strText.toStdString();
}

TEST_F(DesktopTest, CommandLineOpensFilesWhoseNameStartsWithADash) {
    Write("-dash.lrc", "dash\r\n");
    Write("plain.lrc", "plain\r\n");
    const QString strOldDir = QDir::currentPath();
    QDir::setCurrent(m_folder.path());
    struct SRow {
        QStringList args;
        std::string text;
    };
    const SRow rows[] = {
        {{"--", "-dash.lrc"}, "dash\r\n"},
        {{"-dash.lrc"}, "dash\r\n"},
        {{"-x"}, ""},                 // a switch: a new document
        {{"-x", "plain.lrc"}, "plain\r\n"},
        {{"--", "plain.lrc"}, "plain\r\n"},
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        ASSERT_TRUE(m_app.Start(row.args));
        EXPECT_EQ(m_app.Text(), row.text);
        m_app.Stop();
    }
    QDir::setCurrent(strOldDir);
}

TEST_F(DesktopTest, AudioDialogsAllFilesFilterListsFilesWithoutADot) {
    Write("song", "x");
    Write("song.mp3", "x");
    Write("notes.txt", "x");
    ASSERT_TRUE(m_app.Start());
    QStringList filters;
    QStringList listed;
    ASSERT_TRUE(WithFileDialog(IDC_OPEN_AUDIO, [&](QFileDialog* pDialog) {
        filters = pDialog->nameFilters();
        pDialog->setDirectory(m_folder.path());
        auto* pTypes = pDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* pList = pDialog->findChild<QListView*>(QStringLiteral("listView"));
        if (!pTypes || !pList)
            return;
        QTest::keyClick(pTypes, Qt::Key_Down); // the user picks "All Files(*.*)"
        for (int nWait = 0; nWait < 200 && listed.size() < 3; nWait += 10) {
            QTest::qWait(10);
            listed.clear();
            const QModelIndex root = pList->rootIndex();
            for (int i = 0; i < pList->model()->rowCount(root); ++i)
                listed << pList->model()->index(i, 0, root).data().toString();
        }
    }));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[1], QStringLiteral("All Files(*.*)"));
    listed.sort();
    EXPECT_EQ(listed, QStringList({"notes.txt", "song", "song.mp3"}));
}

TEST_F(DesktopTest, SaveAsAndConversionDialogsOpenInTheLyricsFolder) {
    const QString strLyrics = Write("song.lrc", "[00:01.00]la\r\n");
    QTemporaryDir elsewhere;
    const QString strOldDir = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    ASSERT_TRUE(m_app.Start({strLyrics}));
    for (int nId : {ID_FILE_SAVE_AS, ID_LYR_TO_LRC, ID_MPT_TO_LRC}) {
        QString strDirectory;
        EXPECT_TRUE(WithFileDialog(nId, [&](QFileDialog* pDialog) {
            strDirectory = pDialog->directory().absolutePath();
        })) << nId;
        EXPECT_EQ(strDirectory, QDir(m_folder.path()).absolutePath()) << nId;
    }
    QDir::setCurrent(strOldDir);
}

} // namespace
