// The framework's command routing, update rules and accelerator translation, on a small table
// of its own.
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "platform/framework/Accelerators.h"
#include "platform/framework/CommandManager.h"

namespace {
struct CLogTarget : CCmdTarget {
    explicit CLogTarget(std::string name, std::vector<std::string>* pLog)
        : m_name(std::move(name)), m_pLog(pLog) {}
    void OnCmd() { m_pLog->push_back(m_name); }
    void OnUpdate(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnabled); }
    void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bEnabled ? 1 : 0); }
    std::string m_name;
    std::vector<std::string>* m_pLog;
    bool m_bEnabled = true;
};
struct CViewT : CLogTarget {
    using CLogTarget::CLogTarget;
};
struct CDocT : CLogTarget {
    using CLogTarget::CLogTarget;
};
struct CFrameT : CLogTarget {
    using CLogTarget::CLogTarget;
};
struct CAppT : CLogTarget {
    using CLogTarget::CLogTarget;
};

enum { ID_BOTH = 100, ID_APP_ONLY, ID_RULE_LATER, ID_NOBODY, ID_RULED, ID_CHECK, ID_DOC_FRAME };

const CCommandEntry kTable[] = {
    ON_COMMAND(App, ID_BOTH, CAppT, OnCmd),
    ON_COMMAND(View, ID_BOTH, CViewT, OnCmd),
    ON_COMMAND(App, ID_APP_ONLY, CAppT, OnCmd),
    ON_COMMAND(View, ID_RULE_LATER, CViewT, OnCmd),
    ON_UPDATE_COMMAND_UI(Frame, ID_RULE_LATER, CFrameT, OnUpdate),
    ON_UPDATE_COMMAND_UI(App, ID_NOBODY, CAppT, OnUpdateCheck),
    ON_COMMAND_UPDATE(View, ID_RULED, CViewT, OnCmd, OnUpdate),
    ON_COMMAND_UPDATE(Frame, ID_CHECK, CFrameT, OnCmd, OnUpdateCheck),
    ON_COMMAND(Frame, ID_DOC_FRAME, CFrameT, OnCmd),
    ON_COMMAND(Document, ID_DOC_FRAME, CDocT, OnCmd),
};

class CommandRouterTest : public ::testing::Test {
protected:
    CommandRouterTest()
        : m_view("view", &m_log), m_doc("doc", &m_log), m_frame("frame", &m_log),
          m_app("app", &m_log), m_commands(
                                    kTable, [this](CmdTarget t) { return Resolve(t); }, nullptr) {}
    CCmdTarget* Resolve(CmdTarget target) {
        switch (target) {
        case CmdTarget::View:
            return m_bHasView ? &m_view : nullptr;
        case CmdTarget::Document:
            return &m_doc;
        case CmdTarget::Frame:
            return &m_frame;
        case CmdTarget::App:
            return &m_app;
        }
        return nullptr;
    }
    std::vector<std::string> m_log;
    CViewT m_view;
    CDocT m_doc;
    CFrameT m_frame;
    CAppT m_app;
    bool m_bHasView = true;
    CCommandManager m_commands;
};

TEST_F(CommandRouterTest, FirstHandlerOnTheRouteRuns) {
    struct {
        int nId;
        bool bHasView;
        const char* pszRan;
    } const cases[] = {{ID_BOTH, true, "view"},
                       {ID_BOTH, false, "app"},
                       {ID_APP_ONLY, true, "app"},
                       {ID_DOC_FRAME, true, "doc"},
                       {ID_NOBODY, true, nullptr}};
    for (const auto& c : cases) {
        m_log.clear();
        m_bHasView = c.bHasView;
        EXPECT_EQ(m_commands.Execute(c.nId), c.pszRan != nullptr) << c.nId;
        EXPECT_EQ(m_log, c.pszRan ? std::vector<std::string>{c.pszRan} : std::vector<std::string>{})
            << c.nId;
    }
}

TEST_F(CommandRouterTest, UpdateRulesDecide) {
    m_frame.m_bEnabled = false;
    m_view.m_bEnabled = true;
    EXPECT_FALSE(m_commands.IsEnabled(ID_RULE_LATER)); // a later rule still decides
    EXPECT_TRUE(m_commands.IsEnabled(ID_BOTH));        // no rule, a handler: enabled
    EXPECT_FALSE(m_commands.IsEnabled(9999));          // not in the table
    m_bHasView = false;
    EXPECT_FALSE(m_commands.IsEnabled(ID_RULED)); // its only handler's object is gone
    const CCmdUI check = m_commands.QueryState(ID_CHECK);
    EXPECT_TRUE(check.m_bCheckable);
    EXPECT_EQ(check.m_nCheck, 0);
}

