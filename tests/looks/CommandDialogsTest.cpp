// The View menu's and the File menu's appearance and printing items: each is on the menu bar,
// enabled, and opens its dialog over the main window.
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "platform/SettingsStore.h"
#include "tests/gui/AppHarness.h"
#include "tests/looks/ModalDialogs.h"

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
        auto pCame = WhenModalOpens<QDialog>([&](QDialog* pDlg) {
            strClass = QString::fromLatin1(pDlg->metaObject()->className());
            pParent = pDlg->parentWidget();
            pDlg->reject();
        });
        pAction->trigger();
        ASSERT_TRUE(*pCame) << c.nId;
        EXPECT_EQ(strClass, QString::fromLatin1(c.pszDialog));
        EXPECT_EQ(pParent, app.Frame()) << c.nId;
    }
    // Nothing was changed by the cancelled dialogs.
    EXPECT_EQ(app.View()->m_crText, 0x000000u);
    EXPECT_EQ(app.View()->m_crBack, 0xFFFFFFu);
    EXPECT_FALSE(app.Doc()->IsModified());
}
} // namespace
