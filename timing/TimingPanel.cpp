#include "timing/TimingPanel.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "app/Resource.h"
#include "doc/PlayTime.h"
#include "platform/SettingsStore.h"
#include "player/MediaPlayer.h"
#include "timing/PeakLoader.h"
#include "timing/TimingTexts.h"
#include "timing/WaveformView.h"
#include "view/VersewrightView.h"

namespace {

// Values of the settings store, beside the settings record.
const char kVisibleSetting[] = "TimingPanel";
const char kZoomSetting[] = "TimingZoom"; // hundredths of a millisecond per pixel
const char kReactionSetting[] = "ReactionTime";

// Kept as decimal text, which reads back the same whatever the store makes of numbers.
uint32_t ReadDword(const char* pszName, uint32_t nDefault) {
    char szText[16] = {};
    uint32_t size = sizeof szText - 1;
    if (!ReadSetting(pszName, szText, size))
        return nDefault;
    bool bOk = false;
    const uint32_t nValue = QByteArray(szText).trimmed().toUInt(&bOk);
    return bOk ? nValue : nDefault;
}

void WriteDword(const char* pszName, uint32_t nValue) {
    const QByteArray text = QByteArray::number(nValue);
    WriteSetting(pszName, REG_SZ, text.constData(), static_cast<uint32_t>(text.size() + 1));
}

// "0.5", "0.75", "1.0", "1.25".
QString SpeedText(int nPercent) {
    return QString::number(nPercent / 100.0, 'f', nPercent % 50 == 0 ? 1 : 2);
}

} // namespace

CTimingPanel::CTimingPanel(QWidget* pParent, int nLanguage)
    : QDockWidget(pParent), m_nLanguage(nLanguage) {
    setObjectName(QStringLiteral("TimingPanel"));
    setWindowTitle(TimingText(ETimingText::Title, nLanguage));
    setAllowedAreas(Qt::BottomDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable);

    QWidget* pBody = new QWidget(this);
    QVBoxLayout* pLayout = new QVBoxLayout(pBody);
    pLayout->setContentsMargins(4, 2, 4, 4);
    pLayout->setSpacing(3);
    QHBoxLayout* pRow = new QHBoxLayout;
    pRow->setSpacing(4);
    pLayout->addLayout(pRow);

    // A button's tip names its key after what it does.
    const auto tip = [](const QString& strWhat, int nId) {
        return strWhat + QStringLiteral(" (") + TimingKeyName(nId) + QLatin1Char(')');
    };
    pRow->addWidget(AddButton(TimingText(ETimingText::Slower, nLanguage), ID_PLAY_SLOWER,
                              tip(TimingText(ETimingText::Slower, nLanguage), ID_PLAY_SLOWER)));
    m_pSpeed = new QLabel(pBody);
    m_pSpeed->setObjectName(QStringLiteral("speed"));
    m_pSpeed->setMinimumWidth(
        m_pSpeed->fontMetrics().horizontalAdvance(
            TimingText(ETimingText::Speed, nLanguage).arg(QStringLiteral("0.75"))) +
        8);
    m_pSpeed->setAlignment(Qt::AlignCenter);
    pRow->addWidget(m_pSpeed);
    pRow->addWidget(AddButton(TimingText(ETimingText::Faster, nLanguage), ID_PLAY_FASTER,
                              tip(TimingText(ETimingText::Faster, nLanguage), ID_PLAY_FASTER)));
    pRow->addSpacing(12);

    const struct {
        const char* pszText;
        int nId;
        ETimingText tip;
        int nMs;
    } nudges[] = {
        {"-100", ID_EDIT_NUDGE_EARLIER, ETimingText::Earlier, 100},
        {"-10", ID_EDIT_NUDGE_EARLIER_FINE, ETimingText::Earlier, 10},
        {"+10", ID_EDIT_NUDGE_LATER_FINE, ETimingText::Later, 10},
        {"+100", ID_EDIT_NUDGE_LATER, ETimingText::Later, 100},
    };
    for (const auto& n : nudges) {
        pRow->addWidget(AddButton(QString::fromLatin1(n.pszText), n.nId,
                                  tip(TimingText(n.tip, nLanguage).arg(n.nMs), n.nId)));
    }
    pRow->addSpacing(12);
    pRow->addWidget(
        AddButton(TimingText(ETimingText::Replay, nLanguage), ID_PLAY_REPLAY_LINE,
                  tip(TimingText(ETimingText::Replay, nLanguage), ID_PLAY_REPLAY_LINE)));
    pRow->addSpacing(12);

    QLabel* pReactionLabel = new QLabel(TimingText(ETimingText::Reaction, nLanguage), pBody);
    pRow->addWidget(pReactionLabel);
    m_pReaction = new QSpinBox(pBody);
    m_pReaction->setObjectName(QStringLiteral("reaction"));
    m_pReaction->setRange(0, kMaxReactionMs);
    m_pReaction->setSingleStep(10);
    m_pReaction->setSuffix(QStringLiteral(" ms"));
    pReactionLabel->setBuddy(m_pReaction);
    pRow->addWidget(m_pReaction);
    pRow->addSpacing(12);
    m_pStatus = new QLabel(pBody);
    m_pStatus->setObjectName(QStringLiteral("status"));
    pRow->addWidget(m_pStatus, 1);

    m_pWave = new CWaveformView(pBody);
    pLayout->addWidget(m_pWave, 1);
    setWidget(pBody);

    const uint32_t nZoom = ReadDword(kZoomSetting, 0);
    if (nZoom)
        m_pWave->SetMsPerPixel(nZoom / 100.0);
    m_pWave->m_onZoom = [](double dMsPerPx) {
        WriteDword(kZoomSetting, static_cast<uint32_t>(std::lround(dMsPerPx * 100.0)));
    };
    m_pWave->m_onSeek = [](uint32_t nPosition) {
        if (g_pView)
            g_pView->SeekPlayPosition(nPosition);
    };
    m_pWave->m_onMoveMarker = [this](size_t nMarker, uint32_t nPosition) {
        OnMoveMarker(nMarker, nPosition);
    };

    if (g_pView) {
        g_pView->m_nReactionMs = std::min<uint32_t>(ReadDword(kReactionSetting, 0), kMaxReactionMs);
        m_pReaction->setValue(static_cast<int>(g_pView->m_nReactionMs));
        connect(g_pView->document(), &QTextDocument::contentsChanged, this,
                [this] { m_bTagsDirty = true; });
    }
    connect(m_pReaction, &QSpinBox::valueChanged, this, [](int nValue) {
        if (g_pView && g_pView->m_nReactionMs != static_cast<uint32_t>(nValue)) {
            g_pView->m_nReactionMs = static_cast<uint32_t>(nValue);
            WriteDword(kReactionSetting, static_cast<uint32_t>(nValue));
        }
    });

    m_pLoader = new CPeakLoader(this);
    m_pLoader->SetOnChanged([this] { ShowLoaderState(); });
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { Refresh(); });
    ShowLoaderState();
}

