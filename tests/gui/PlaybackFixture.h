#pragma once
// The whole program with the real GStreamer player (fakeaudiosink) and the audio control bar,
// for the tests that play songs.

#include <QSlider>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/EditDialogBar.h"
#include "app/Resource.h"
#include "player/GstMediaBackend.h"
#include "player/MediaPlayer.h"
#include "tests/support/AppHarness.h"
#include "tests/support/TestAudio.h"
#include "view/PlaybackControls.h"

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CTestAudio::Get().Error(), "");
        ASSERT_TRUE(m_app.Start());
        // Every later MediaOpen plays through GStreamer into a clock-synced fake sink.
        MediaSetBackendFactory(GstMediaBackendFactory("fakeaudiosink"));
        m_pBar = GetEditDialogBar();
        if (!m_pBar) { // a frame without its bar still gets one to watch
            m_pBar = new CEditDialogBar(131, m_app.Frame());
            m_app.Frame()->addDockWidget(Qt::BottomDockWidgetArea, m_pBar);
        }
        m_pBar->SetView(View());
        m_app.Frame()->SetTimeFormat(1);
    }

    CVersewrightView* View() const { return m_app.View(); }
    static QString SongPath(const char* pszName) {
        return QString::fromStdString(CTestAudio::Get().Path(pszName));
    }
    bool Load(const char* pszName) {
        View()->LoadAudio(SongPath(pszName));
        return View()->m_bAudioLoaded != 0;
    }
    // Runs the event loop until the condition holds; false after the timeout.
    static bool WaitFor(const std::function<bool()>& condition, int nTimeoutMs = 5000) {
        return QTest::qWaitFor(condition, nTimeoutMs);
    }
    static bool WaitForPosition(uint32_t nMs) {
        return WaitFor([nMs] { return MediaGetPosition(nullptr) >= nMs; });
    }
    QString BarText(int nId) const { return GetBarText(nId); }
    QSlider* Slider(int nId) const { return GetBarSlider(nId); }
    bool IsEnabled(int nId) { return m_app.Frame()->GetCommands().IsEnabled(nId); }

    CRunningApp m_app;
    CEditDialogBar* m_pBar = nullptr;
};
