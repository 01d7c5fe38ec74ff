// Start-up: the language chosen from the locale, the document template's resource set, and the
// one frame, document and view.
#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "platform/framework/DocTemplate.h"
#include "tests/support/AppHarness.h"

namespace {
TEST(StartUp, LocaleChoosesTheResourceSetOfTheTemplate) {
    struct {
        const char* pszLang;
        int nSet, nDialogBar, nTitleDlg, nLanguage;
    } const cases[] = {{"zh_HK.UTF-8", 141, 144, 147, 2},
                       {"zh_CN.UTF-8", 140, 143, 146, 1},
                       {"es_ES.UTF-8", 142, 145, 148, 3},
                       {"de_DE.UTF-8", 128, 131, 133, 0}};
    for (const auto& c : cases) {
        setenv("LANG", c.pszLang, 1);
        CRunningApp app;
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.App().GetDocTemplate()->GetResourceId(), c.nSet) << c.pszLang;
        EXPECT_EQ(app.Frame()->GetResourceId(), c.nSet) << c.pszLang;
        EXPECT_EQ(g_nDialogBarId, c.nDialogBar) << c.pszLang;
        EXPECT_EQ(g_nTitleDlgId, c.nTitleDlg) << c.pszLang;
        EXPECT_EQ(app.Frame()->m_nLanguage, c.nLanguage) << c.pszLang;
    }
    setenv("LANG", "en_US.UTF-8", 1);
}

TEST(StartUp, OneFrameDocumentAndViewPublishedAndGoneAfterwards) {
    {
        CRunningApp app;
        ASSERT_TRUE(app.Start());
        ASSERT_NE(g_pMainFrame, nullptr);
        ASSERT_NE(g_pView, nullptr);
        EXPECT_EQ(app.App().m_pMainWnd, g_pMainFrame);
        EXPECT_EQ(g_pView->GetDocument(), app.App().GetDocTemplate()->GetDocument());
        EXPECT_TRUE(g_pMainFrame->isVisible());
        EXPECT_TRUE(g_pMainFrame->acceptDrops());
        EXPECT_EQ(g_pMainFrame->GetAction(ID_EDIT_TIDY)->objectName(),
                  QStringLiteral("ID_EDIT_TIDY"));
    }
    EXPECT_EQ(g_pMainFrame, nullptr);
    EXPECT_EQ(g_pView, nullptr);
}

TEST(StartUp, AMissingFileOnTheCommandLineEndsStartUpAfterTheMessage) {
    QString strText;
    AnswerNextMessageBox("IDOK", &strText);
    CRunningApp app;
    EXPECT_FALSE(app.Start({QStringLiteral("/nonexistent/song.lrc")}));
    EXPECT_TRUE(strText.contains(QStringLiteral("Cannot find this file.")));
    EXPECT_EQ(g_pMainFrame, nullptr);
}
} // namespace

namespace {
TEST(StartUp, ExitEndsTheMessageLoop) {
    CRunningApp app;
    ASSERT_TRUE(app.Start());
    QTimer::singleShot(20, [&app] { app.Execute(ID_APP_EXIT); });
    EXPECT_EQ(app.App().Run(), 0);
    EXPECT_TRUE(app.Frame()->IsDestroyed());
}
} // namespace

namespace {
TEST(StartUp, QuitFromTheDesktopAsksToSaveAndCancelKeepsRunning) {
    CRunningApp app;
    ASSERT_TRUE(app.Start());
    app.Press(Qt::Key_A);
    bool bStillRunning = false;
    QTimer::singleShot(20, [] {
        AnswerNextMessageBox("IDCANCEL");
        QCoreApplication::quit();
    });
    QTimer::singleShot(300, [&app, &bStillRunning] {
        bStillRunning = !app.Frame()->IsDestroyed() && app.Frame()->isVisible();
        AnswerNextMessageBox("IDNO");
        app.Execute(ID_APP_EXIT);
    });
    EXPECT_EQ(app.App().Run(), 0);
    EXPECT_TRUE(bStillRunning);
    EXPECT_TRUE(app.Frame()->IsDestroyed());
}
} // namespace
