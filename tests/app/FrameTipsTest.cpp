#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

#include <memory>

#include "app/DialogTemplate.h"
#include "app/EditDialogBar.h"
#include "app/FrameTips.h"
#include "app/Resource.h"
#include "tests/app/TipProbe.h"

namespace {

const int kBarTemplates[] = {131, 143, 144, 145};

// A frame with a tool bar, a combo box on it, a menu and the control bar of a language.
struct CTipsFrame {
    explicit CTipsFrame(int nLanguage) {
        frame.setCentralWidget(new QWidget);
        toolBar = frame.addToolBar("Standard toolbar");
        for (int nId :
             {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_VIEW_SET_FONT, IDC_PLAY}) {
            QAction* pAction = toolBar->addAction(QString::number(nId));
            pAction->setData(nId);
        }
        combo = new QComboBox(toolBar);
        SetDlgCtrlId(combo, ID_TIME_FORMAT);
        toolBar->addWidget(combo);
        menu = frame.menuBar()->addMenu("&Edit");
        for (int nId :
             {ID_EDIT_UNDO, ID_EDIT_DEL_LINE_TAGS, ID_EDIT_LRC_TITLE, ID_FILE_MRU_FILE1}) {
            QAction* pAction = menu->addAction(QString::number(nId));
            pAction->setData(nId);
        }
        bar = new CEditDialogBar(kBarTemplates[nLanguage], &frame);
        frame.addDockWidget(Qt::BottomDockWidgetArea, bar);
        tips = new CFrameTips(&frame, nLanguage);
        tips->WatchMenuBar(frame.menuBar());
        tips->WatchControls(bar->widget());
        frame.resize(900, 500);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }

    QWidget* Button(int nId) const {
        for (QAction* pAction : toolBar->actions()) {
            if (pAction->data().toInt() == nId)
                return toolBar->widgetForAction(pAction);
        }
        return nullptr;
    }
    QString Status() const { return frame.statusBar()->currentMessage(); }

    QMainWindow frame;
    QToolBar* toolBar = nullptr;
    QComboBox* combo = nullptr;
    QMenu* menu = nullptr;
    CEditDialogBar* bar = nullptr;
    CFrameTips* tips = nullptr;
};

} // namespace

TEST(FrameTips, IdleTextInEveryLanguage) {
    const char* idle[] = {"Ready", "就绪", "就緒", "Preparado"};
    for (int nLanguage = 0; nLanguage < 4; ++nLanguage) {
        CTipsFrame f(nLanguage);
        EXPECT_EQ(f.Status(), QString::fromUtf8(idle[nLanguage]));
    }
}

TEST(FrameTips, ButtonsAndControlsByLanguage) {
    struct Case {
        int nLanguage;
        int nId;
        bool bControlBar;
        const char* prompt;
        const char* tip;
    };
    const Case cases[] = {
        {2, ID_FILE_SAVE, false, "儲存活動檔案", "儲存檔案"},
        {3, ID_FILE_PRINT, false, "Imprimir el documento activo", ""},
        {3, IDC_PLAY, true, "Reproducir música", " Reproducir música"},
        {3, IDC_ADD_TAG, true, "Añadir una marca de tiempo", " Añadir una marca de tiempo"},
        {2, IDC_PLAY, true, "播放音樂檔案", "播放"},
        {2, IDC_OPEN_AUDIO, true, "瀏覽并開啟音樂檔案", "開啟音樂檔案"},
        {0, ID_TIME_FORMAT, false, "Set time lable format", "Time lable format"},
        {3, ID_TIME_FORMAT, false, "Configurar formato tabla de tiempo",
         " Configurar formato tabla de tiempo"},
        // No row and no framework text: empty prompt, no tool tip.
        {2, IDC_VOLUME, true, "", ""},
        {0, ID_VIEW_SET_FONT, false, "", ""},
    };
    for (const Case& c : cases) {
        CTipsFrame f(c.nLanguage);
        QWidget* w = c.nId == ID_TIME_FORMAT ? f.combo
                     : c.bControlBar         ? f.bar->Control(c.nId)
                                             : f.Button(c.nId);
        ASSERT_NE(w, nullptr) << c.nId;
        EXPECT_EQ(HoverTip(w), QString::fromUtf8(c.tip)) << c.nLanguage << " " << c.nId;
        EXPECT_EQ(f.Status(), QString::fromUtf8(c.prompt)) << c.nLanguage << " " << c.nId;
        EXPECT_TRUE(LeaveTip(w));
        EXPECT_EQ(f.Status(), f.tips->MessageString(AFX_IDS_IDLEMESSAGE));
    }
}

TEST(FrameTips, ToolTipHandlerAnswers) {
    QMainWindow frame;
    CFrameTips tips(&frame, 3);
    QString tip = "x";
    EXPECT_FALSE(tips.OnToolTipText(IDC_VOLUME, tip));
    EXPECT_TRUE(tips.OnToolTipText(ID_FILE_PRINT, tip));
    EXPECT_EQ(tip, "");
    EXPECT_TRUE(tips.OnToolTipText(0, tip));
    EXPECT_EQ(tip, "");
    EXPECT_TRUE(tips.OnToolTipText(ID_FILE_MRU_FILE1 + 2, tip));
    // An explicit text is shown as it is.
    const QString text = "Loading";
    tips.OnSetMessageString(ID_FILE_SAVE, &text);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Loading");
}

TEST(FrameTips, MenuPrompts) {
    for (int nLanguage : {0, 1, 2, 3}) {
        CTipsFrame f(nLanguage);
        f.menu->popup(f.frame.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.menu));
        QAction* undo = f.menu->actions()[0];
        QAction* delLine = f.menu->actions()[1];
        QAction* recent = f.menu->actions()[3];
        f.menu->setActiveAction(undo);
        EXPECT_EQ(f.Status(), f.tips->MessageString(ID_EDIT_UNDO));
        EXPECT_FALSE(f.Status().isEmpty());
        f.menu->setActiveAction(delLine);
        EXPECT_EQ(f.Status(), "") << nLanguage;
        f.menu->setActiveAction(recent);
        EXPECT_EQ(f.Status(), "Open this document");
        f.menu->hide();
        QApplication::processEvents();
        EXPECT_EQ(f.Status(), f.tips->MessageString(AFX_IDS_IDLEMESSAGE));
    }
    CTipsFrame f(1);
    f.menu->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.menu));
    f.menu->setActiveAction(f.menu->actions()[2]);
    EXPECT_EQ(f.Status(), QString::fromUtf8("编辑LRC标题头"));
    f.menu->hide();
}
