#include "app/FrameTips.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMenu>
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

void CFrameTips::WatchMenu(QMenu* pMenu) {
    // A highlighted pop-up or separator has no prompt.
    connect(pMenu, &QMenu::aboutToShow, this, [this]() { OnSetMessageString(0); });
    connect(pMenu, &QMenu::hovered, this,
            [this](QAction* pAction) { OnSetMessageString(CommandId(pAction)); });
    connect(pMenu, &QMenu::aboutToHide, this, [this]() {
        // Only when the last open menu has closed does the idle text come back.
        QTimer::singleShot(0, this, [this]() { OnMenuClosed(); });
    });
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->menu())
            WatchMenu(pAction->menu());
    }
}

void CFrameTips::OnMenuClosed() {
    if (!QApplication::activePopupWidget())
        ShowIdleMessage();
}

void CFrameTips::WatchToolBar(QToolBar* pToolBar) {
    for (QAction* pAction : pToolBar->actions()) {
        const int nId = CommandId(pAction);
        if (QWidget* pButton = pToolBar->widgetForAction(pAction); pButton && nId > 0)
            WatchControl(pButton, nId);
    }
    WatchControls(pToolBar);
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
        // Qt's own status tips (empty for every action) would overwrite the prompts.
        return pEvent->type() == QEvent::StatusTip;
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
