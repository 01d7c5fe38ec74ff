#pragma once
// The timing panel, docked below the editor above the audio control bar: the waveform strip,
// the speed with its buttons, the nudge and replay buttons and the reaction time. It follows
// the view (song, play position, time tags, caret line) on a short timer while it is shown.

#include <QDockWidget>
#include <QTimer>
#include <utility>
#include <vector>

#include "doc/NowTag.h"

class CPeakLoader;
class CWaveformView;
class QAbstractButton;
class QLabel;
class QSpinBox;

class CTimingPanel : public QDockWidget {
public:
    CTimingPanel(QWidget* pParent, int nLanguage);
    ~CTimingPanel() override;

    // The buttons with the commands they give, for the frame to bind.
    const std::vector<std::pair<QAbstractButton*, int>>& Buttons() const { return m_buttons; }
    CWaveformView* Waveform() const { return m_pWave; }
    CPeakLoader* Loader() const { return m_pLoader; }
    QSpinBox* ReactionBox() const { return m_pReaction; }
    QLabel* SpeedLabel() const { return m_pSpeed; }
    QLabel* StatusLabel() const { return m_pStatus; }

    // Brings everything shown up to date with the view now.
    void Refresh();
    // Settings store: shown or not, the zoom, the reaction time.
    static bool StoredVisible();
    void StoreVisible(bool bVisible) const;

    static constexpr int kRefreshMs = 40;
    static constexpr int kMaxReactionMs = 500;

protected:
    void showEvent(QShowEvent* pEvent) override;
    // The dock's own close button: remembered as hidden.
    void closeEvent(QCloseEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;

private:
    QAbstractButton* AddButton(const QString& strText, int nId, const QString& strTip);
    void RebuildMarkers();
    void ShowLoaderState();
    void OnMoveMarker(size_t nMarker, uint32_t nPosition);

    int m_nLanguage;
    CWaveformView* m_pWave = nullptr;
    CPeakLoader* m_pLoader = nullptr;
    QLabel* m_pSpeed = nullptr;
    int m_nSpeedShown = 0; // the percentage the speed label shows
    QLabel* m_pStatus = nullptr;
    QSpinBox* m_pReaction = nullptr;
    QTimer m_timer;
    std::vector<std::pair<QAbstractButton*, int>> m_buttons;
    // The tags the markers stand for, in the same order.
    std::vector<STimeTagSpan> m_tags;
    bool m_bTagsDirty = true;
    int32_t m_nOffset = 0;
};
