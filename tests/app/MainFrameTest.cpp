// The main frame in the running program: menu bar and keys of each language, tool bar, time
// format box, status bar, bar toggles and help.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "app/ResourceSet.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"

// Takes the URLs the program hands to the desktop.
class CUrlCatcher : public QObject {
    Q_OBJECT
public:
    CUrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~CUrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

namespace {

struct SLanguage {
    const char* pszLang;
    int nSetId;
    const char* pszHelp;
};
const SLanguage kLanguages[] = {{"en_US.UTF-8", 128, "versewright_enu.html"},
                                {"zh_CN.UTF-8", 140, "versewright_chs.html"},
                                {"zh_HK.UTF-8", 141, "versewright_cht.html"},
                                {"es_ES.UTF-8", 142, "versewright_xby.html"}};

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(GetSettingsFilePath()); }
    void TearDown() override {
        m_app.Stop();
        setenv("LANG", "en_US.UTF-8", 1);
        QFile::remove(GetSettingsFilePath());
    }
    void StartIn(const SLanguage& language) {
        setenv("LANG", language.pszLang, 1);
        ASSERT_TRUE(m_app.Start());
    }
    QAction* MenuItem(int nMenu, int nId) const {
        for (QAction* pAction : m_app.Frame()->menuBar()->actions().at(nMenu)->menu()->actions())
            if (pAction->data().toInt() == nId && !pAction->isSeparator())
                return pAction;
        return nullptr;
    }
    CRunningApp m_app;
};

TEST_F(MainFrameTest, MenuBarOfEachLanguageIsItsResourceSetOnTheCommandTable) {
    // Commands that must be handled by now: the frame's own and those of the editor.
    const int kHandled[] = {
        ID_FILE_NEW,  ID_FILE_SAVE,    ID_FILE_SAVE_AS,    ID_APP_EXIT,     ID_EDIT_UNDO,
        ID_EDIT_CUT,  ID_EDIT_COPY,    ID_EDIT_PASTE,      IDC_ADD_TAG,     ID_EDIT_DEL_NOW_TAG,
        ID_EDIT_TIDY, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_HELP_CONTENTS};
    for (const SLanguage& language : kLanguages) {
        SCOPED_TRACE(language.pszLang);
        StartIn(language);
        CResourceSet set;
        ASSERT_TRUE(set.Load(language.nSetId));
        const QList<QAction*> menus = m_app.Frame()->menuBar()->actions();
        ASSERT_EQ(menus.size(), set.Menu().size());
        for (qsizetype m = 0; m < menus.size(); ++m) {
            EXPECT_EQ(menus[m]->text(), set.Menu()[m].strText);
            const QList<QAction*> items = menus[m]->menu()->actions();
            ASSERT_EQ(items.size(), set.Menu()[m].items.size());
            for (qsizetype i = 0; i < items.size(); ++i) {
                const SMenuEntry& entry = set.Menu()[m].items[i];
                EXPECT_EQ(items[i]->isSeparator(), entry.bSeparator);
                if (entry.bSeparator)
                    continue;
                EXPECT_EQ(items[i]->text(), entry.strText);
                EXPECT_EQ(items[i]->data().toInt(), entry.nId);
                // An item is the command's own action whenever the table has the command;
                // a stand-in otherwise, and then greyed.
                QAction* pCommand = m_app.Frame()->GetAction(entry.nId);
                EXPECT_TRUE(pCommand ? items[i] == pCommand : !items[i]->isEnabled())
                    << entry.strText.toStdString();
            }
        }
        for (int nId : kHandled)
            EXPECT_NE(m_app.Frame()->GetAction(nId), nullptr) << nId;
        m_app.Stop();
    }
}

TEST_F(MainFrameTest, AcceleratorsOfTheSetWorkFromInsideTheEditor) {
    StartIn(kLanguages[0]);
    CResourceSet set;
    ASSERT_TRUE(set.Load(128));
    const auto& table = m_app.Frame()->GetAccelerators();
    ASSERT_EQ(table.size(), size_t(set.Accelerators().size()));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].key, set.Accelerators()[qsizetype(i)].key[0]);
        EXPECT_EQ(table[i].nId, set.Accelerators()[qsizetype(i)].nCommand);
    }

    struct SRow {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::string expected; // text afterwards
    };
    // Each row starts from "ab|cd" with "cd" selected (caret before c, anchor at the end).
    const SRow rows[] = {
        {Qt::Key_Delete, Qt::ShiftModifier, "ab"},     // cut
        {Qt::Key_Insert, Qt::ControlModifier, "abcd"}, // copy
        {Qt::Key_A, Qt::ControlModifier, "abcd"},      // select all text
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.key);
        m_app.SetText("abcd");
        QTextCursor cursor = m_app.View()->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        m_app.View()->setTextCursor(cursor);
        QApplication::clipboard()->clear();
        m_app.Press(row.key, row.modifiers);
        EXPECT_EQ(m_app.Text(), row.expected);
        if (row.key == Qt::Key_A)
            EXPECT_EQ(m_app.View()->textCursor().selectedText(), "abcd");
        else
            EXPECT_EQ(QApplication::clipboard()->text(), "cd");
    }
    // Undo with Alt+Backspace, paste with Shift+Insert, a tag with Insert.
    m_app.SetText("abcd");
    m_app.SetCaret(0, 4);
    m_app.Press(Qt::Key_X);
    m_app.Press(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(m_app.Text(), "abcd");
    QApplication::clipboard()->setText(QStringLiteral("Z"));
    m_app.Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(m_app.Text(), "abcdZ");
    m_app.LoadRecordedAudio(5000);
    m_app.SetCaret(0, 0);
    m_app.Press(Qt::Key_Insert);
    EXPECT_EQ(m_app.Text(), "[00:05]abcdZ");
}

