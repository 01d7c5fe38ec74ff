#pragma once
// The audio control bar docked along the bottom of the main frame: audio file, volume slider,
// progress slider with the elapsed time, the now tag, and the transport buttons. Its buttons are
// commands of the frame; of its own it only keeps its wide controls as wide as the bar and turns
// slider movements into seeking and volume changes.

#include <QDockWidget>
#include <QList>

#include <cstdint>

class QPushButton;
class QSlider;

// True from the first movement of the progress slider until it is let go.
extern bool g_bSeeking;

// Trackbar notification codes (WM_HSCROLL) that the sliders' movements are mapped onto.
enum : int {
    TB_LINEUP = 0,
    TB_LINEDOWN = 1,
    TB_PAGEUP = 2,
    TB_PAGEDOWN = 3,
    TB_THUMBPOSITION = 4,
    TB_THUMBTRACK = 5,
    TB_TOP = 6,
    TB_BOTTOM = 7,
    TB_ENDTRACK = 8,
};

// What the bar needs of the editor view while the user moves its sliders; the view implements it
// (the playback timer is the view's) and the frame hands it to the bar.
class IDialogBarView {
public:
    virtual ~IDialogBarView() = default;
    // Shows a play position (time field, now tag) without moving the player.
    virtual void UpdatePlayPosition(uint32_t nPos, bool bForce) = 0;
    virtual void KillPlaybackTimer() = 0;
    virtual void SetPlaybackTimer(int nIntervalMs) = 0;
    // The volume the view keeps (and the frame saves at close).
    virtual void SetKeptVolume(int32_t nVolume) = 0;
};

class CEditDialogBar : public QDockWidget {
    Q_OBJECT
public:
    // Control-bar id of the bar (its View menu command).
    static constexpr int kBarId = 32771;

    // Builds the bar from a control-bar template (131, 143, 144 or 145).
    explicit CEditDialogBar(int nTemplateId, QWidget* pParent = nullptr);

    // The view the sliders talk to; null leaves the player calls only.
    void SetView(IDialogBarView* pView) { m_pView = pView; }
    // The bar's push buttons; each is a command with its control id, routed by the frame.
    QList<QPushButton*> Buttons() const;

    // Keeps the progress slider and the now-tag field ending 10 pixels short of the bar's right
    // edge. A docked bar is already as wide as the frame (the bottom dock area spans the frame's
    // client width), so the bar's own width is the edge in both states; the frame's client size
    // is accepted for callers that pass it.
    void LayoutControls(int nWidth, int nHeight);

    // A control of the bar by id (IDC_PROGRESS, IDC_VOLUME, IDC_NOW_TAG, ...), or null.
    QWidget* Control(int nId) const;
    QSlider* ProgressSlider() const { return m_pProgress; }
    QSlider* VolumeSlider() const { return m_pVolume; }

    // A slider notification, as the trackbar sends it.
    void OnHScroll(int nSBCode, int nPos, QSlider* pScrollBar);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnTopLevelChanged(bool bFloating);
    void ConnectSlider(QSlider* pSlider);
    void OnSliderAction(QSlider* pSlider, int nAction);
    void Notify(QSlider* pSlider, int nCode);

    QWidget* m_pContent = nullptr;
    QWidget* m_pGripper = nullptr;
    QSlider* m_pProgress = nullptr;
    QSlider* m_pVolume = nullptr;
    QWidget* m_pNowTag = nullptr;
    IDialogBarView* m_pView = nullptr;
};
