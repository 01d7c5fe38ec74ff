// Opening and saving lyrics files through the window: line ends and mid-line tags, code pages
// kept byte for byte, the companion audio, Save and Save As, and the refusals.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "doc/LrcText.h"
#include "platform/SettingsStore.h"
#include "platform/framework/WinApp.h"
#include "tests/support/AppHarness.h"
#include "view/PlaybackControls.h"

namespace {

using namespace std::string_literals;

// Hands the next file dialog to fn once it is showing; fn accepts or rejects it.
void AnswerNextFileDialog(std::function<void(QFileDialog*)> fn) {
    auto* pTimer = new QTimer;
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, fn] {
        auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!pDialog)
            return;
        pTimer->stop();
        pTimer->deleteLater();
        fn(pDialog);
    });
    pTimer->start(10);
}

// What a file dialog showed: its filters and the name in its name field.
struct SDialogSeen {
    QStringList filters;
    QString strName;
};

void ReadDialog(QFileDialog* pDialog, SDialogSeen& seen) {
    seen.filters = pDialog->nameFilters();
    if (auto* pEdit = pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        seen.strName = pEdit->text();
}

class OpenSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        QFile::remove(GetSettingsFilePath());
        ASSERT_TRUE(m_app.Start());
    }

    QString Path(const char* pszName) const {
        return m_folder.filePath(QString::fromUtf8(pszName));
    }
    QString Write(const char* pszName, const std::string& bytes) const {
        QFile file(Path(pszName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return file.fileName();
    }
    std::string Read(const char* pszName) const {
        QFile file(Path(pszName));
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll().toStdString();
    }
    bool Open(const QString& strPath) { return m_app.App().OpenDocumentFile(strPath) != nullptr; }
    QString CodePageShown() const {
        auto* pLabel = m_app.Frame()->findChild<QLabel*>(QStringLiteral("CodePageIndicator"));
        return pLabel ? pLabel->text() : QString();
    }
    // Save As into the folder under the name typed.
    void SaveAs(const char* pszTyped, int nFilter = 0, SDialogSeen* pSeen = nullptr) {
        const QString strTyped = Path(pszTyped);
        AnswerNextFileDialog([strTyped, nFilter, pSeen](QFileDialog* pDialog) {
            if (pSeen)
                ReadDialog(pDialog, *pSeen);
            if (auto* pCombo = pDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
                pCombo->setCurrentIndex(nFilter);
                emit pCombo->textActivated(pCombo->currentText());
                emit pCombo->activated(nFilter);
            }
            // Typing into the focused field lets go of the proposed file the list selected.
            pDialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))->clearSelection();
            pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(strTyped);
            QMetaObject::invokeMethod(pDialog, "accept");
        });
        m_app.Execute(ID_FILE_SAVE_AS);
    }

    QTemporaryDir m_folder;
    CRunningApp m_app;
};

struct SOpenCase {
    const char* label;
    const char* name;
    std::string file;
    std::string text; // editor text, in the file's code page
};

class OpenTextTest : public OpenSaveTest, public ::testing::WithParamInterface<SOpenCase> {};

