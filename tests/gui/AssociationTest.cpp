// The .lrc association in the XDG folders, taken at every start.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/FileAssociation.h"
#include "tests/support/AppHarness.h"

namespace {
QString ConfigPath(const QString& strName) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" + strName;
}
QString DataPath(const QString& strName) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/" + strName;
}
QByteArray ReadAll(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
void WriteText(const QString& strPath, const QByteArray& data) {
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

class AssociationTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(ConfigPath("mimeapps.list"));
        QFile::remove(DataPath("applications/versewright.desktop"));
        QFile::remove(DataPath("mime/packages/versewright-lrc.xml"));
    }
    CRunningApp m_app;
};

TEST_F(AssociationTest, StartInstallsTheMimeTypeDesktopEntryAndDefault) {
    EXPECT_FALSE(IsFileTypeRegistered(".lrc"));
    ASSERT_TRUE(m_app.Start());
    EXPECT_TRUE(IsFileTypeRegistered(".lrc"));
    EXPECT_TRUE(IsFileTypeRegistered(".LRC"));
    EXPECT_FALSE(IsFileTypeRegistered(".txt"));
    const QByteArray mime = ReadAll(DataPath("mime/packages/versewright-lrc.xml"));
    EXPECT_TRUE(mime.contains("type=\"text/x-lrc\""));
    EXPECT_TRUE(mime.contains("pattern=\"*.lrc\""));
    const QByteArray entry = ReadAll(DataPath("applications/versewright.desktop"));
    EXPECT_TRUE(entry.contains("MimeType=text/x-lrc;"));
    // The entry starts the program that registered it, by its full path.
    EXPECT_TRUE(
        entry.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %f"));
    EXPECT_TRUE(ReadAll(ConfigPath("mimeapps.list"))
                    .contains("[Default Applications]\ntext/x-lrc=versewright.desktop"));
}

TEST_F(AssociationTest, AnotherProgramsAssociationIsTakenOverAndTheRestKept) {
    WriteText(ConfigPath("mimeapps.list"), "[Added Associations]\ntext/x-lrc=other.desktop;\n"
                                           "[Default Applications]\ntext/plain=gedit.desktop\n"
                                           "text/x-lrc=other.desktop\nimage/png=viewer.desktop\n");
    EXPECT_FALSE(IsFileTypeRegistered(".lrc"));
    ASSERT_TRUE(m_app.Start());
    const QByteArray list = ReadAll(ConfigPath("mimeapps.list"));
    EXPECT_TRUE(IsFileTypeRegistered(".lrc"));
    EXPECT_FALSE(list.contains("text/x-lrc=other.desktop\n"));
    EXPECT_TRUE(list.contains("text/plain=gedit.desktop"));
    EXPECT_TRUE(list.contains("image/png=viewer.desktop"));
    EXPECT_TRUE(list.contains("[Added Associations]\ntext/x-lrc=other.desktop;"));
    // A second start finds it in place and does not write the file at all.
    m_app.Stop();
    const QDateTime written = QFileInfo(ConfigPath("mimeapps.list")).lastModified();
    QTest::qWait(20);
    ASSERT_TRUE(m_app.Start());
    EXPECT_EQ(ReadAll(ConfigPath("mimeapps.list")), list);
    EXPECT_EQ(QFileInfo(ConfigPath("mimeapps.list")).lastModified(), written);
}

TEST(AssociationFiles, ProgramPathIsQuotedForTheExecKey) {
    struct {
        const char* pszPath;
        const char* pszExec;
    } const cases[] = {
        {"/usr/bin/versewright", R"("/usr/bin/versewright")"},
        {"/opt/My Apps/vw", R"("/opt/My Apps/vw")"},
        {"/a$b/c\"d`e", R"("/a\\$b/c\\"d\\`e")"},
        {"/back\\slash/100%", R"("/back\\\\slash/100%%")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuotedExecArgument(QString::fromUtf8(c.pszPath)), QByteArray(c.pszExec))
            << c.pszPath;
}

TEST(AssociationFiles, ShippedFilesAreWellFormed) {
    const QByteArray entry =
        ReadAll(QStringLiteral(VERSEWRIGHT_SOURCE_DIR "/resources/versewright.desktop"));
    for (const char* pszLine : {"[Desktop Entry]", "Type=Application", "Name=Versewright",
                                "Exec=versewright %f", "MimeType=text/x-lrc;"})
        EXPECT_TRUE(entry.contains(pszLine)) << pszLine;
    const QByteArray mime =
        ReadAll(QStringLiteral(VERSEWRIGHT_SOURCE_DIR "/resources/versewright-lrc.xml"));
    EXPECT_TRUE(mime.startsWith("<?xml"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.lrc\"/>"));
}
} // namespace
