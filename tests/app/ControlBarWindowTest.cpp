// The audio control bar, its View command and the tool tips and status prompts, through the
// program's own window in each interface language.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/DialogTemplate.h"
#include "app/EditDialogBar.h"
#include "app/Resource.h"
#include "tests/app/TipProbe.h"
#include "tests/support/AppHarness.h"

namespace {

// The program in the language of a locale name.
class WindowTest : public ::testing::Test {
protected:
    void Start(const char* pszLocale) {
        qputenv("LANG", pszLocale);
        ASSERT_TRUE(m_app.Start());
        m_app.Frame()->resize(900, 600);
        m_app.Frame()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_app.Frame()));
    }
    void TearDown() override {
        m_app.Stop();
        qputenv("LANG", "en_US.UTF-8");
    }

    CEditDialogBar* Bar() const { return m_app.Frame()->m_wndDialogBar; }
    QString Status() const { return m_app.Frame()->statusBar()->currentMessage(); }
    // The menu item of a command, and the menu that holds it.
    QAction* MenuAction(int nId, QMenu** ppMenu) const {
        for (QAction* pMenuAction : m_app.Frame()->menuBar()->actions()) {
            QMenu* pMenu = pMenuAction->menu();
            for (QAction* pAction : pMenu ? pMenu->actions() : QList<QAction*>()) {
                if (pAction->data().toInt() == nId) {
                    *ppMenu = pMenu;
                    return pAction;
                }
            }
        }
        return nullptr;
    }
    // The tool bar's button of a command, or the widget in its place.
    QWidget* ToolBarWidget(int nId) const {
        QToolBar* pToolBar = m_app.Frame()->m_wndToolBar;
        for (QAction* pAction : pToolBar->actions()) {
            QWidget* pWidget = pToolBar->widgetForAction(pAction);
            if (pAction->data().toInt() == nId || DlgCtrlId(pWidget) == nId)
                return pWidget;
        }
        return nullptr;
    }

    CRunningApp m_app;
};

} // namespace

TEST_F(WindowTest, BarAndIdleTextFollowTheInterfaceLanguage) {
    struct Case {
        const char* pszLocale;
        const char* pszPlay;
        const char* pszIdle;
    };
    const Case cases[] = {
        {"en_US.UTF-8", "Play", "Ready"},
        {"zh_CN.UTF-8", "播放", "就绪"},
        {"zh_TW.UTF-8", "播放", "就緒"},
        {"es_ES.UTF-8", "Reproducir", "Preparado"},
    };
    for (const Case& c : cases) {
        Start(c.pszLocale);
        ASSERT_NE(Bar(), nullptr);
        EXPECT_EQ(m_app.Frame()->dockWidgetArea(Bar()), Qt::BottomDockWidgetArea);
        auto* pPlay = qobject_cast<QPushButton*>(Bar()->Control(IDC_PLAY));
        ASSERT_NE(pPlay, nullptr);
        EXPECT_EQ(pPlay->text(), QString::fromUtf8(c.pszPlay)) << c.pszLocale;
        EXPECT_EQ(Status(), QString::fromUtf8(c.pszIdle)) << c.pszLocale;
        EXPECT_EQ(Bar()->VolumeSlider()->minimum(), -2000);
        // A frame with room for it shows the whole template's height.
        EXPECT_EQ(Bar()->widget()->height(), Bar()->widget()->sizeHint().height()) << c.pszLocale;
        m_app.Stop();
    }
}

TEST_F(WindowTest, ViewCommandTogglesTheBar) {
    Start("en_US.UTF-8");
    QAction* pToggle = m_app.Frame()->GetAction(ID_VIEW_EDIT_DIALOGBAR);
    ASSERT_NE(pToggle, nullptr);
    m_app.Frame()->GetCommands().UpdateAll();
    EXPECT_TRUE(pToggle->isChecked());
    for (bool bVisible : {false, true, false, true}) {
        EXPECT_TRUE(m_app.Execute(ID_VIEW_EDIT_DIALOGBAR));
        EXPECT_EQ(Bar()->isVisible(), bVisible);
        EXPECT_EQ(pToggle->isChecked(), bVisible);
    }
    // Shown again, the wide controls still end 10 pixels short of the bar's edge.
    QApplication::processEvents();
    const QRect rc = Bar()->Control(IDC_NOW_TAG)->geometry();
    EXPECT_EQ(rc.x() + rc.width(), Bar()->widget()->width() - 10);
    EXPECT_GE(Bar()->width(), m_app.Frame()->width() - 12);
}

TEST_F(WindowTest, ButtonsAreCommandsWithTheirUpdateRules) {
    Start("en_US.UTF-8");
    m_app.SetText("first\r\nsecond");
    m_app.SetCaret(1, 3);
    auto* pAdd = qobject_cast<QPushButton*>(Bar()->Control(IDC_ADD_TAG));
    ASSERT_NE(pAdd, nullptr);
    m_app.Frame()->GetCommands().UpdateAll();
    EXPECT_FALSE(pAdd->isEnabled()); // no audio yet
    QTest::mouseClick(pAdd, Qt::LeftButton);
    EXPECT_EQ(m_app.Text(), "first\r\nsecond");

    m_app.LoadRecordedAudio(83456);
    m_app.Frame()->GetCommands().UpdateAll();
    EXPECT_TRUE(pAdd->isEnabled());
    QTest::mouseClick(pAdd, Qt::LeftButton);
    EXPECT_EQ(m_app.Text(), "first\r\n[01:23]second");
}

