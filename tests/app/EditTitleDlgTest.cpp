// The header-tag dialog, opened by its command and driven with keys and buttons.
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/EditTitleDlg.h"
#include "app/Resource.h"
#include "tests/support/AppHarness.h"
#include "tests/support/ModalDialogs.h"

namespace {

QPushButton* ButtonOf(QWidget* pDlg, int nId) {
    return qobject_cast<QPushButton*>(FindDlgItem(pDlg, nId));
}

// Replaces the text of an edit by typing, as a user would.
void Type(QLineEdit* pEdit, const QString& text) {
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Delete);
    for (QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClicks(pEdit, QString(ch));
            continue;
        }
        // Characters beyond ASCII come through an input method.
        QInputMethodEvent commit;
        commit.setCommitString(QString(ch));
        QApplication::sendEvent(pEdit, &commit);
    }
}

class EditTitleDlg : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.Start()); }
    // Runs the command; fn drives the dialog while it is open.
    void RunDialog(std::function<void(QWidget*)> fn) {
        bool bSeen = false;
        WhenModalOpens([&](QWidget* pDlg) {
            bSeen = true;
            fn(pDlg);
            if (pDlg->isVisible()) { // a test that left it open
                ADD_FAILURE() << "dialog still open";
                ButtonOf(pDlg, IDCANCEL)->click();
            }
        });
        m_app.Execute(ID_EDIT_LRC_TITLE);
        EXPECT_TRUE(bSeen);
    }
    CRunningApp m_app;
};

TEST_F(EditTitleDlg, ShowsTheHeadersAndSetsTheOffsetEvenOnCancel) {
    const std::string text = "[ti:Song]\r\n[ar:Singer]\r\n[offset:-500]\r\n[00:01.00]la";
    m_app.SetText(text);
    m_app.View()->m_nOffset = 0;
    RunDialog([&](QWidget* pDlg) {
        EXPECT_EQ(EditOf(pDlg, IDC_TITLE)->text(), "Song");
        EXPECT_EQ(EditOf(pDlg, IDC_ARTIST)->text(), "Singer");
        EXPECT_EQ(EditOf(pDlg, IDC_ALBUM)->text(), "");
        EXPECT_EQ(EditOf(pDlg, IDC_OFFSET)->text(), "-500");
        EXPECT_EQ(m_app.View()->m_nOffset, -500); // at once, before any button
        EXPECT_EQ(pDlg->focusWidget(), EditOf(pDlg, IDC_TITLE));
        Type(EditOf(pDlg, IDC_TITLE), "Changed");
        QTest::keyClick(pDlg, Qt::Key_Escape);
    });
    EXPECT_EQ(m_app.Text(), text);
    EXPECT_EQ(m_app.View()->m_nOffset, -500);
    EXPECT_FALSE(m_app.Doc()->IsModified());
}

