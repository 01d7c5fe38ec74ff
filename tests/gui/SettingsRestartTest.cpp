// The settings record across restarts: what start-up restores, what closing writes, and records
// of the wrong size.
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSlider>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"
#include "view/PlaybackControls.h"

namespace {
class SettingsRestartTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(GetSettingsFilePath()); }
    void TearDown() override { QFile::remove(GetSettingsFilePath()); }

    static XDataRecord SampleRecord(uint32_t nShowCmd) {
        XDataRecord r;
        const QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        QFont font(family);
        font.setPixelSize(23);
        font.setBold(true);
        font.setItalic(true);
        r.font = LogFontFromFont(font);
        r.placement.showCmd = nShowCmd;
        r.placement.rcNormalLeft = 40;
        r.placement.rcNormalTop = 50;
        r.placement.rcNormalRight = 40 + 640;
        r.placement.rcNormalBottom = 50 + 380;
        r.timeFormat = 1;
        r.textColor = 0x0000FF;
        r.backColor = 0x00EEDD;
        r.volume = -2000;
        return r;
    }
    // Closes the window; the document is unmodified, so no prompt comes.
    void Close() {
        m_app.Frame()->close();
        m_app.Stop();
    }
    CRunningApp m_app;
};

// Every kind of value reads back as the bytes written, after the store has been written out and
// read in again: a number stored as text would come back as its digits.
TEST_F(SettingsRestartTest, ValuesReadBackAsWrittenWhateverTheirType) {
    const struct {
        uint32_t nType;
        std::string bytes;
    } cases[] = {{REG_SZ, std::string("words\0", 6)},
                 {REG_BINARY, std::string("\x01\0\xFF", 3)},
                 {REG_DWORD, std::string("\x7B\0\0\0", 4)},
                 {REG_DWORD, std::string("\x31\x32\x33\0", 4)},
                 {REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nType);
        ASSERT_TRUE(WriteSetting("Value", c.nType, c.bytes.data(), uint32_t(c.bytes.size())));
        char buffer[16] = {};
        uint32_t nSize = sizeof buffer;
        ASSERT_TRUE(ReadSetting("Value", buffer, nSize));
        EXPECT_EQ(std::string(buffer, nSize), c.bytes);
    }
}

TEST_F(SettingsRestartTest, StartUpNeverWritesTheRecord) {
    ASSERT_TRUE(m_app.Start());
    EXPECT_TRUE(StoredXData().isEmpty());
    Close();
    EXPECT_EQ(StoredXData().size(), 120);
}

TEST_F(SettingsRestartTest, RecordsOfAnyOtherSizeAreIgnoredWhole) {
    for (int nSize : {119, 121, 0, 240}) {
        uint8_t image[XDATA_SIZE];
        EncodeXData(SampleRecord(SW_SHOWMAXIMIZED), image);
        QByteArray bytes(reinterpret_cast<const char*>(image), XDATA_SIZE);
        bytes.resize(nSize, '\0');
        ASSERT_TRUE(WriteSetting("XDATA", REG_BINARY, bytes.constData(), nSize));
        ASSERT_TRUE(m_app.Start());
        EXPECT_FALSE(m_app.Frame()->isMaximized()) << nSize;
        EXPECT_TRUE(m_app.Frame()->isVisible()) << nSize;
        EXPECT_EQ(m_app.Frame()->m_nTimeFormat, 0) << nSize;
        EXPECT_EQ(m_app.View()->m_nVolume, 0) << nSize;
        EXPECT_EQ(m_app.View()->m_crText, 0x000000u) << nSize;
        EXPECT_EQ(m_app.View()->m_crBack, 0xFFFFFFu) << nSize;
        EXPECT_EQ(QFontInfo(m_app.View()->font()).family(),
                  QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family())
            << nSize;
        m_app.Stop();
    }
}

