// The control bar as it is drawn and laid out in the running program.
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/EditDialogBar.h"
#include "app/Resource.h"
#include "tests/support/AppHarness.h"

namespace {

class BarLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_app.Start());
        m_app.Frame()->resize(900, 600);
        m_app.Frame()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_app.Frame()));
    }
    CEditDialogBar* Bar() const { return m_app.Frame()->m_wndDialogBar; }

    CRunningApp m_app;
};

TEST_F(BarLayoutTest, ButtonsAreDrawnWithABorder) {
    const QList<QPushButton*> buttons = Bar()->Buttons();
    ASSERT_EQ(buttons.size(), 7);
    for (QPushButton* pButton : buttons) {
        // A flat button leaves the rows above and below its text in the bar's colour.
        const QImage image = pButton->grab().toImage();
        const QRgb rgbBar = pButton->palette().color(QPalette::Window).rgb();
        int nInk = 0;
        for (int y : {1, 2, image.height() - 3, image.height() - 2})
            for (int x = 0; x < image.width(); ++x)
                nInk += image.pixel(x, y) != rgbBar;
        EXPECT_GT(nInk, image.width()) << pButton->text().toStdString();
    }
}

TEST_F(BarLayoutTest, DockedBarHasOnlyAGripperFloatingBarItsTitle) {
    const auto shownButtons = [this] {
        int n = 0;
        for (QAbstractButton* pButton : Bar()->findChildren<QAbstractButton*>())
            n += pButton->isVisible() && !Bar()->widget()->isAncestorOf(pButton);
        return n;
    };
    for (bool bFloating : {false, true, false}) {
        SCOPED_TRACE(bFloating);
        Bar()->setFloating(bFloating);
        QTest::qWait(20);
        EXPECT_EQ(Bar()->windowTitle(), QStringLiteral("Edit dialogbar"));
        if (bFloating) {
            EXPECT_EQ(Bar()->titleBarWidget(), nullptr);
            for (QPushButton* pButton : Bar()->Buttons()) {
                const QRect rc(pButton->mapTo(Bar(), QPoint(0, 0)), pButton->size());
                EXPECT_TRUE(Bar()->rect().contains(rc)) << "below the title, still in view";
            }
            continue;
        }
        ASSERT_NE(Bar()->titleBarWidget(), nullptr);
        EXPECT_TRUE(Bar()->titleBarWidget()->isVisible());
        EXPECT_LT(Bar()->titleBarWidget()->width(), 16) << "a gripper at the left, no title";
        EXPECT_EQ(shownButtons(), 0) << "no float or close button";
    }
}

TEST_F(BarLayoutTest, DockedBarSpansTheFrameWhereverTheToolBarDocks) {
    QToolBar* pToolBar = m_app.Frame()->m_wndToolBar;
    auto* pHost = qobject_cast<QMainWindow*>(pToolBar->parentWidget());
    ASSERT_NE(pHost, nullptr);
    for (Qt::ToolBarArea area : {Qt::LeftToolBarArea, Qt::RightToolBarArea, Qt::TopToolBarArea}) {
        SCOPED_TRACE(area);
        pHost->addToolBar(area, pToolBar);
        QTest::qWait(20);
        EXPECT_EQ(pHost->toolBarArea(pToolBar), area);
        EXPECT_EQ(Bar()->geometry().left(), 0);
        EXPECT_EQ(Bar()->width(), m_app.Frame()->width());
        for (int nId : {IDC_PROGRESS, IDC_NOW_TAG}) {
            const QWidget* pControl = Bar()->Control(nId);
            const int nRight = pControl->mapTo(Bar(), QPoint(pControl->width(), 0)).x();
            EXPECT_EQ(nRight, Bar()->width() - 10) << nId;
        }
    }
}

TEST_F(BarLayoutTest, AudioFileFieldShowsTheFileNameOfALongPath) {
    const QString strPath = "/music/" + QString("a rather long folder name/").repeated(7) +
                            "song.mp3";
    m_app.LoadRecordedAudio(0);
    m_app.View()->LoadAudio(strPath);
    auto* pField = qobject_cast<QLineEdit*>(Bar()->Control(IDC_AUDIO_FILE));
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->text(), strPath);
    // The field keeps its caret in view.
    EXPECT_EQ(pField->cursorPosition(), strPath.size());
}

} // namespace
