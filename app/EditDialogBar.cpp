#include "app/EditDialogBar.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>

#include "app/DialogTemplate.h"
#include "app/Resource.h"
#include "player/MediaPlayer.h"

bool g_bSeeking = false;

namespace {

// Distance between the wide controls and the bar's right edge.
constexpr int kRightGap = 10;
constexpr int kVolumeMin = -2000;
constexpr int kVolumePage = 200;
constexpr int kProgressPage = 5000;
// After a seek the view's timer runs at once, then at its own pace.
constexpr int kSeekRestartMs = 10;

// The pane holding the template's controls: it asks for the template's size, and in a frame too
// small for it, it clips its controls rather than keep the frame from the size the user gave it.
class CDialogBarPane : public QWidget {
public:
    explicit CDialogBarPane(QWidget* pParent) : QWidget(pParent) {}
    void SetTemplateSize(const QSize& size) { m_sizeTemplate = size; }
    QSize sizeHint() const override { return m_sizeTemplate; }
    QSize minimumSizeHint() const override { return QSize(0, 0); }

private:
    QSize m_sizeTemplate;
};

// The docked bar's only decoration: a gripper along its left edge to drag it by. Mouse
// presses are left to the bar, which moves and floats as dragged.
class CDialogBarGripper : public QWidget {
public:
    explicit CDialogBarGripper(QWidget* pParent) : QWidget(pParent) {
        setObjectName(QStringLiteral("Gripper"));
    }
    QSize sizeHint() const override {
        return QSize(style()->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, this), 0);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        option.state |= QStyle::State_Horizontal;
        painter.drawPrimitive(QStyle::PE_IndicatorToolBarHandle, option);
    }
};

// The trackbar code of a slider action; -1 for SliderNoAction.
int TrackbarCode(int nAction) {
    switch (nAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return TB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return TB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return TB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return TB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
        return TB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return TB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return TB_THUMBTRACK;
    default:
        return -1;
    }
}

