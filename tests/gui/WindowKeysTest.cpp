// Keys as the user types them: the keypad on the control bar's sliders, menu mnemonics next to
// greyed or hidden items, and the recent-file placeholder of each language.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "app/EditDialogBar.h"
#include "app/Resource.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"

namespace {

class WindowKeysTest : public ::testing::Test {
protected:
    void Start(const char* pszLocale = "en_US.UTF-8") {
        qputenv("LANG", pszLocale);
        ASSERT_TRUE(m_app.Start());
        m_app.Frame()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_app.Frame()));
    }
    void TearDown() override {
        m_app.Stop();
        qputenv("LANG", "en_US.UTF-8");
    }
    QMenu* Menu(int nIndex) const {
        return m_app.Frame()->menuBar()->actions().at(nIndex)->menu();
    }
    QAction* Item(QMenu* pMenu, int nId) const {
        for (QAction* pAction : pMenu->actions())
            if (pAction->data().toInt() == nId)
                return pAction;
        return nullptr;
    }
    // Types a character into an open menu.
    static void Type(QMenu* pMenu, char ch) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A + (ch - 'a'), Qt::NoModifier,
                      QString(QLatin1Char(ch)));
        QApplication::sendEvent(pMenu, &key);
    }

    CRunningApp m_app;
};

TEST_F(WindowKeysTest, KeypadKeysMoveTheSlidersAsTheMainKeysDo) {
    Start();
    m_app.LoadRecordedAudio(0);
    m_app.View()->LoadAudio(QStringLiteral("song.mp3"));
    CEditDialogBar* pBar = m_app.Frame()->m_wndDialogBar;
    struct SRow {
        QSlider* pSlider;
        int nFrom;
        Qt::Key key;
        int nTo;
    };
    QSlider* pProgress = pBar->ProgressSlider();
    QSlider* pVolume = pBar->VolumeSlider();
    ASSERT_TRUE(pProgress->isEnabled());
    const SRow rows[] = {
        {pProgress, 60000, Qt::Key_PageDown, 65000}, {pProgress, 60000, Qt::Key_PageUp, 55000},
        {pProgress, 60000, Qt::Key_Down, 60001},     {pProgress, 60000, Qt::Key_Up, 59999},
        {pProgress, 60000, Qt::Key_Right, 60001},    {pProgress, 60000, Qt::Key_Left, 59999},
        {pProgress, 60000, Qt::Key_Home, 0},         {pVolume, -1000, Qt::Key_PageDown, -800},
        {pVolume, -1000, Qt::Key_PageUp, -1200},     {pVolume, -1000, Qt::Key_End, 0},
    };
    for (const SRow& row : rows) {
        for (Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::KeypadModifier}) {
            SCOPED_TRACE(testing::Message() << row.key << " keypad " << (modifiers != 0));
            row.pSlider->setValue(row.nFrom);
            QTest::keyClick(row.pSlider, row.key, modifiers);
            EXPECT_EQ(row.pSlider->value(), row.nTo);
            EXPECT_FALSE(g_bSeeking) << "the key's end of scroll seeks";
        }
    }
    EXPECT_EQ(m_app.View()->m_nVolume, 0);
}

TEST_F(WindowKeysTest, MnemonicOfAGreyedOrHiddenItemGoesToTheItemsAbove) {
    Start();
    m_app.LoadRecordedAudio(0);
    m_app.View()->LoadAudio(QStringLiteral("song.mp3"));
    constexpr int kFileMenu = 0;
    constexpr int kPlayMenu = 1;
    struct SRow {
        int nMenu;
        int nHidden; // an item hidden before the menu opens, or 0
        char ch;
        int nRuns; // the command the key carries out, or 0
    };
    const SRow rows[] = {
        {kPlayMenu, 0, 'p', IDC_PLAY},               // "&Pause" below is greyed
        {kPlayMenu, IDC_PAUSE, 'p', IDC_PLAY},       // and hidden
        {kFileMenu, ID_APP_EXIT, 'x', 0},            // "E&xit" hidden
        {kFileMenu, 0, 'z', 0},                      // nobody's mnemonic
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.ch << " hidden " << row.nHidden);
        QMenu* pMenu = Menu(row.nMenu);
        if (row.nHidden)
            Item(pMenu, row.nHidden)->setVisible(false);
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QAction* pAction : pMenu->actions())
            spies.push_back(std::make_unique<QSignalSpy>(pAction, &QAction::triggered));
        pMenu->popup(QPoint(10, 10));
        Type(pMenu, row.ch);
        QTest::qWait(20);
        for (size_t i = 0; i < spies.size(); ++i) {
            const int nId = pMenu->actions()[qsizetype(i)]->data().toInt();
            EXPECT_EQ(spies[i]->count(), nId == row.nRuns && row.nRuns ? 1 : 0) << nId;
        }
        pMenu->hide();
        if (row.nHidden)
            Item(pMenu, row.nHidden)->setVisible(true);
        m_app.Execute(ID_PLAY_STOP);
    }
    EXPECT_TRUE(m_app.Frame()->isVisible());
}

TEST_F(WindowKeysTest, EmptyRecentFileListShowsThePlaceholderOfTheLanguage) {
    struct SRow {
        const char* pszLocale;
        const char* pszPlaceholder;
    };
    const SRow rows[] = {
        {"en_US.UTF-8", "Recent File"},
        {"zh_CN.UTF-8", "最近的文件"},
        {"zh_TW.UTF-8", "最近使用的檔案"},
        {"es_ES.UTF-8", "Archivo reciente"},
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.pszLocale);
        QFile::remove(GetSettingsFilePath());
        Start(row.pszLocale);
        QMenu* pFile = Menu(0);
        for (int nOpened = 0; nOpened < 2; ++nOpened) {
            emit pFile->aboutToShow();
            QAction* pPlaceholder = Item(pFile, ID_FILE_MRU_FILE1);
            ASSERT_NE(pPlaceholder, nullptr);
            EXPECT_EQ(pPlaceholder->text(), QString::fromUtf8(row.pszPlaceholder));
            EXPECT_FALSE(pPlaceholder->isEnabled());
        }
        m_app.Stop();
    }
}

} // namespace