TEST_F(WindowTest, TipsAndPromptsInTraditionalChinese) {
    Start("zh_TW.UTF-8");
    CMainFrame* pFrame = m_app.Frame();
    QWidget* pSave = ToolBarWidget(ID_FILE_SAVE);
    ASSERT_NE(pSave, nullptr);
    EXPECT_EQ(HoverTip(pSave), QString::fromUtf8("儲存檔案"));
    EXPECT_EQ(Status(), QString::fromUtf8("儲存活動檔案"));
    EXPECT_TRUE(LeaveTip(pSave));
    EXPECT_EQ(Status(), QString::fromUtf8("就緒"));

    QWidget* pPlay = Bar()->Control(IDC_PLAY);
    EXPECT_EQ(HoverTip(pPlay), QString::fromUtf8("播放"));
    EXPECT_EQ(Status(), QString::fromUtf8("播放音樂檔案"));
    EXPECT_TRUE(LeaveTip(pPlay));
    EXPECT_EQ(Status(), QString::fromUtf8("就緒"));

    // The volume slider has neither a row nor a framework text: no tool tip at all.
    QWidget* pVolume = Bar()->Control(IDC_VOLUME);
    QString strTip;
    EXPECT_FALSE(pFrame->OnToolTipText(IDC_VOLUME, strTip));
    EXPECT_EQ(HoverTip(pVolume), "");
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(LeaveTip(pVolume));
}

TEST_F(WindowTest, TipsAndPromptsInSpanish) {
    Start("es_ES.UTF-8");
    // Print has a prompt and no tool tip.
    QWidget* pPrint = ToolBarWidget(ID_FILE_PRINT);
    ASSERT_NE(pPrint, nullptr);
    EXPECT_EQ(HoverTip(pPrint), "");
    EXPECT_EQ(Status(), "Imprimir el documento activo");
    EXPECT_TRUE(LeaveTip(pPrint));
    QWidget* pCombo = ToolBarWidget(ID_TIME_FORMAT);
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(HoverTip(pCombo), " Configurar formato tabla de tiempo");
    EXPECT_EQ(Status(), "Configurar formato tabla de tiempo");
    EXPECT_TRUE(LeaveTip(pCombo));

    QWidget* pPlay = Bar()->Control(IDC_PLAY);
    EXPECT_EQ(HoverTip(pPlay), QString::fromUtf8(" Reproducir música"));
    EXPECT_EQ(Status(), QString::fromUtf8("Reproducir música"));
    EXPECT_TRUE(LeaveTip(pPlay));
    EXPECT_EQ(Status(), "Preparado");
}

TEST_F(WindowTest, MenuPromptsWhileItemsAreHighlighted) {
    struct Case {
        const char* pszLocale;
        const char* pszNew;
        const char* pszIdle;
    };
    const Case cases[] = {
        {"zh_TW.UTF-8", "創建LRC新檔案", "就緒"},
        {"es_ES.UTF-8", "Crear un nuevo documento LRC", "Preparado"},
        {"en_US.UTF-8", "Create a new LRC document", "Ready"},
    };
    for (const Case& c : cases) {
        Start(c.pszLocale);
        // "Del all time tag in line" has no text in any language.
        for (const auto& [nId, pszPrompt] :
             {std::pair{ID_FILE_NEW, c.pszNew}, std::pair{ID_EDIT_DEL_LINE_TAGS, ""}}) {
            QMenu* pMenu = nullptr;
            QAction* pItem = MenuAction(nId, &pMenu);
            ASSERT_NE(pItem, nullptr) << nId;
            pMenu->popup(m_app.Frame()->mapToGlobal(QPoint(20, 20)));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(pMenu));
            pMenu->setActiveAction(pItem);
            EXPECT_EQ(Status(), QString::fromUtf8(pszPrompt)) << c.pszLocale << " " << nId;
            pMenu->hide();
            QApplication::processEvents();
        }
        EXPECT_EQ(Status(), QString::fromUtf8(c.pszIdle)) << c.pszLocale;
        m_app.Stop();
    }
}

TEST_F(WindowTest, TimeFormatBoxInEnglish) {
    Start("en_US.UTF-8");
    QWidget* pCombo = ToolBarWidget(ID_TIME_FORMAT);
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(HoverTip(pCombo), "Time lable format");
    EXPECT_EQ(Status(), "Set time lable format");
    EXPECT_TRUE(LeaveTip(pCombo));
    EXPECT_EQ(Status(), "Ready");
}

TEST_F(WindowTest, SlidersReachTheView) {
    Start("en_US.UTF-8");
    QSlider* pVolume = Bar()->VolumeSlider();
    pVolume->setValue(-1000);
    pVolume->setFocus();
    QTest::keyClick(pVolume, Qt::Key_PageDown);
    // The kept volume is what the frame saves at close.
    EXPECT_EQ(m_app.View()->m_nVolume, -800);
    QTest::keyClick(pVolume, Qt::Key_Home);
    EXPECT_EQ(m_app.View()->m_nVolume, -2000);
}