TEST_P(OpenTextTest, ShowsTheNormalisedTextUnmodified) {
    const SOpenCase& c = GetParam();
    m_app.SetText("old");
    SetBarText(IDC_NOW_TAG, QStringLiteral("[00:09.00]old"));
    m_app.View()->m_nOffset = 500;
    ASSERT_TRUE(Open(Write(c.name, c.file)));
    EXPECT_EQ(m_app.Text(), c.text);
    EXPECT_FALSE(m_app.Doc()->IsModified());
    EXPECT_FALSE(m_app.Frame()->GetCommands().IsEnabled(ID_FILE_SAVE));
    EXPECT_EQ(m_app.Doc()->m_strOpenedPath, Path(c.name));
    EXPECT_EQ(GetBarText(IDC_NOW_TAG), QString());
    EXPECT_EQ(m_app.View()->m_nOffset, 0);
    EXPECT_EQ(m_app.Frame()->windowTitle(), QString::fromUtf8(c.name) + " - Versewright");
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, OpenTextTest,
    ::testing::Values(
        SOpenCase{"CrLf", "song.lrc", "[00:01.00]a\r\n[00:02.00]b\r\n",
                  "[00:01.00]a\r\n[00:02.00]b\r\n"},
        SOpenCase{"Lf", "song.lrc", "a\nb\n", "a\r\nb\r\n"},
        // A tag after a lone LF gets an empty line before it.
        SOpenCase{"LfBeforeTag", "song.lrc", "[00:01]a\n[00:02]b", "[00:01]a\r\n\r\n[00:02]b"},
        SOpenCase{"LoneCr", "song.lrc", "a\rb\r[00:03]c", "ab\r\n[00:03]c"},
        SOpenCase{"MidLineTags", "song.txt", "x[00:01.00]y[00:02.00][00:03.00]z",
                  "x\r\n[00:01.00]y\r\n[00:02.00][00:03.00]z"},
        SOpenCase{"InLyricText", "song", "Hello [00:05] there", "Hello \r\n[00:05] there"},
        SOpenCase{"Empty", "empty.lrc", "", ""},
        SOpenCase{
            "Gbk", "gbk.lrc",
            "[00:01.00]\xC4\xE3\xCE\xCA\xCE\xD2\xB0\xAE\xC4\xE3\xD3\xD0\xB6\xE0\xC9\xEE\n",
            "[00:01.00]\xC4\xE3\xCE\xCA\xCE\xD2\xB0\xAE\xC4\xE3\xD3\xD0\xB6\xE0\xC9\xEE\r\n"}),
    [](const auto& info) { return std::string(info.param.label); });

struct SRoundTripCase {
    const char* label;
    std::string file; // already normalised: CR LF lines, tags at line starts
    const char* codePage;
};

class RoundTripTest : public OpenSaveTest, public ::testing::WithParamInterface<SRoundTripCase> {};

