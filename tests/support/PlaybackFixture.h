#pragma once
// The whole program with the audio control bar, for the tests that play songs: the base starts
// the program and its bar; RecordedPlaybackTest plays on the recording player, whose clock the
// test sets, for what the view does with the position.

#include <QSlider>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/EditDialogBar.h"
#include "app/Resource.h"
#include "player/MediaPlayer.h"
#include "tests/support/AppHarness.h"
#include "view/PlaybackControls.h"

class PlaybackFixture : public ::testing::Test {
protected:
    // Starts the program with the control bar watching the view, tags with hundredths.
    void StartWithBar() {
        ASSERT_TRUE(m_app.Start());
        m_pBar = GetEditDialogBar();
        if (!m_pBar) { // a frame without its bar still gets one to watch
            m_pBar = new CEditDialogBar(131, m_app.Frame());
            m_app.Frame()->addDockWidget(Qt::BottomDockWidgetArea, m_pBar);
        }
        m_pBar->SetView(View());
        m_app.Frame()->SetTimeFormat(1);
    }

    CVersewrightView* View() const { return m_app.View(); }
    // Runs the event loop until the condition holds; false after the timeout.
    static bool WaitFor(const std::function<bool()>& condition, int nTimeoutMs = 5000) {
        return QTest::qWaitFor(condition, nTimeoutMs);
    }
    QString BarText(int nId) const { return GetBarText(nId); }
    QSlider* Slider(int nId) const { return GetBarSlider(nId); }
    bool IsEnabled(int nId) { return m_app.Frame()->GetCommands().IsEnabled(nId); }

    CRunningApp m_app;
    CEditDialogBar* m_pBar = nullptr;
};

class RecordedPlaybackTest : public PlaybackFixture {
protected:
    void SetUp() override { StartWithBar(); }
    // Loads a song of that length on the recording player, as the Open audio command does.
    bool Load(uint32_t nLengthMs = 8000) {
        m_app.Script().durationSeconds = nLengthMs / 1000.0;
        View()->LoadAudio(QStringLiteral("/music/long.mp3"));
        return View()->m_bAudioLoaded != 0;
    }
    // Moves the player's clock, as the song would while it plays.
    void SetClock(uint32_t nMs) { m_app.SetPosition(nMs); }
};
