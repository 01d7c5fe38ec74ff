#include "app/FrameTips.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

#include "app/DialogTemplate.h"
#include "app/LocalStrings.h"
#include "app/Resource.h"
#include "platform/CodePage.h"

namespace {

const char kTipIdProperty[] = "tipId";
// Set on the menus, menu bars and tool bars already watched.
const char kWatchedProperty[] = "tipsWatched";
// The wide tool-tip notification holds 79 characters and a terminator.
constexpr int kMaxToolTip = 79;

QString Decode(std::string_view bytes, const char* pszCodePage) {
    CCodePage cp;
    if (!CCodePage::FromName(pszCodePage, cp))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::u16string wide;
    cp.ToUnicode(bytes, wide);
    return QString::fromStdU16String(wide);
}

int CommandId(const QAction* pAction) {
    bool bOk = false;
    const int nId = pAction ? pAction->data().toInt(&bOk) : 0;
    return bOk ? nId : 0;
}

} // namespace

CFrameTips::CFrameTips(QMainWindow* pFrame, int nLanguage)
    : QObject(pFrame), m_pFrame(pFrame), m_nLanguage(nLanguage) {
    pFrame->installEventFilter(this);
    for (QToolBar* pToolBar : pFrame->findChildren<QToolBar*>())
        WatchToolBar(pToolBar);
    ShowIdleMessage();
}

bool CFrameTips::OnToolTipText(int nId, QString& strTip) const {
    strTip.clear();
    if (nId != 0) {
        std::string_view tip;
        if (!ToolTipFor(static_cast<uint32_t>(nId), m_nLanguage, tip))
            return false;
        strTip =
            Decode(tip, TextCodePageFor(static_cast<uint32_t>(nId), m_nLanguage)).left(kMaxToolTip);
    }
    return true;
}

QString CFrameTips::MessageString(int nId) const {
    if (nId == 0)
        return QString();
    const uint32_t id = static_cast<uint32_t>(nId);
    return Decode(StatusPromptFor(id, m_nLanguage), TextCodePageFor(id, m_nLanguage));
}

void CFrameTips::OnSetMessageString(int nId, const QString* pstrText) {
    m_pFrame->statusBar()->showMessage(pstrText ? *pstrText : MessageString(nId));
}

void CFrameTips::ShowIdleMessage() {
    OnSetMessageString(AFX_IDS_IDLEMESSAGE);
}

bool CFrameTips::WatchActions(QWidget* pContainer) {
    if (pContainer->property(kWatchedProperty).isValid())
        return false;
    pContainer->setProperty(kWatchedProperty, true);
    pContainer->installEventFilter(this);
    for (QAction* pAction : pContainer->actions())
        OnActionAdded(pContainer, pAction);
    return true;
}

void CFrameTips::WatchMenuBar(QMenuBar* pMenuBar) {
    WatchActions(pMenuBar);
}

void CFrameTips::WatchMenu(QMenu* pMenu) {
    if (!WatchActions(pMenu))
        return;
    // A highlighted pop-up or separator has no prompt.
    connect(pMenu, &QMenu::aboutToShow, this, [this]() { OnSetMessageString(0); });
    connect(pMenu, &QMenu::hovered, this,
            [this](QAction* pAction) { OnSetMessageString(CommandId(pAction)); });
    connect(pMenu, &QMenu::aboutToHide, this, [this]() {
        // Only when the last open menu has closed does the idle text come back.
        QTimer::singleShot(0, this, [this]() { OnMenuClosed(); });
    });
}

void CFrameTips::OnMenuClosed() {
    if (!QApplication::activePopupWidget())
        ShowIdleMessage();
}

void CFrameTips::WatchToolBar(QToolBar* pToolBar) {
    WatchActions(pToolBar);
}

void CFrameTips::OnActionAdded(QWidget* pContainer, QAction* pAction) {
    if (pAction->menu()) {
        WatchMenu(pAction->menu());
        return;
    }
    auto* pToolBar = qobject_cast<QToolBar*>(pContainer);
    if (!pToolBar)
        return;
    // A tool bar makes the action's button after telling its filters; look once it exists.
    QTimer::singleShot(
        0, this,
        [this, pToolBar = QPointer<QToolBar>(pToolBar), pAction = QPointer<QAction>(pAction)]() {
            if (!pToolBar || !pAction)
                return;
            QWidget* pWidget = pToolBar->widgetForAction(pAction);
            const int nId = CommandId(pAction) > 0 ? CommandId(pAction) : DlgCtrlId(pWidget);
            if (pWidget && nId > 0)
                WatchControl(pWidget, nId);
        });
}

void CFrameTips::WatchControl(QWidget* pControl, int nId) {
    pControl->setProperty(kTipIdProperty, nId);
    pControl->installEventFilter(this);
}

void CFrameTips::WatchControls(QWidget* pParent) {
    const QList<QWidget*> children = pParent->findChildren<QWidget*>();
    for (QWidget* pChild : children) {
        const int nId = DlgCtrlId(pChild);
        if (nId > 0)
            WatchControl(pChild, nId);
    }
}

bool CFrameTips::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pFrame) {
        // Tool bars are watched as soon as they are made ready for showing.
        if (pEvent->type() == QEvent::ChildPolished) {
            if (auto* pToolBar =
                    qobject_cast<QToolBar*>(static_cast<QChildEvent*>(pEvent)->child()))
                WatchToolBar(pToolBar);
        }
        // Qt's own status tips (empty for every action) would overwrite the prompts.
        return pEvent->type() == QEvent::StatusTip;
    }
    if (pEvent->type() == QEvent::ActionAdded && pWatched->property(kWatchedProperty).isValid()) {
        OnActionAdded(static_cast<QWidget*>(pWatched),
                      static_cast<QActionEvent*>(pEvent)->action());
        return false;
    }
    const QVariant id = pWatched->property(kTipIdProperty);
    if (!id.isValid())
        return false;
    switch (pEvent->type()) {
    case QEvent::ToolTip: {
        auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        QString strTip;
        if (OnToolTipText(id.toInt(), strTip) && !strTip.isEmpty())
            QToolTip::showText(pHelp->globalPos(), strTip, qobject_cast<QWidget*>(pWatched));
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::Enter:
        OnSetMessageString(id.toInt());
        break;
    case QEvent::Leave:
        ShowIdleMessage();
        break;
    default:
        break;
    }
    return false;
}
