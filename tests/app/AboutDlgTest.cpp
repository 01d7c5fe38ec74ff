// The About box and the information box its hot key opens in Simplified Chinese.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/InfoDlg.h"
#include "app/Resource.h"
#include "platform/framework/MessageBox.h"
#include "tests/support/AppHarness.h"
#include "tests/support/ModalDialogs.h"

namespace {

void PressHotKey(QWidget* pWidget) {
    QTest::keyClick(pWidget, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
}

bool IsInfoBox(const QWidget* pWidget) {
    return pWidget && pWidget->objectName() == QLatin1String("CTestInfoDlg");
}

class AboutDlg : public ::testing::Test {
protected:
    // Opens the About box in the language of pszLang; fn drives it while it is open.
    void RunAbout(const char* pszLang, std::function<void(QWidget*)> fn) {
        CLocaleScope locale(pszLang);
        ASSERT_TRUE(m_app.Start());
        bool bSeen = false;
        WhenModalOpens([&](QWidget* pAbout) {
            bSeen = true;
            // Its shortcuts answer only once it is the active window, which a slow machine
            // may not have made it yet.
            EXPECT_TRUE(QTest::qWaitForWindowActive(pAbout));
            fn(pAbout);
            if (pAbout->isVisible()) {
                ADD_FAILURE() << "About box still open";
                pAbout->close();
            }
        });
        m_app.Execute(ID_APP_ABOUT);
        EXPECT_TRUE(bSeen);
        EXPECT_FALSE(g_bTestInfoOpen);
    }
    CRunningApp m_app;
};

TEST_F(AboutDlg, ShowsIconVersionAndOk) {
    RunAbout("en_US.UTF-8", [](QWidget* pAbout) {
        EXPECT_EQ(pAbout->windowTitle(), "About Versewright");
        QStringList texts;
        bool bIcon = false;
        for (QLabel* pLabel : pAbout->findChildren<QLabel*>()) {
            texts << pLabel->text();
            bIcon = bIcon || !pLabel->pixmap().isNull();
        }
        EXPECT_TRUE(texts.contains("Versewright Version 1.0"));
        EXPECT_TRUE(bIcon);
        auto* pOk = qobject_cast<QPushButton*>(FindDlgItem(pAbout, IDOK));
        ASSERT_TRUE(pOk);
        EXPECT_EQ(pOk->text(), "OK");
        QTest::mouseClick(pOk, Qt::LeftButton);
        EXPECT_FALSE(pAbout->isVisible());
    });
}

TEST_F(AboutDlg, HotKeyDoesNothingInEnglish) {
    RunAbout("en_US.UTF-8", [](QWidget* pAbout) {
        CModalWatch watch = WhenModalOpens([](QWidget* pOther) {
            ADD_FAILURE() << "a box opened";
            pOther->close();
        });
        PressHotKey(pAbout);
        QTest::qWait(50);
        watch.Stop();
        EXPECT_EQ(QApplication::activeModalWidget(), pAbout);
        QTest::keyClick(pAbout, Qt::Key_Escape); // Esc closes the About box
        EXPECT_FALSE(pAbout->isVisible());
    });
}

TEST_F(AboutDlg, HotKeyOpensOneInformationBoxInSimplifiedChinese) {
    // How the information box is closed: OK clicked, Enter, the caption's close button.
    const std::function<void(QWidget*)> closers[] = {
        [](QWidget* pInfo) { QTest::mouseClick(FindDlgItem(pInfo, IDOK), Qt::LeftButton); },
        [](QWidget* pInfo) { QTest::keyClick(FindDlgItem(pInfo, IDC_TEST_INFO), Qt::Key_Return); },
        [](QWidget* pInfo) { pInfo->close(); },
    };
    for (const auto& close : closers) {
        RunAbout("zh_CN.UTF-8", [&](QWidget* pAbout) {
            bool bInfoSeen = false;
            WhenModalOpens([&](QWidget* pInfo) {
                bInfoSeen = true;
                ASSERT_TRUE(IsInfoBox(pInfo));
                EXPECT_TRUE(g_bTestInfoOpen);
                EXPECT_EQ(pInfo->windowTitle(), "Test Information");
                auto* pText = qobject_cast<QPlainTextEdit*>(FindDlgItem(pInfo, IDC_TEST_INFO));
                ASSERT_TRUE(pText);
                EXPECT_TRUE(pText->isReadOnly());
                EXPECT_TRUE(pText->toPlainText().startsWith("Versewright 1.0"));
                // A second press shows no second box; Esc does not close this one.
                PressHotKey(pInfo);
                PressHotKey(pAbout);
                QTest::keyClick(FindDlgItem(pInfo, IDC_TEST_INFO), Qt::Key_Escape);
                QTest::qWait(50);
                EXPECT_EQ(QApplication::activeModalWidget(), pInfo);
                EXPECT_TRUE(pInfo->isVisible());
                close(pInfo);
                QTRY_VERIFY(!pInfo->isVisible());
            });
            PressHotKey(pAbout);
            EXPECT_TRUE(bInfoSeen);
            EXPECT_FALSE(g_bTestInfoOpen);
            EXPECT_TRUE(pAbout->isVisible()); // back in the About box
            QTest::keyClick(pAbout, Qt::Key_Return);
        });
    }
}

TEST(InfoBox, NeverOpensWhileAnotherIsOpen) {
    g_bTestInfoOpen = true;
    CModalWatch watch = WhenModalOpens([](QWidget* pOther) {
        ADD_FAILURE() << "a second box opened";
        pOther->close();
    });
    RunTestInfoDialog(nullptr); // returns at once instead of running a second box
    watch.Stop();
    EXPECT_TRUE(g_bTestInfoOpen); // still the first box's
    g_bTestInfoOpen = false;
}

TEST(InfoBox, TextIsAboutSeventeenHundredBytesInTheChineseCodePage) {
    CCodePage gbk;
    ASSERT_TRUE(CCodePage::FromName("CP936", gbk));
    QString text = QString::fromUtf8(TestInfoText());
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string bytes;
    EXPECT_TRUE(gbk.FromUnicode(std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<size_t>(text.size())),
                                bytes));
    EXPECT_GT(bytes.size(), 1500u);
    EXPECT_LT(bytes.size(), 1900u);
}

} // namespace