// Page Down and the down arrow move a trackbar towards its maximum, Page Up and the up arrow
// towards its minimum (a QSlider has them the other way round); SliderNoAction for other keys.
QAbstractSlider::SliderAction TrackbarKeyAction(int nKey) {
    switch (nKey) {
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_Down:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_Up:
        return QAbstractSlider::SliderSingleStepSub;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

bool IsNavigationKey(int nKey) {
    switch (nKey) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

CEditDialogBar::CEditDialogBar(int nTemplateId, QWidget* pParent) : QDockWidget(pParent) {
    setWindowTitle(QStringLiteral("Edit dialogbar"));
    setObjectName(QStringLiteral("EditDialogBar"));
    SetDlgCtrlId(this, kBarId);
    setAllowedAreas(Qt::BottomDockWidgetArea);
    m_pGripper = new CDialogBarGripper(this);
    OnTopLevelChanged(false);
    connect(this, &QDockWidget::topLevelChanged, this, &CEditDialogBar::OnTopLevelChanged);

    auto* pPane = new CDialogBarPane(this);
    m_pContent = pPane;
    CDialogTemplate tmpl;
    if (CDialogTemplate::Load(nTemplateId, tmpl))
        pPane->SetTemplateSize(CreateDialogControls(tmpl, pPane));
    setWidget(pPane);

    m_pProgress = qobject_cast<QSlider*>(FindDlgItem(pPane, IDC_PROGRESS));
    m_pVolume = qobject_cast<QSlider*>(FindDlgItem(pPane, IDC_VOLUME));
    m_pNowTag = FindDlgItem(pPane, IDC_NOW_TAG);
    if (m_pVolume) {
        m_pVolume->setRange(kVolumeMin, 0);
        m_pVolume->setPageStep(kVolumePage);
        ConnectSlider(m_pVolume);
    }
    if (m_pProgress) {
        m_pProgress->setPageStep(kProgressPage);
        ConnectSlider(m_pProgress);
    }
    pPane->installEventFilter(this);
}

void CEditDialogBar::OnTopLevelChanged(bool bFloating) {
    // Docked, a gripper; floating, a title bar with the bar's window text and its buttons.
    const QDockWidget::DockWidgetFeatures features = QDockWidget::DockWidgetMovable |
                                                     QDockWidget::DockWidgetFloatable |
                                                     QDockWidget::DockWidgetClosable;
    setFeatures(bFloating ? features : features | QDockWidget::DockWidgetVerticalTitleBar);
    setTitleBarWidget(bFloating ? nullptr : m_pGripper);
    m_pGripper->setVisible(!bFloating);
    // The title bar takes room the docked bar did not need: the floating bar grows to keep its
    // buttons in view.
    if (bFloating && height() < sizeHint().height())
        resize(width(), sizeHint().height());
}

void CEditDialogBar::ConnectSlider(QSlider* pSlider) {
    pSlider->installEventFilter(this);
    connect(pSlider, &QAbstractSlider::actionTriggered, this,
            [this, pSlider](int nAction) { OnSliderAction(pSlider, nAction); });
    connect(pSlider, &QAbstractSlider::sliderMoved, this,
            [this, pSlider](int) { Notify(pSlider, TB_THUMBTRACK); });
    connect(pSlider, &QAbstractSlider::sliderReleased, this, [this, pSlider]() {
        Notify(pSlider, TB_THUMBPOSITION);
        Notify(pSlider, TB_ENDTRACK);
    });
}

void CEditDialogBar::OnSliderAction(QSlider* pSlider, int nAction) {
    // A dragged thumb reports through sliderMoved; a move without the thumb held (the wheel)
    // comes only here.
    if (nAction == QAbstractSlider::SliderMove && pSlider->isSliderDown())
        return;
    const int nCode = TrackbarCode(nAction);
    if (nCode >= 0)
        Notify(pSlider, nCode);
}

void CEditDialogBar::Notify(QSlider* pSlider, int nCode) {
    // The action signals come before the value is set; the slider position is already the new one.
    OnHScroll(nCode, pSlider->sliderPosition(), pSlider);
}

bool CEditDialogBar::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pContent && pEvent->type() == QEvent::Resize) {
        const QWidget* pFrame = window();
        LayoutControls(pFrame->width(), pFrame->height());
        return false;
    }
    auto* pSlider = qobject_cast<QSlider*>(pWatched);
    if (!pSlider || (pSlider != m_pProgress && pSlider != m_pVolume))
        return false;
    // A trackbar ends every key, click and wheel movement with an end-of-scroll; a released
    // thumb drag ends through sliderReleased.
    switch (pEvent->type()) {
    case QEvent::KeyPress: {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        const QAbstractSlider::SliderAction action = TrackbarKeyAction(pKey->key());
        // The keypad's keys (NumLock off) are the same keys, with the keypad modifier.
        if (action == QAbstractSlider::SliderNoAction ||
            (pKey->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            break;
        pSlider->triggerAction(action);
        return true;
    }
    case QEvent::KeyRelease: {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (!pKey->isAutoRepeat() && IsNavigationKey(pKey->key()) && pSlider->isEnabled())
            Notify(pSlider, TB_ENDTRACK);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton &&
            !pSlider->isSliderDown() && pSlider->isEnabled())
            Notify(pSlider, TB_ENDTRACK);
        break;
    case QEvent::Wheel:
        if (pSlider->isEnabled()) {
            QMetaObject::invokeMethod(
                this, [this, pSlider]() { Notify(pSlider, TB_ENDTRACK); }, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return false;
}

void CEditDialogBar::OnHScroll(int nSBCode, int nPos, QSlider* pScrollBar) {
    if (pScrollBar && pScrollBar == m_pProgress) {
        if (!g_bSeeking) {
            if (m_pView)
                m_pView->KillPlaybackTimer();
            g_bSeeking = true;
        }
        if (nSBCode >= TB_LINEUP && nSBCode <= TB_THUMBTRACK) {
            // Display only: the player goes on from its old place until the slider is let go.
            if (m_pView)
                m_pView->UpdatePlayPosition(static_cast<uint32_t>(nPos), false);
        } else if (nSBCode == TB_ENDTRACK) {
            MediaSetPosition(nullptr, static_cast<uint32_t>(nPos));
            if (g_bSeeking) {
                g_bSeeking = false;
                if (m_pView)
                    m_pView->SetPlaybackTimer(kSeekRestartMs);
            }
        }
    } else if (pScrollBar && pScrollBar == m_pVolume) {
        if (m_pView)
            m_pView->SetKeptVolume(nPos);
        MediaSetVolume(nullptr, nPos);
    }
}

void CEditDialogBar::LayoutControls(int nWidth, int nHeight) {
    Q_UNUSED(nWidth);
    Q_UNUSED(nHeight);
    const int nRight = m_pContent->width();
    for (QWidget* pControl : {static_cast<QWidget*>(m_pProgress), m_pNowTag}) {
        if (!pControl)
            continue;
        const QRect rc = pControl->geometry();
        pControl->resize(qMax(0, nRight - rc.left() - kRightGap), rc.height());
    }
}

QWidget* CEditDialogBar::Control(int nId) const {
    return FindDlgItem(m_pContent, nId);
}

QList<QPushButton*> CEditDialogBar::Buttons() const {
    return m_pContent->findChildren<QPushButton*>();
}
