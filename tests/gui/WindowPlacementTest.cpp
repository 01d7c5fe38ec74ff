// The window's place across restarts where the stored placement cannot be taken as it is.
#include <QFile>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"

namespace {

class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(GetSettingsFilePath()); }
    void TearDown() override {
        m_app.Stop();
        QFile::remove(GetSettingsFilePath());
    }
    void Restart() {
        m_app.Frame()->close();
        m_app.Stop();
        ASSERT_TRUE(m_app.Start());
    }
    CRunningApp m_app;
};

TEST_F(WindowPlacementTest, MinimisedFromMaximisedComesBackMaximised) {
    ASSERT_TRUE(m_app.Start());
    m_app.Frame()->showMaximized();
    m_app.Frame()->setWindowState(m_app.Frame()->windowState() | Qt::WindowMinimized);
    Restart();
    EXPECT_TRUE(m_app.Frame()->isMinimized());
    m_app.Frame()->setWindowState(m_app.Frame()->windowState() & ~Qt::WindowMinimized);
    EXPECT_TRUE(m_app.Frame()->isMaximized()) << "restored as it was before it was minimised";
}

TEST_F(WindowPlacementTest, RectangleNoScreenShowsFallsBackToTheFirstRunPlace) {
    ASSERT_TRUE(m_app.Start());
    const QRect rcFirstRun = m_app.Frame()->geometry();
    const QRect rcScreen = m_app.Frame()->screen()->availableGeometry();
    m_app.Stop();
    struct SRow {
        QRect rcStored;
        bool bKept;
    };
    const SRow rows[] = {
        {QRect(rcScreen.right() + 200, 100, 600, 400), false},  // right of every screen
        {QRect(-5000, -4000, 600, 400), false},                 // above and left of them
        {QRect(rcScreen.right() - 20, 100, 600, 400), false},   // a sliver of 20 pixels
        {QRect(rcScreen.right() - 100, 40, 600, 400), true},    // enough to grab and move it
        {QRect(30, 40, 500, 300), true},
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.rcStored.x() << "," << row.rcStored.y());
        XDataRecord record;
        record.placement.showCmd = SW_SHOWNORMAL;
        record.placement.rcNormalLeft = row.rcStored.left();
        record.placement.rcNormalTop = row.rcStored.top();
        record.placement.rcNormalRight = row.rcStored.left() + row.rcStored.width();
        record.placement.rcNormalBottom = row.rcStored.top() + row.rcStored.height();
        ASSERT_TRUE(SaveXData(record));
        ASSERT_TRUE(m_app.Start());
        EXPECT_EQ(m_app.Frame()->geometry(), row.bKept ? row.rcStored : rcFirstRun);
        m_app.Stop();
    }
}

} // namespace
