// The View menu's and the File menu's appearance and printing items: each is on the menu bar,
// enabled, and opens its dialog over the main window, in the interface language.
#include <QFile>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"
#include "tests/support/ModalDialogs.h"

namespace {
QAction* FindMenuAction(QMenuBar* pBar, int nId) {
    for (QAction* pTop : pBar->actions()) {
        if (!pTop->menu())
            continue;
        for (QAction* pItem : pTop->menu()->actions()) {
            if (!pItem->isSeparator() && pItem->data().toInt() == nId)
                return pItem;
        }
    }
    return nullptr;
}

TEST(CommandDialogsTest, MenuItemsOpenTheirDialogsOverTheMainWindow) {
    QFile::remove(GetSettingsFilePath());
    CRunningApp app;
    ASSERT_TRUE(app.Start());
    const struct {
        int nId;
        const char* pszDialog;
    } cases[] = {
        {ID_VIEW_SET_FONT, "QFontDialog"},
        {ID_VIEW_TEXT_COLOR, "QColorDialog"},
        {ID_VIEW_BK_COLOR, "QColorDialog"},
        {ID_FILE_PRINT, "QPrintDialog"},
        {ID_FILE_PRINT_PREVIEW, "QPrintPreviewDialog"},
        {ID_FILE_PRINT_SETUP, "QPageSetupDialog"},
    };
    for (const auto& c : cases) {
        QAction* pAction = FindMenuAction(app.Frame()->menuBar(), c.nId);
        ASSERT_NE(pAction, nullptr) << c.nId;
        for (QMenu* pMenu : app.Frame()->menuBar()->findChildren<QMenu*>())
            emit pMenu->aboutToShow();
        EXPECT_TRUE(pAction->isEnabled()) << c.nId;
        QString strClass;
        QWidget* pParent = nullptr;
        const CModalWatch watch = WhenModalOpens<QDialog>([&](QDialog* pDlg) {
            strClass = QString::fromLatin1(pDlg->metaObject()->className());
            pParent = pDlg->parentWidget();
            pDlg->reject();
        });
        pAction->trigger();
        ASSERT_TRUE(watch.Came()) << c.nId;
        EXPECT_EQ(strClass, QString::fromLatin1(c.pszDialog));
        EXPECT_EQ(pParent, app.Frame()) << c.nId;
    }
    // Nothing was changed by the cancelled dialogs.
    EXPECT_EQ(app.View()->m_crText, 0x000000u);
    EXPECT_EQ(app.View()->m_crBack, 0xFFFFFFu);
    EXPECT_FALSE(app.Doc()->IsModified());
}
TEST(CommandDialogsTest, DialogsSpeakTheInterfaceLanguage) {
    const struct {
        const char* pszLang;
        const char* pszTitle;
    } cases[] = {
        {"es_ES.UTF-8", "Seleccionar un tipo de letra"},
        {"zh_CN.UTF-8", "选择字体"},
        {"zh_HK.UTF-8", "選擇字型"},
        // The translation goes with the window that installed it.
        {"en_US.UTF-8", "Select Font"},
    };
    for (const auto& c : cases) {
        setenv("LANG", c.pszLang, 1);
        CRunningApp app;
        ASSERT_TRUE(app.Start());
        QString strTitle;
        const CModalWatch watch = WhenModalOpens<QFontDialog>([&strTitle](QFontDialog* pDlg) {
            strTitle = pDlg->windowTitle();
            pDlg->reject();
        });
        app.Execute(ID_VIEW_SET_FONT);
        EXPECT_TRUE(watch.Came());
        EXPECT_EQ(strTitle, QString::fromUtf8(c.pszTitle)) << c.pszLang;
    }
    setenv("LANG", "en_US.UTF-8", 1);
}
} // namespace