TEST_F(MainFrameTest, ToolBarButtonsInOrderWithTheFormatBoxAndNoBottomDock) {
    StartIn(kLanguages[0]);
    EXPECT_EQ(m_app.Frame()->windowIcon().availableSizes(),
              QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    QToolBar* pBar = m_app.Frame()->m_wndToolBar;
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->windowTitle(), "Standard toolbar");
    EXPECT_EQ(pBar->iconSize(), QSize(20, 20));
    EXPECT_FALSE(pBar->isAreaAllowed(Qt::BottomToolBarArea));
    for (Qt::ToolBarArea area : {Qt::LeftToolBarArea, Qt::TopToolBarArea, Qt::RightToolBarArea})
        EXPECT_TRUE(pBar->isAreaAllowed(area));
    // The tool bar docks around the view, inside the frame.
    auto* pDock = qobject_cast<QMainWindow*>(pBar->parentWidget());
    ASSERT_NE(pDock, nullptr);
    EXPECT_EQ(pDock->toolBarArea(pBar), Qt::TopToolBarArea);

    const int kOrder[] = {ID_FILE_NEW,       ID_FILE_OPEN,
                          ID_FILE_SAVE,      0,
                          ID_EDIT_CUT,       ID_EDIT_COPY,
                          ID_EDIT_PASTE,     0,
                          ID_TIME_FORMAT,    0,
                          ID_EDIT_LRC_TITLE, 0,
                          IDC_PLAY,          IDC_PAUSE,
                          IDC_BACK,          IDC_FORWARD,
                          ID_PLAY_STOP,      0,
                          ID_FILE_PRINT,     0,
                          ID_APP_ABOUT};
    const QList<QAction*> actions = pBar->actions();
    ASSERT_EQ(actions.size(), qsizetype(std::size(kOrder)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (kOrder[i] == 0) {
            EXPECT_TRUE(actions[i]->isSeparator()) << i;
        } else if (kOrder[i] == ID_TIME_FORMAT) {
            EXPECT_EQ(pBar->widgetForAction(actions[i]), m_app.Frame()->m_wndTimeFormatCombo);
        } else {
            EXPECT_EQ(actions[i]->data().toInt(), kOrder[i]) << i;
            EXPECT_FALSE(actions[i]->icon().isNull()) << i;
        }
    }
    QComboBox* pCombo = m_app.Frame()->m_wndTimeFormatCombo;
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->width(), 98);
    ASSERT_EQ(pCombo->count(), 2);
    EXPECT_EQ(pCombo->itemText(0), "[00:00]");
    EXPECT_EQ(pCombo->itemText(1), "[00:00.00]");
    EXPECT_EQ(pCombo->currentIndex(), 0);
}

TEST_F(MainFrameTest, HundredthsChosenInTheBoxTagNextAndSurviveARestart) {
    StartIn(kLanguages[0]);
    m_app.SetText("[00:01]a\r\nb");
    QComboBox* pCombo = m_app.Frame()->m_wndTimeFormatCombo;
    QTest::keyClick(pCombo, Qt::Key_Down); // the user picks the second item
    EXPECT_EQ(m_app.Frame()->m_nTimeFormat, 1);
    m_app.LoadRecordedAudio(3450);
    m_app.SetCaret(1, 0);
    m_app.Press(Qt::Key_Insert);
    EXPECT_EQ(m_app.Text(), "[00:01]a\r\n[00:03.45]b") << "tags already written keep their form";
    m_app.SetText("");
    m_app.Frame()->close();
    m_app.Stop();

    StartIn(kLanguages[0]);
    EXPECT_EQ(m_app.Frame()->m_nTimeFormat, 1);
    EXPECT_EQ(m_app.Frame()->m_wndTimeFormatCombo->currentIndex(), 1);
    QTest::keyClick(m_app.Frame()->m_wndTimeFormatCombo, Qt::Key_Up);
    EXPECT_EQ(m_app.Frame()->m_nTimeFormat, 0);
}