TEST_F(SettingsRestartTest, StoredRecordRestoresFontPlacementFormatColoursAndVolume) {
    struct {
        uint32_t nShowCmd;
        bool bMaximized;
        bool bMinimized;
    } const cases[] = {{SW_SHOWNORMAL, false, false},
                       {SW_SHOWMAXIMIZED, true, false},
                       {SW_SHOWMINIMIZED, false, true}};
    for (const auto& c : cases) {
        const XDataRecord record = SampleRecord(c.nShowCmd);
        ASSERT_TRUE(SaveXData(record));
        ASSERT_TRUE(m_app.Start());
        CMainFrame* pFrame = m_app.Frame();
        EXPECT_EQ(pFrame->isMaximized(), c.bMaximized) << c.nShowCmd;
        EXPECT_EQ(pFrame->isMinimized(), c.bMinimized) << c.nShowCmd;
        if (!c.bMaximized && !c.bMinimized) {
            EXPECT_EQ(pFrame->geometry(), QRect(40, 50, 640, 380));
        }
        EXPECT_EQ(pFrame->normalGeometry().size(), QSize(640, 380)) << c.nShowCmd;
        EXPECT_EQ(pFrame->m_nTimeFormat, 1);
        EXPECT_EQ(m_app.View()->m_nVolume, -2000);
        EXPECT_EQ(GetBarSlider(IDC_VOLUME)->value(), -2000);
        EXPECT_EQ(m_app.View()->m_crText, 0x0000FFu);
        EXPECT_EQ(m_app.View()->m_crBack, 0x00EEDDu);
        const QFontInfo info(m_app.View()->font());
        EXPECT_EQ(info.pixelSize(), 23);
        EXPECT_TRUE(info.bold());
        EXPECT_TRUE(info.italic());
        EXPECT_FALSE(m_app.Doc()->IsModified());
        m_app.Stop();
    }
}

TEST_F(SettingsRestartTest, ClosingWritesWhatIsInForceAndTheNextStartBringsItBack) {
    ASSERT_TRUE(m_app.Start());
    QFont font = m_app.View()->font();
    font.setPixelSize(19);
    m_app.View()->ApplyFont(font);
    m_app.Frame()->SetTimeFormat(1);
    m_app.View()->m_nVolume = -1200;
    m_app.Frame()->setGeometry(30, 60, 500, 300);
    Close();

    ASSERT_TRUE(m_app.Start());
    EXPECT_EQ(m_app.Frame()->geometry(), QRect(30, 60, 500, 300));
    EXPECT_EQ(m_app.Frame()->m_nTimeFormat, 1);
    EXPECT_EQ(m_app.View()->m_nVolume, -1200);
    EXPECT_EQ(QFontInfo(m_app.View()->font()).pixelSize(), 19);
    // A tag written now carries hundredths.
    m_app.LoadRecordedAudio(61230);
    m_app.Press(Qt::Key_Insert);
    EXPECT_EQ(m_app.Text(), "[01:01.23]");

    m_app.Frame()->showMaximized();
    m_app.SetText("");
    Close();
    ASSERT_TRUE(m_app.Start());
    EXPECT_TRUE(m_app.Frame()->isMaximized());
    EXPECT_EQ(m_app.Frame()->normalGeometry(), QRect(30, 60, 500, 300));
}

TEST_F(SettingsRestartTest, CancelAtTheSavePromptKeepsTheProgramButTheRecordIsWritten) {
    ASSERT_TRUE(m_app.Start());
    m_app.Press(Qt::Key_A);
    ASSERT_EQ(m_app.Text(), "a");
    ASSERT_TRUE(m_app.Doc()->IsModified());
    m_app.Frame()->SetTimeFormat(1);
    QString strPrompt;
    AnswerNextMessageBox("IDCANCEL", &strPrompt);
    m_app.Frame()->close();
    EXPECT_EQ(strPrompt, QStringLiteral("Save changes to Untitled?"));
    EXPECT_TRUE(m_app.Frame()->isVisible());
    EXPECT_FALSE(m_app.Frame()->IsDestroyed());
    const QByteArray stored = StoredXData();
    ASSERT_EQ(stored.size(), 120);
    XDataRecord record;
    ASSERT_TRUE(DecodeXData(reinterpret_cast<const uint8_t*>(stored.constData()), 120, record));
    EXPECT_EQ(record.timeFormat, 1);
    EXPECT_EQ(record.placement.length, 44u);

    // No closes it for good.
    AnswerNextMessageBox("IDNO");
    m_app.Frame()->close();
    EXPECT_TRUE(m_app.Frame()->IsDestroyed());
    EXPECT_FALSE(m_app.Frame()->isVisible());
}
} // namespace