CTimingPanel::~CTimingPanel() = default;

QAbstractButton* CTimingPanel::AddButton(const QString& strText, int nId, const QString& strTip) {
    QPushButton* pButton = new QPushButton(strText, this);
    pButton->setObjectName(QString::number(nId));
    pButton->setToolTip(strTip);
    // The editor keeps the keyboard.
    pButton->setFocusPolicy(Qt::NoFocus);
    pButton->setAutoDefault(false);
    m_buttons.emplace_back(pButton, nId);
    return pButton;
}

bool CTimingPanel::StoredVisible() {
    return ReadDword(kVisibleSetting, 0) != 0;
}

void CTimingPanel::StoreVisible(bool bVisible) const {
    WriteDword(kVisibleSetting, bVisible ? 1 : 0);
}

void CTimingPanel::showEvent(QShowEvent* pEvent) {
    QDockWidget::showEvent(pEvent);
    Refresh();
    m_timer.start();
}

void CTimingPanel::closeEvent(QCloseEvent* pEvent) {
    StoreVisible(false);
    QDockWidget::closeEvent(pEvent);
}

void CTimingPanel::hideEvent(QHideEvent* pEvent) {
    m_timer.stop();
    QDockWidget::hideEvent(pEvent);
}

void CTimingPanel::Refresh() {
    CVersewrightView* pView = g_pView;
    if (!pView)
        return;
    // The outline is read while the song itself still loads; a song that fails goes.
    const QString strSong = pView->m_strAudioPath;
    if (strSong != m_pLoader->Path())
        m_pLoader->Load(strSong);
    if (m_bTagsDirty)
        RebuildMarkers();
    m_pWave->SetCaretLine(pView->textCursor().blockNumber());
    if (pView->m_bAudioLoaded) {
        m_pWave->SetLength(MediaGetLength(nullptr));
        m_pWave->SetPlayPosition(MediaGetPosition(nullptr),
                                 pView->m_nPlayState == CVersewrightView::PLAY_PLAYING);
    }
    const int nPercent = kSpeedPercents[StepSpeedIndex(pView->m_nSpeedIndex, 0)];
    if (nPercent != m_nSpeedShown) {
        m_nSpeedShown = nPercent;
        m_pSpeed->setText(TimingText(ETimingText::Speed, m_nLanguage).arg(SpeedText(nPercent)));
    }
}

void CTimingPanel::RebuildMarkers() {
    m_bTagsDirty = false;
    const CTextImage& image = g_pView->GetTextImage();
    const std::string& text = image.Bytes();
    int32_t nOffset = 0;
    m_tags = ListTimeTags(image.Page(), text.data(), text.size(), &nOffset);
    std::vector<CWaveformView::SMarker> markers;
    markers.reserve(m_tags.size());
    for (const STimeTagSpan& tag : m_tags)
        markers.push_back({PlayPositionOfTag(tag.nTime, nOffset), tag.nLine});
    m_pWave->SetMarkers(std::move(markers));
    m_nOffset = nOffset;
}

void CTimingPanel::OnMoveMarker(size_t nMarker, uint32_t nPosition) {
    if (!g_pView || nMarker >= m_tags.size())
        return;
    g_pView->MoveTimeTag(m_tags[nMarker], EffectiveTime(nPosition, m_nOffset));
    Refresh();
}

void CTimingPanel::ShowLoaderState() {
    m_pWave->SetPeaks(&m_pLoader->Bins(), m_pLoader->BinMs());
    const QString strName = QFileInfo(m_pLoader->Path()).fileName();
    switch (m_pLoader->State()) {
    case CPeakLoader::EState::None:
        m_pStatus->setText(TimingText(ETimingText::NoSong, m_nLanguage));
        break;
    case CPeakLoader::EState::Reading:
        m_pStatus->setText(TimingText(ETimingText::Reading, m_nLanguage).arg(strName));
        break;
    case CPeakLoader::EState::Ready:
        m_pStatus->setText(strName);
        break;
    case CPeakLoader::EState::Failed:
        m_pStatus->setText(
            TimingText(ETimingText::Failed, m_nLanguage).arg(strName, m_pLoader->Error()));
        break;
    }
}