TEST_F(EditTitleDlg, OkWritesTheHeadersAsOneUndoStep) {
    const std::string text = "[ti:Old]\r\n[ar:X]\r\n[offset:300]\r\n[00:01.00]la";
    m_app.SetText(text);
    RunDialog([&](QWidget* pDlg) {
        Type(EditOf(pDlg, IDC_TITLE), "T");
        Type(EditOf(pDlg, IDC_ARTIST), "");
        Type(EditOf(pDlg, IDC_BY), "Me");
        Type(EditOf(pDlg, IDC_OFFSET), "0"); // no offset line
        QTest::mouseClick(ButtonOf(pDlg, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(m_app.Text(), "[ti:T]\r\n[by:Me]\r\n[00:01.00]la");
    m_app.Execute(ID_EDIT_UNDO);
    EXPECT_EQ(m_app.Text(), text);
}

TEST_F(EditTitleDlg, EnterConfirmsFromAnyField) {
    m_app.SetText("[00:01]la");
    RunDialog([&](QWidget* pDlg) {
        Type(EditOf(pDlg, IDC_ALBUM), "Al");
        Type(EditOf(pDlg, IDC_OFFSET), "+75");
        QTest::keyClick(EditOf(pDlg, IDC_OFFSET), Qt::Key_Return);
    });
    EXPECT_EQ(m_app.Text(), "[al:Al]\r\n[offset:75]\r\n[00:01]la");
}

TEST_F(EditTitleDlg, RefusesAnOffsetThatIsNoIntegerAndStaysOpen) {
    const struct {
        const char* pszTyped;
        bool bAccepted;
        const char* pszOffsetLine; // written on OK
    } cases[] = {
        {"12abc", false, ""},
        {"", false, ""},
        {"-0", false, ""},
        {"+", false, ""},
        {"1 2", false, ""},
        {" 0 ", true, ""},
        {" -7  ", true, "[offset:-7]\r\n"},
        {"9999999999", true, "[offset:2147483647]\r\n"}, // saturates
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszTyped);
        m_app.SetText("la");
        RunDialog([&](QWidget* pDlg) {
            QLineEdit* pOffset = EditOf(pDlg, IDC_OFFSET);
            Type(pOffset, QString::fromLatin1(c.pszTyped));
            QString strMessage;
            if (!c.bAccepted)
                AnswerNextMessageBox("IDOK", &strMessage);
            EditOf(pDlg, IDC_TITLE)->setFocus();
            QTest::mouseClick(ButtonOf(pDlg, IDOK), Qt::LeftButton);
            if (c.bAccepted)
                return;
            EXPECT_EQ(strMessage, "Please enter an integer.");
            EXPECT_TRUE(pDlg->isVisible());
            EXPECT_EQ(pDlg->focusWidget(), pOffset);
            EXPECT_EQ(pOffset->selectedText(), pOffset->text());
            ButtonOf(pDlg, IDCANCEL)->click();
        });
        EXPECT_EQ(m_app.Text(), std::string(c.pszOffsetLine) + "la");
    }
}

TEST_F(EditTitleDlg, LimitsWhatCanBeTyped) {
    m_app.SetText("");
    RunDialog([&](QWidget* pDlg) {
        for (int nId : {IDC_TITLE, IDC_ARTIST, IDC_ALBUM, IDC_BY}) {
            Type(EditOf(pDlg, nId), QString(300, QLatin1Char('a')));
            EXPECT_EQ(EditOf(pDlg, nId)->text().size(), 256) << nId;
        }
        Type(EditOf(pDlg, IDC_OFFSET), "12345678901");
        EXPECT_EQ(EditOf(pDlg, IDC_OFFSET)->text(), "1234567890");
        ButtonOf(pDlg, IDCANCEL)->click();
    });
}

TEST(DialogInt, FollowsTheFrameworksIntegerRule) {
    const struct {
        const char* pszText;
        bool bOk;
        int nValue;
    } cases[] = {
        {"0", true, 0},
        {" \t0\t ", true, 0},
        {"00", true, 0},
        {"+12", true, 12},
        {"-500", true, -500},
        {"2147483647", true, 2147483647},
        {"2147483648", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"-99999999999", true, -2147483647 - 1},
        {"", false, 0},
        {"  ", false, 0},
        {"-0", false, 0},
        {"+", false, 0},
        {"12abc", false, 0},
        {"1 2", false, 0},
        {"0x10", false, 0},
        {"1.5", false, 0},
        {"\u0661", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        int nValue = 12345;
        EXPECT_EQ(ParseDialogInt(QString::fromUtf8(c.pszText), &nValue), c.bOk);
        EXPECT_EQ(nValue, c.bOk ? c.nValue : 12345);
    }
}

TEST(EditTitleDlgLanguages, EachLanguageHasItsTemplate) {
    const struct {
        const char* pszLang;
        QString strCaption;
        QStringList labels;
        QString strOk, strCancel;
    } cases[] = {
        {"en_US.UTF-8",
         "Edit lrc title",
         {"Title:", "Artist:", "Album:", "By:", "Offset:"},
         "OK",
         "Cancel"},
        {"zh_CN.UTF-8",
         QStringLiteral("编辑LRC标题头"),
         {QStringLiteral("标题:"), QStringLiteral("演唱者:"), QStringLiteral("专辑:"),
          QStringLiteral("编辑者:"), QStringLiteral("偏移(ms):")},
         QStringLiteral("确定"),
         QStringLiteral("取消")},
        {"zh_TW.UTF-8",
         QStringLiteral("編輯LRC標題頭"),
         {QStringLiteral("標題:"), QStringLiteral("演唱者:"), QStringLiteral("專輯:"),
          QStringLiteral("編輯者:"), QStringLiteral("偏移(ms):")},
         QStringLiteral("確定"),
         QStringLiteral("取消")},
        {"es_ES.UTF-8",
         "Editar titulo lrc",
         {"Titulo:", "Artista:", "Album:", "Por:", "Desplazamiento:"},
         "Aceptar",
         "Cancelar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLang);
        CLocaleScope locale(c.pszLang);
        CRunningApp app;
        ASSERT_TRUE(app.Start());
        app.SetText("[ti:x]");
        bool bSeen = false;
        WhenModalOpens([&](QWidget* pDlg) {
            bSeen = true;
            EXPECT_EQ(pDlg->windowTitle(), c.strCaption);
            QStringList labels;
            for (QLabel* pLabel : pDlg->findChildren<QLabel*>())
                labels << pLabel->text();
            EXPECT_EQ(labels, c.labels);
            EXPECT_EQ(ButtonOf(pDlg, IDOK)->text(), c.strOk);
            EXPECT_EQ(ButtonOf(pDlg, IDCANCEL)->text(), c.strCancel);
            Type(EditOf(pDlg, IDC_TITLE), QStringLiteral("\u6B4C y"));
            ButtonOf(pDlg, IDOK)->click();
        });
        app.Execute(ID_EDIT_LRC_TITLE);
        EXPECT_TRUE(bSeen);
        EXPECT_EQ(app.View()->toPlainText(), QStringLiteral("[ti:\u6B4C y]\n"));
    }
}

TEST(EditTitleDlgAlone, WithoutAViewOpensEmptyAndChangesNothing) {
    ASSERT_EQ(g_pView, nullptr);
    CEditTitleDlg dlg;
    WhenModalOpens([&](QWidget* pDlg) {
        EXPECT_EQ(EditOf(pDlg, IDC_TITLE)->text(), "");
        EXPECT_EQ(EditOf(pDlg, IDC_OFFSET)->text(), "0");
        Type(EditOf(pDlg, IDC_TITLE), "T");
        ButtonOf(pDlg, IDOK)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strTitle, "T");
    EXPECT_EQ(dlg.m_nOffset, 0);
}

} // namespace