TEST_F(CommandRouterTest, DisabledCommandIsNeverExecutedFromActionOrButton) {
    m_view.m_bEnabled = false;
    EXPECT_FALSE(m_commands.Execute(ID_RULED));
    QAction* pAction = m_commands.GetAction(ID_RULED);
    ASSERT_NE(pAction, nullptr);
    EXPECT_EQ(pAction->objectName(), QStringLiteral("ID_RULED"));
    EXPECT_EQ(pAction->data().toInt(), ID_RULED);
    pAction->setEnabled(true); // a stale state does not let it through
    pAction->trigger();
    EXPECT_FALSE(pAction->isEnabled()); // and the stale state is put right
    QPushButton button;
    m_commands.BindButton(&button, ID_RULED);
    EXPECT_FALSE(button.isEnabled());
    button.setEnabled(true);
    button.click();
    EXPECT_TRUE(m_log.empty());
    EXPECT_FALSE(button.isEnabled());
    m_view.m_bEnabled = true;
    m_commands.UpdateAll();
    button.click();
    EXPECT_EQ(m_log, std::vector<std::string>{"view"});
}

TEST_F(CommandRouterTest, StatesFollowMenusTheIdleTimerAndEachCommand) {
    QMenu menu;
    menu.addAction(m_commands.GetAction(ID_RULED));
    m_commands.HookMenu(&menu);
    m_commands.UpdateAll();
    EXPECT_TRUE(m_commands.GetAction(ID_RULED)->isEnabled());
    m_view.m_bEnabled = false;
    emit menu.aboutToShow();
    EXPECT_FALSE(m_commands.GetAction(ID_RULED)->isEnabled());

    m_view.m_bEnabled = true;
    m_commands.StartIdleUpdates(5);
    QTest::qWait(50);
    EXPECT_TRUE(m_commands.GetAction(ID_RULED)->isEnabled());

    m_frame.m_bEnabled = true;
    m_commands.Execute(ID_CHECK);
    EXPECT_TRUE(m_commands.GetAction(ID_CHECK)->isChecked());
}

TEST(AcceleratorKeys, ParseTheTableNames) {
    struct {
        const char* pszText;
        QKeyCombination key;
    } const cases[] = {
        {"Insert", QKeyCombination(Qt::Key_Insert)},
        {"Ctrl+Insert", QKeyCombination(Qt::ControlModifier, Qt::Key_Insert)},
        {"Shift+Delete", QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete)},
        {"Alt+Backspace", QKeyCombination(Qt::AltModifier, Qt::Key_Backspace)},
        {"Ctrl+Enter", QKeyCombination(Qt::ControlModifier, Qt::Key_Return)},
        {"Esc", QKeyCombination(Qt::Key_Escape)},
        {"Shift+F6", QKeyCombination(Qt::ShiftModifier, Qt::Key_F6)},
        {"Ctrl+A", QKeyCombination(Qt::ControlModifier, Qt::Key_A)},
    };
    for (const auto& c : cases) {
        QKeyCombination key;
        ASSERT_TRUE(ParseAcceleratorKey(c.pszText, key)) << c.pszText;
        EXPECT_EQ(key, c.key) << c.pszText;
    }
    QKeyCombination key;
    EXPECT_FALSE(ParseAcceleratorKey("Ctrl+", key));
}

TEST_F(CommandRouterTest, AcceleratorsAreTakenBeforeTheFocusedChildSeesThem) {
    QWidget frame;
    auto* pEdit = new QLineEdit(&frame);
    CAcceleratorFilter filter(&frame, &m_commands);
    QKeyCombination insert, ctrlA;
    ParseAcceleratorKey("Insert", insert);
    ParseAcceleratorKey("Ctrl+A", ctrlA);
    filter.SetTable({{insert, ID_BOTH}, {ctrlA, ID_RULED}});
    pEdit->setText(QStringLiteral("abc"));

    QTest::keyClick(pEdit, Qt::Key_Insert);
    EXPECT_EQ(m_log, std::vector<std::string>{"view"});
    // Disabled: the key is still taken, and the line edit does not select all.
    m_view.m_bEnabled = false;
    pEdit->deselect();
    QTest::keyClick(pEdit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(pEdit->hasSelectedText());
    EXPECT_EQ(m_log.size(), 1u);
    // A key that is no accelerator goes on to the widget; the keypad's Enter is Enter.
    QTest::keyClick(pEdit, Qt::Key_X);
    EXPECT_EQ(pEdit->text(), QStringLiteral("abcx"));

    // A dialog over the frame keeps its keys.
    QDialog dialog(&frame);
    auto* pDialogEdit = new QLineEdit(&dialog);
    QTest::keyClick(pDialogEdit, Qt::Key_Insert);
    EXPECT_EQ(m_log.size(), 1u);
}
} // namespace
