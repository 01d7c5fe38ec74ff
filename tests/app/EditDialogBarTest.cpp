#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <string>
#include <vector>

#include "app/EditDialogBar.h"
#include "app/Resource.h"
#include "player/MediaPlayer.h"
#include "tests/support/RecordingBackend.h"

namespace {

// Records what the bar asks of the view.
class CRecordingView : public IDialogBarView {
public:
    void UpdatePlayPosition(uint32_t nPos, bool bForce) override {
        calls.push_back("show " + std::to_string(nPos) + (bForce ? " force" : ""));
    }
    void KillPlaybackTimer() override { calls.push_back("kill timer"); }
    void SetPlaybackTimer(int nIntervalMs) override {
        calls.push_back("timer " + std::to_string(nIntervalMs));
    }
    void SetKeptVolume(int32_t nVolume) override { nKeptVolume = nVolume; }

    std::vector<std::string> calls;
    int32_t nKeptVolume = 1;
};

const int kTemplates[] = {131, 143, 144, 145};

// The player calls of the recording backend that move or change it.
std::vector<std::string> PlayerMoves(const CRecordingScript& script) {
    std::vector<std::string> out;
    for (const std::string& call : script.Calls()) {
        if (call.rfind("SetPosition", 0) == 0 || call.rfind("SetVolume", 0) == 0)
            out.push_back(call);
    }
    return out;
}

QPoint HandleCentre(QSlider* pSlider) {
    QStyleOptionSlider opt;
    opt.initFrom(pSlider);
    opt.orientation = pSlider->orientation();
    opt.minimum = pSlider->minimum();
    opt.maximum = pSlider->maximum();
    opt.sliderPosition = pSlider->sliderPosition();
    opt.sliderValue = pSlider->value();
    opt.singleStep = pSlider->singleStep();
    opt.pageStep = pSlider->pageStep();
    opt.upsideDown = pSlider->invertedAppearance();
    opt.subControls = QStyle::SC_All;
    return pSlider->style()
        ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, pSlider)
        .center();
}

// A main window with the bar docked at the bottom, an open (recorded) song and a view.
class ControlBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_bSeeking = false;
        script.Install();
        ASSERT_EQ(MediaOpen(nullptr, "/tmp/song.mp3", 0), 1);
        frame.setCentralWidget(new QWidget);
        bar = new CEditDialogBar(131, &frame);
        bar->SetView(&view);
        frame.addDockWidget(Qt::BottomDockWidgetArea, bar);
        frame.resize(800, 500);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        progress = bar->ProgressSlider();
        ASSERT_NE(progress, nullptr);
        progress->setRange(0, 60000);
        progress->setValue(12000);
        progress->setEnabled(true);
        script.Clear();
    }
    void TearDown() override { MediaCloseAll(); }

    CRecordingScript script;
    CRecordingView view;
    QMainWindow frame;
    CEditDialogBar* bar = nullptr;
    QSlider* progress = nullptr;
};

} // namespace

TEST(ControlBar, DocksOnlyAtTheBottomAndFloats) {
    QMainWindow frame;
    auto* bar = new CEditDialogBar(131, &frame);
    EXPECT_EQ(bar->windowTitle(), "Edit dialogbar");
    EXPECT_EQ(bar->allowedAreas(), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(bar->isAreaAllowed(Qt::BottomDockWidgetArea));
    EXPECT_FALSE(bar->isAreaAllowed(Qt::TopDockWidgetArea));
    EXPECT_TRUE(bar->features() & QDockWidget::DockWidgetFloatable);
    EXPECT_NE(bar->Control(IDC_PROGRESS), nullptr);
    EXPECT_FALSE(bar->Control(IDC_PROGRESS)->isEnabled());
    EXPECT_EQ(bar->VolumeSlider()->minimum(), -2000);
    EXPECT_EQ(bar->VolumeSlider()->maximum(), 0);
    EXPECT_EQ(bar->VolumeSlider()->pageStep(), 200);
    EXPECT_EQ(bar->ProgressSlider()->pageStep(), 5000);
}

TEST(ControlBar, WideControlsEndTenPixelsShortDockedAndFloating) {
    for (int nTemplate : kTemplates) {
        QMainWindow frame;
        frame.setCentralWidget(new QWidget);
        auto* bar = new CEditDialogBar(nTemplate, &frame);
        frame.addDockWidget(Qt::BottomDockWidgetArea, bar);
        QWidget* pane = bar->widget();
        QWidget* play = bar->Control(IDC_PLAY);
        QWidget* file = bar->Control(IDC_AUDIO_FILE);
        frame.resize(900, 500);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        const QRect playBefore = play->geometry();
        const QRect fileBefore = file->geometry();
        for (int nWidth : {900, 1300, 1000}) {
            frame.resize(nWidth, 500);
            QApplication::processEvents();
            // Docked: as wide as the frame.
            EXPECT_GE(bar->width(), nWidth - 12) << nTemplate;
            for (int nId : {IDC_PROGRESS, IDC_NOW_TAG}) {
                const QRect r = bar->Control(nId)->geometry();
                EXPECT_EQ(r.x() + r.width(), pane->width() - 10) << nTemplate << " " << nId;
            }
            EXPECT_EQ(play->geometry(), playBefore);
            EXPECT_EQ(file->geometry(), fileBefore);
        }
        bar->setFloating(true);
        bar->resize(1100, bar->height());
        QApplication::processEvents();
        for (int nId : {IDC_PROGRESS, IDC_NOW_TAG}) {
            const QRect r = bar->Control(nId)->geometry();
            EXPECT_EQ(r.x() + r.width(), pane->width() - 10) << nTemplate << " floating " << nId;
        }
        // The frame's width no longer matters to a floating bar.
        frame.resize(700, 500);
        QApplication::processEvents();
        const QRect r = bar->Control(IDC_NOW_TAG)->geometry();
        EXPECT_EQ(r.x() + r.width(), pane->width() - 10) << nTemplate;
        EXPECT_GT(pane->width(), 1000) << nTemplate;
    }
}

TEST_F(ControlBarTest, DraggingShowsWithoutSeekingUntilRelease) {
    const QPoint from = HandleCentre(progress);
    QTest::mousePress(progress, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(progress, from + QPoint(60, 0));
    QTest::mouseMove(progress, from + QPoint(120, 0));
    EXPECT_TRUE(g_bSeeking);
    ASSERT_GE(view.calls.size(), 2u);
    EXPECT_EQ(view.calls.front(), "kill timer");
    // Each move is shown at the slider's position, and the player stays where it was.
    EXPECT_EQ(view.calls.back(), "show " + std::to_string(progress->sliderPosition()));
    EXPECT_GT(progress->sliderPosition(), 12000);
    EXPECT_TRUE(PlayerMoves(script).empty());
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "kill timer"), 1);

    QTest::mouseRelease(progress, Qt::LeftButton, Qt::NoModifier, from + QPoint(120, 0));
    EXPECT_FALSE(g_bSeeking);
    const std::vector<std::string> moves = PlayerMoves(script);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], "SetPosition " + std::to_string(progress->value() * 0.001));
    EXPECT_EQ(view.calls.back(), "timer 10");
}

