// The command-line tool writes the very bytes the window's Save As writes for the same file.
#include <QProcess>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/FolderAppTest.h"

namespace {

class CliParityTest : public CFolderAppTest {};

TEST_F(CliParityTest, ConvertWritesWhatSaveAsWrites) {
    // Odd inputs: a double-byte code page, a byte-order mark, lone LF line ends and a time tag
    // inside a line, an offset to apply.
    const struct {
        const char* pszName;
        std::string bytes;
    } kFiles[] = {
        {"gbk.lrc", "[ti:\xD4\xC2\xC1\xC1]\r\n[00:01.00]\xC4\xE3\xBA\xC3\r\n[00:03.50]x\r\n"},
        {"bom.lrc", "\xEF\xBB\xBF[00:02.00]b\r\n[00:01.00]a\r\n"},
        {"lf.lrc", "[offset:700]\n[00:01]one [00:02.5]two\nplain\n[00:04.25][00:03]three"},
    };
    for (const auto& file : kFiles) {
        Write(file.pszName, file.bytes);
        ASSERT_TRUE(m_app.App().OpenDocumentFile(Path(file.pszName)) != nullptr) << file.pszName;
        for (const char* pszFormat : {"lrc", "lyr"}) {
            const QString strSaved = QStringLiteral("saved.") + QLatin1String(pszFormat);
            {
                CFileDialogAnswer answer(QStringLiteral("SaveAsDialog"), Path(strSaved.toUtf8()),
                                         true);
                m_app.Execute(ID_FILE_SAVE_AS);
            }
            QProcess cli;
            cli.setWorkingDirectory(m_folder.path());
            cli.start(QStringLiteral(CLI_PATH),
                      {QStringLiteral("convert"), QStringLiteral("--to"), QLatin1String(pszFormat),
                       QStringLiteral("-o"), QStringLiteral("out"),
                       QString::fromUtf8(file.pszName)});
            ASSERT_TRUE(cli.waitForFinished(10000));
            EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
            const std::string converted = std::string("out/") + file.pszName;
            const std::string name = converted.substr(0, converted.size() - 3) + pszFormat;
            EXPECT_EQ(Read(name.c_str()), Read(strSaved.toUtf8().constData()))
                << file.pszName << " as " << pszFormat;
        }
    }
}

} // namespace