TEST_F(MainFrameTest, StatusBarHasTheMessagePaneAndThreeLockIndicators) {
    StartIn(kLanguages[0]);
    QStatusBar* pStatus = m_app.Frame()->m_wndStatusBar;
    ASSERT_EQ(pStatus, m_app.Frame()->statusBar());
    const QList<QLabel*> panes = pStatus->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    QStringList names;
    for (QLabel* pPane : panes)
        if (!pPane->objectName().isEmpty())
            names << pPane->objectName();
    // The document adds the pane of its code page.
    EXPECT_EQ(names, QStringList({"CAP", "NUM", "SCRL", "CodePageIndicator"}));
    // The offscreen platform does not tell the lock states: the panes stay empty.
    for (QLabel* pPane : panes) {
        if (pPane->objectName() != QStringLiteral("CodePageIndicator")) {
            EXPECT_TRUE(pPane->text().isEmpty());
        }
    }
}

TEST_F(MainFrameTest, BarTogglesHideAndShowWithTheirChecks) {
    StartIn(kLanguages[0]);
    CMainFrame* pFrame = m_app.Frame();
    struct SRow {
        int nId;
        QWidget* pBar;
    };
    constexpr int kViewMenu = 3;
    for (const SRow& row : {SRow{ID_VIEW_TOOLBAR, pFrame->m_wndToolBar},
                            SRow{ID_VIEW_STATUS_BAR, pFrame->m_wndStatusBar}}) {
        SCOPED_TRACE(row.nId);
        QAction* pItem = MenuItem(kViewMenu, row.nId);
        ASSERT_NE(pItem, nullptr);
        QMenu* pView = pFrame->menuBar()->actions().at(kViewMenu)->menu();
        pView->popup(QPoint(0, 0));
        EXPECT_TRUE(pItem->isChecked());
        pView->hide();
        EXPECT_TRUE(m_app.Execute(row.nId));
        EXPECT_FALSE(row.pBar->isVisible());
        pView->popup(QPoint(0, 0));
        EXPECT_FALSE(pItem->isChecked()) << "the check goes with the bar";
        pView->hide();
        EXPECT_TRUE(m_app.Execute(row.nId));
        EXPECT_TRUE(row.pBar->isVisible());
    }
}

TEST_F(MainFrameTest, F1OpensTheHelpPageOfTheLanguageBesideTheProgram) {
    CUrlCatcher catcher;
    QTemporaryDir elsewhere;
    const QString strOldDir = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    for (const SLanguage& language : kLanguages) {
        SCOPED_TRACE(language.pszLang);
        StartIn(language);
        catcher.urls.clear();
        m_app.Press(Qt::Key_F1);
        ASSERT_EQ(catcher.urls.size(), 1);
        const QString strExpected = QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                                    QString::fromLatin1(language.pszHelp);
        EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(strExpected));
        EXPECT_TRUE(QFile::exists(strExpected));
        m_app.Stop();
    }
    QDir::setCurrent(strOldDir);
}

TEST_F(MainFrameTest, PopupShowsTheCommandStatesOfTheMomentItOpens) {
    StartIn(kLanguages[0]);
    constexpr int kEditMenu = 2;
    QMenu* pEdit = m_app.Frame()->menuBar()->actions().at(kEditMenu)->menu();
    QAction* pCut = MenuItem(kEditMenu, ID_EDIT_CUT);
    const QColor crText =
        QApplication::palette("QMenu").color(QPalette::Active, QPalette::WindowText);
    const auto inkOfCut = [&] {
        pEdit->popup(QPoint(0, 0));
        const QImage image = pEdit->grab().toImage();
        const QRect rc = pEdit->actionGeometry(pCut);
        int n = 0;
        for (int y = rc.top(); y <= rc.bottom(); ++y)
            for (int x = rc.left(); x < rc.left() + 80; ++x)
                n += image.pixelColor(x, y) == crText;
        pEdit->hide();
        return n;
    };
    m_app.SetText("abcd");
    m_app.SetCaret(0, 1);
    EXPECT_EQ(inkOfCut(), 0) << "no selection: Cut is drawn disabled";
    EXPECT_FALSE(pCut->isEnabled());
    m_app.View()->selectAll();
    EXPECT_GT(inkOfCut(), 0) << "drawn enabled on the first paint after the selection";
    EXPECT_TRUE(pCut->isEnabled());
    EXPECT_NE(m_app.Frame()->MenuHelper().ItemData(pEdit, pCut), nullptr);
}

} // namespace

#include "MainFrameTest.moc"