TEST_F(ControlBarTest, KeysMoveTheSliderAndThePlayerFollows) {
    struct Case {
        Qt::Key key;
        int nStart;
        std::vector<std::string> shown; // view calls between the kill and the restart
        double dSeek;                   // seconds
    };
    const std::vector<Case> cases = {
        {Qt::Key_PageDown, 12000, {"show 17000"}, 17.0},
        {Qt::Key_PageUp, 12000, {"show 7000"}, 7.0},
        {Qt::Key_PageUp, 3000, {"show 0"}, 0.0},
        {Qt::Key_PageDown, 58000, {"show 60000"}, 60.0},
        {Qt::Key_Right, 12000, {"show 12001"}, 12.001},
        {Qt::Key_Left, 12000, {"show 11999"}, 11.999},
        {Qt::Key_Down, 12000, {"show 12001"}, 12.001},
        {Qt::Key_Up, 12000, {"show 11999"}, 11.999},
        {Qt::Key_Home, 12000, {}, 0.0}, // to the start: nothing shown, the end seeks
        {Qt::Key_End, 12000, {}, 60.0},
    };
    progress->setFocus();
    for (const Case& c : cases) {
        progress->setValue(c.nStart);
        view.calls.clear();
        script.Clear();
        QTest::keyClick(progress, c.key);
        std::vector<std::string> expected = {"kill timer"};
        expected.insert(expected.end(), c.shown.begin(), c.shown.end());
        expected.push_back("timer 10");
        EXPECT_EQ(view.calls, expected) << c.key;
        EXPECT_EQ(PlayerMoves(script),
                  std::vector<std::string>{"SetPosition " + std::to_string(c.dSeek)})
            << c.key;
        EXPECT_FALSE(g_bSeeking);
    }
}

TEST_F(ControlBarTest, GrooveClicksAndTheWheelEndWithASeek) {
    // A click right of the thumb pages on; letting go seeks.
    const QPoint handle = HandleCentre(progress);
    QTest::mousePress(progress, Qt::LeftButton, Qt::NoModifier, handle + QPoint(150, 0));
    EXPECT_TRUE(g_bSeeking);
    QTest::mouseRelease(progress, Qt::LeftButton, Qt::NoModifier, handle + QPoint(150, 0));
    EXPECT_FALSE(g_bSeeking);
    EXPECT_EQ(PlayerMoves(script), std::vector<std::string>{"SetPosition " + std::to_string(17.0)});
    EXPECT_EQ(view.calls.back(), "timer 10");

    // The wheel never leaves the slider seeking with the view's timer stopped.
    script.Clear();
    view.calls.clear();
    const QPoint at = HandleCentre(progress);
    QWheelEvent wheel(at, progress->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(progress, &wheel);
    QApplication::processEvents();
    EXPECT_FALSE(g_bSeeking);
    EXPECT_NE(progress->value(), 17000);
    EXPECT_EQ(PlayerMoves(script),
              std::vector<std::string>{"SetPosition " + std::to_string(progress->value() * 0.001)});
    ASSERT_FALSE(view.calls.empty());
    EXPECT_EQ(view.calls.front(), "kill timer");
    EXPECT_EQ(view.calls.back(), "timer 10");
}

TEST_F(ControlBarTest, VolumeSliderSetsThePlayerLive) {
    QSlider* volume = bar->VolumeSlider();
    volume->setValue(-1000);
    volume->setFocus();
    struct Case {
        Qt::Key key;
        int nExpected;
    };
    const Case cases[] = {
        {Qt::Key_PageDown, -800}, {Qt::Key_PageUp, -1000}, {Qt::Key_Home, -2000},
        {Qt::Key_PageUp, -2000},  {Qt::Key_End, 0},        {Qt::Key_PageDown, 0},
    };
    for (const Case& c : cases) {
        script.Clear();
        QTest::keyClick(volume, c.key);
        EXPECT_EQ(view.nKeptVolume, c.nExpected) << c.key;
        const std::vector<std::string> moves = PlayerMoves(script);
        ASSERT_FALSE(moves.empty()) << c.key;
        EXPECT_EQ(moves.back(), "SetVolume " + std::to_string(c.nExpected));
    }
    // The volume never touches the seeking state or the view's timer.
    EXPECT_FALSE(g_bSeeking);
    EXPECT_TRUE(view.calls.empty());
}
