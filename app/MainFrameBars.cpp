// The main frame's tool bar with the time-tag format box, its status bar with the lock-key
// indicators, the bar toggles of the View menu and the help command.
#include "app/MainFrame.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/LanguageResources.h"
#include "app/Resource.h"
#include "app/ResourceSet.h"
#include "platform/KeyboardIndicators.h"
#include "platform/framework/MessageBox.h"

namespace {
constexpr int kToolBarId = 130;
constexpr int kTimeFormatWidth = 98;
const char* const kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};
} // namespace

bool CMainFrame::CreateToolBar() {
    SToolbarResource toolbar;
    if (!LoadToolbarResource(kToolBarId, &toolbar))
        return false;
    m_wndToolBar = new QToolBar(m_pToolBarHost);
    m_wndToolBar->setObjectName(QStringLiteral("AFX_IDW_TOOLBAR"));
    m_wndToolBar->setWindowTitle(QStringLiteral("Standard toolbar"));
    m_wndToolBar->setIconSize(QSize(toolbar.nWidth, toolbar.nHeight));
    m_wndToolBar->setAllowedAreas(Qt::LeftToolBarArea | Qt::TopToolBarArea | Qt::RightToolBarArea);
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);

    int nImage = 0;
    for (int nId : std::as_const(toolbar.buttons)) {
        if (nId == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        const QImage image = toolbar.Image(nImage++);
        if (nId == ID_TIME_FORMAT) {
            // The button's place holds the time-tag format box instead.
            m_wndTimeFormatCombo = new QComboBox(m_wndToolBar);
            m_wndTimeFormatCombo->setObjectName(QStringLiteral("ID_TIME_FORMAT"));
            m_wndTimeFormatCombo->setFixedWidth(kTimeFormatWidth);
            m_wndTimeFormatCombo->setEditable(false);
            m_wndTimeFormatCombo->addItem(QStringLiteral("[00:00]"));
            m_wndTimeFormatCombo->addItem(QStringLiteral("[00:00.00]"));
            m_wndTimeFormatCombo->setCurrentIndex(m_nTimeFormat);
            connect(m_wndTimeFormatCombo, &QComboBox::activated, this,
                    [this] { OnTimeFormatChange(); });
            m_wndToolBar->addWidget(m_wndTimeFormatCombo);
            continue;
        }
        QAction* pAction = CommandAction(nId);
        pAction->setIcon(QIcon(QPixmap::fromImage(image)));
        m_wndToolBar->addAction(pAction);
    }
    m_pToolBarHost->addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    return true;
}

bool CMainFrame::CreateStatusBar() {
    m_wndStatusBar = statusBar();
    m_wndStatusBar->setObjectName(QStringLiteral("AFX_IDW_STATUS_BAR"));
    const QFontMetrics fm(m_wndStatusBar->font());
    for (int i = 0; i < 3; ++i) {
        // Each pane is as wide as its text and shows it while its lock is on.
        QLabel* pPane = new QLabel(m_wndStatusBar);
        pPane->setObjectName(QString::fromLatin1(kIndicatorTexts[i]));
        pPane->setFrameShape(QFrame::Panel);
        pPane->setFrameShadow(QFrame::Sunken);
        pPane->setAlignment(Qt::AlignCenter);
        pPane->setFixedWidth(fm.horizontalAdvance(QString::fromLatin1(kIndicatorTexts[i])) + 12);
        m_wndStatusBar->addPermanentWidget(pPane);
        m_pIndicators[i] = pPane;
    }
    UpdateLockIndicators();
    if (QueryLockKeys().bKnown) {
        m_pIndicatorTimer = new QTimer(this);
        connect(m_pIndicatorTimer, &QTimer::timeout, this, [this] { UpdateLockIndicators(); });
        m_pIndicatorTimer->start(250);
    }
    return true;
}

void CMainFrame::UpdateLockIndicators() {
    const SLockKeys keys = QueryLockKeys();
    const bool bOn[] = {keys.bCaps, keys.bNum, keys.bScroll};
    for (int i = 0; i < 3; ++i)
        m_pIndicators[i]->setText(bOn[i] ? QString::fromLatin1(kIndicatorTexts[i]) : QString());
}

void CMainFrame::OnTimeFormatChange() {
    const int nSel = m_wndTimeFormatCombo->currentIndex();
    if (nSel >= 0)
        m_nTimeFormat = nSel;
}

void CMainFrame::OnViewToolBar() {
    m_wndToolBar->setVisible(!m_wndToolBar->isVisibleTo(this));
}

void CMainFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_wndToolBar && m_wndToolBar->isVisibleTo(this) ? 1 : 0);
}

void CMainFrame::OnViewStatusBar() {
    m_wndStatusBar->setVisible(!m_wndStatusBar->isVisibleTo(this));
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_wndStatusBar && m_wndStatusBar->isVisibleTo(this) ? 1 : 0);
}

QString CMainFrame::HelpFilePath() const {
    const QString strName = QString::fromLatin1(GetLanguageResources(m_nLanguage).pszHelpFile);
    const QString strBeside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + strName;
    // An installed program keeps its help pages with its other data, under share/.
    const QString strInstalled = QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/../share/versewright/help/") + strName;
    if (!QFileInfo::exists(strBeside) && QFileInfo::exists(strInstalled))
        return QFileInfo(strInstalled).canonicalFilePath();
    return strBeside;
}

void CMainFrame::OnHelpContents() {
    // Shown by the desktop's viewer for HTML pages; a missing page shows nothing.
    const QString strPath = HelpFilePath();
    if (!QFileInfo::exists(strPath))
        return;
    // Without a viewer the command would seem to do nothing at all.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strPath)))
        AfxMessageBox(QStringLiteral("No program to show the help page %1 was found. "
                                     "Install a web browser to read it.")
                          .arg(QDir::toNativeSeparators(strPath)),
                      MB_ICONEXCLAMATION);
}
