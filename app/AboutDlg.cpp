#include "app/AboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QShortcut>

#include "app/DialogTemplate.h"
#include "app/InfoDlg.h"
#include "app/Resource.h"
#include "app/ResourceSet.h"
#include "app/VersewrightApp.h"
#include "platform/SystemLanguage.h"

namespace {
// The frame icon as the About box shows it; the application's icon when the image is missing.
QPixmap FrameIcon(const QSize& size) {
    EnsureResources();
    QIcon icon(QStringLiteral(":/resources/images/frame128_32.png"));
    if (icon.availableSizes().isEmpty())
        icon = QApplication::windowIcon();
    return icon.pixmap(size);
}
} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : CDialog(IDD_ABOUTBOX, pParent) {
    setObjectName(QStringLiteral("CAboutDlg"));
}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog() {
    for (QLabel* pLabel : findChildren<QLabel*>()) {
        if (pLabel->text().isEmpty() && pLabel->textFormat() != Qt::PlainText)
            pLabel->setPixmap(FrameIcon(pLabel->size()));
    }
    // A system-wide hot key does not exist here: the nearest thing is a shortcut of the whole
    // application that lives as long as the box is open.
    m_pHotKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_K), this);
    m_pHotKey->setContext(Qt::ApplicationShortcut);
    connect(m_pHotKey, &QShortcut::activated, this, [this] { OnHotKey(); });
    return CDialog::OnInitDialog();
}

void CAboutDlg::done(int nResult) {
    delete m_pHotKey;
    m_pHotKey = nullptr;
    CDialog::done(nResult);
}

void CAboutDlg::OnHotKey() {
    if (m_nHotKeyId != 0 && GetUiLanguage() == LangChineseSimplified)
        RunTestInfoDialog(this);
}

void CVersewrightApp::OnAppAbout() {
    CAboutDlg aboutDlg(GetMainWidget());
    aboutDlg.DoModal();
}