// Opened and saved without a change, a file is byte for byte what it was.
TEST_P(RoundTripTest, SaveGivesBackTheSameBytes) {
    const SRoundTripCase& c = GetParam();
    ASSERT_TRUE(Open(Write("song.lrc", c.file)));
    EXPECT_EQ(CodePageShown(), QString::fromLatin1(c.codePage));

    SaveAs("export.lrc");
    EXPECT_EQ(Read("export.lrc"), c.file);

    // An edit taken back, then Save.
    m_app.Press(Qt::Key_Z);
    m_app.Press(Qt::Key_Backspace);
    ASSERT_TRUE(m_app.Doc()->IsModified());
    ASSERT_TRUE(m_app.Execute(ID_FILE_SAVE));
    EXPECT_EQ(Read("song.lrc"), c.file);
    EXPECT_FALSE(m_app.Doc()->IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, RoundTripTest,
    ::testing::Values(
        SRoundTripCase{
            "Gbk",
            "[ti:\xD4\xC2\xC1\xC1\xB4\xFA\xB1\xED\xCE\xD2\xB5\xC4\xD0\xC4]\r\n"
            "[00:01.00]\xC4\xE3\xCE\xCA\xCE\xD2\xB0\xAE\xC4\xE3\xD3\xD0\xB6\xE0\xC9\xEE\r\n"
            "[00:05.00]\xCE\xD2\xB0\xAE\xC4\xE3\xD3\xD0\xBC\xB8\xB7\xD6\r\n",
            "GB18030"},
        SRoundTripCase{
            "Big5",
            "[ti:\xA4\xEB\xABG\xA5N\xAA\xED\xA7\xDA\xAA\xBA\xA4\xDF]\r\n"
            "[00:01.00]\xA7\x41\xB0\xDD\xA7\xDA\xB7R\xA7\x41\xA6\xB3\xA6h\xB2`\r\n"
            "[00:09.00]\xA7\xDA\xAA\xBA\xB1\xA1\xA4]\xAFu \xA7\xDA\xAA\xBA\xB7R\xA4]\xAFu\r\n",
            "Big5"},
        SRoundTripCase{"Cp1252",
                       "[ti:Canci\xF3n de la ma\xF1\x61na]\r\n"
                       "[00:01.00]\xBF\x44\xF3nde est\xE1 mi coraz\xF3n\x3F\r\n"
                       "[00:05.00]Se\xF1or, qu\xE9 peque\xF1o es el jard\xEDn \x80\r\n",
                       "Windows-1252"},
        SRoundTripCase{"Utf8", "[00:01.00]\xE4\xBD\xA0\xE9\x97\xAE \xC3\xA9\r\n", "UTF-8"},
        SRoundTripCase{"Utf8Bom", "\xEF\xBB\xBF[00:01.00]\xE4\xBD\xA0\xE9\x97\xAE\r\n",
                       "UTF-8 BOM"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(OpenSaveTest, SaveOffersUtf8WhenTheCodePageCannotHoldTheText) {
    const std::string file = "[00:01]caf\xE9\r\n";
    ASSERT_TRUE(Open(Write("song.lrc", file)));
    m_app.View()->ReplaceSel(QStringLiteral("\u4E2D"));

    QString strAsked;
    AnswerNextMessageBox("IDNO", &strAsked);
    m_app.Execute(ID_FILE_SAVE);
    EXPECT_TRUE(strAsked.contains(QStringLiteral("\u4E2D"))) << strAsked.toStdString();
    EXPECT_EQ(Read("song.lrc"), file); // nothing written
    EXPECT_TRUE(m_app.Doc()->IsModified());

    AnswerNextMessageBox("IDYES");
    m_app.Execute(ID_FILE_SAVE);
    EXPECT_EQ(Read("song.lrc"), "\xE4\xB8\xAD[00:01]caf\xC3\xA9\r\n");
    EXPECT_FALSE(m_app.Doc()->IsModified());
    EXPECT_EQ(CodePageShown(), QStringLiteral("UTF-8"));
}

TEST_F(OpenSaveTest, SaveIsEnabledExactlyWhileModifiedAndKeepsPlainText) {
    ASSERT_TRUE(Open(Write("song.txt", "[00:01]a\r\n")));
    EXPECT_FALSE(m_app.Frame()->GetCommands().IsEnabled(ID_FILE_SAVE));
    m_app.Press(Qt::Key_X);
    EXPECT_TRUE(m_app.Frame()->GetCommands().IsEnabled(ID_FILE_SAVE));
    m_app.Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Read("song.txt"), "x[00:01]a\r\n");
    EXPECT_FALSE(m_app.Frame()->GetCommands().IsEnabled(ID_FILE_SAVE));
}

TEST_F(OpenSaveTest, CompanionAudioIsTheFirstCandidateThatExists) {
    struct {
        std::vector<const char*> audio;
        const char* lyrics;
        const char* loaded; // "" for none
    } cases[] = {
        {{"song.wav", "song.wma"}, "song.lrc", "song.wma"},
        {{"song.wav", "song.mpt", "song.mp3"}, "song.txt", "song.mp3"},
        {{"SONG.MP3"}, "SONG.lrc", "SONG.MP3"},
        {{"song.Mp3", "song.wav"}, "song.lrc", "song.Mp3"},
        {{"other.mp3"}, "song.lrc", ""},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        for (const char* pszAudio : c.audio)
            QFile(folder.filePath(pszAudio)).open(QIODevice::WriteOnly);
        QFile lyrics(folder.filePath(c.lyrics));
        ASSERT_TRUE(lyrics.open(QIODevice::WriteOnly));
        lyrics.close();
        m_app.View()->m_bAudioLoaded = 0;
        m_app.View()->m_strAudioPath.clear();
        ASSERT_TRUE(Open(lyrics.fileName()));
        if (*c.loaded) {
            EXPECT_TRUE(m_app.View()->m_bAudioLoaded) << c.loaded;
            EXPECT_EQ(m_app.View()->m_strAudioPath, folder.filePath(c.loaded));
        } else {
            EXPECT_FALSE(m_app.View()->m_bAudioLoaded);
        }
        EXPECT_FALSE(m_app.Doc()->IsModified());
    }
}

TEST_F(OpenSaveTest, SaveAsProposesTheOpenedNameAndOffersMptOnlyWithMp3Audio) {
    const QStringList withoutMpt = {"LRC files(*.lrc)", "LYR files(*.lyr)", "TXT Files(*.txt)"};
    const QStringList withMpt = {"LRC files(*.lrc)", "LYR files(*.lyr)", "MPT Files(*.mpt)",
                                 "TXT Files(*.txt)"};
    SDialogSeen seen;
    SaveAs("new.lrc", 0, &seen); // never opened
    EXPECT_EQ(seen.strName, QString());
    EXPECT_EQ(seen.filters, withoutMpt);

    // A file that failed to open is still the one last opened.
    AnswerNextMessageBox("IDOK");
    Open(Write("Song.lyr", "not a lyr file"));
    Write("Song.mp3", "");
    ASSERT_TRUE(Open(Write("Song.lrc", "[00:01]a\r\n")));
    m_app.Execute(ID_FILE_NEW); // New keeps the path last opened
    SaveAs("other.lrc", 0, &seen);
    EXPECT_EQ(seen.strName, QStringLiteral("Song"));
    EXPECT_EQ(seen.filters, withMpt);
    EXPECT_EQ(Read("other.lrc"), "");

    m_app.View()->m_strAudioExt = QStringLiteral(".WAV");
    SaveAs("third.lrc", 0, &seen);
    EXPECT_EQ(seen.filters, withoutMpt);
}

TEST_F(OpenSaveTest, SaveAsIsAnExportInTheTypedFormatOnly) {
    ASSERT_TRUE(Open(Write("song.lrc", "[00:01]a\r\n")));
    m_app.Press(Qt::Key_X);
    SaveAs("typed.doc");
    EXPECT_EQ(Read("typed.doc"), "<missing>");
    SaveAs("plain.txt");
    EXPECT_EQ(Read("plain.txt"), "x[00:01]a\r\n");
    SaveAs("bare", 2); // the TXT filter gives its extension
    EXPECT_EQ(Read("bare.txt"), "x[00:01]a\r\n");
    // Nothing about the document changed.
    EXPECT_TRUE(m_app.Doc()->IsModified());
    EXPECT_EQ(m_app.Doc()->GetPathName(), Path("song.lrc"));
    EXPECT_EQ(Read("song.lrc"), "[00:01]a\r\n");
}

TEST_F(OpenSaveTest, RefusedFilesLeaveTheEditorAsItWas) {
    struct {
        const char* name;
        std::string file; // nullptr-like "<none>" for a file that is not there
        const char* message;
    } cases[] = {
        {"full.lrc", std::string(LYRICS_CAPACITY, 'a'), "The file is too large to open."},
        {"lf.lrc", std::string(LYRICS_CAPACITY / 2, '\n'), "The file is too large to open."},
        {"huge.lrc", std::string(1048576, '\r'), "The file is too large to open."},
        {"zero.lrc", "[\0t\0i\0:\0]\0"s, "Failed to open document."},
        {"missing.lrc", "<none>",
         "\nCannot find this file.\nPlease verify that the correct path and file name are given."},
    };
    ASSERT_TRUE(Open(Write("kept.lrc", "[00:01]kept\r\n")));
    m_app.Press(Qt::Key_X);
    for (const auto& c : cases) {
        const QString strPath = c.file == "<none>" ? Path(c.name) : Write(c.name, c.file);
        QString strShown;
        AnswerNextMessageBox("IDNO"); // the save prompt for kept.lrc
        AnswerNextMessageBox("IDOK", &strShown);
        EXPECT_FALSE(Open(strPath)) << c.name;
        EXPECT_TRUE(strShown.contains(QString::fromLatin1(c.message))) << strShown.toStdString();
        EXPECT_TRUE(strShown.contains(strPath)) << strShown.toStdString();
        EXPECT_EQ(m_app.Text(), "x[00:01]kept\r\n");
        EXPECT_TRUE(m_app.Doc()->IsModified());
        EXPECT_EQ(m_app.Doc()->GetPathName(), Path("kept.lrc"));
    }
}

TEST_F(OpenSaveTest, OpenCommandOpensTheChosenFile) {
    const QString strPath = Write("chosen.lrc", "[00:01]chosen\n");
    SDialogSeen seen;
    AnswerNextFileDialog([&seen, strPath](QFileDialog* pDialog) {
        ReadDialog(pDialog, seen);
        pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(strPath);
        QMetaObject::invokeMethod(pDialog, "accept");
    });
    m_app.Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(seen.filters, QStringList({"LRC files(*.lrc *.lyr *.mpt *.txt)", "All Files(*)"}));
    EXPECT_EQ(m_app.Text(), "[00:01]chosen\r\n");
    EXPECT_EQ(m_app.Doc()->GetPathName(), strPath);
}

} // namespace
