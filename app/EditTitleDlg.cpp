#include "app/EditTitleDlg.h"

#include <QLineEdit>

#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/VersewrightApp.h"
#include "doc/LrcText.h"
#include "view/VersewrightView.h"

CEditTitleDlg::CEditTitleDlg(QWidget* pParent) : CDialog(g_nTitleDlgId, pParent) {
    setObjectName(QStringLiteral("CEditTitleDlg"));
}

CEditTitleDlg::~CEditTitleDlg() = default;

void CEditTitleDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ALBUM, m_strAlbum);
    DDV_MaxChars(pDX, m_strAlbum, kMaxTextChars);
    DDX_Text(pDX, IDC_ARTIST, m_strArtist);
    DDV_MaxChars(pDX, m_strArtist, kMaxTextChars);
    DDX_Text(pDX, IDC_BY, m_strBy);
    DDV_MaxChars(pDX, m_strBy, kMaxTextChars);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDV_MaxChars(pDX, m_strTitle, kMaxTextChars);
    DDX_Text(pDX, IDC_OFFSET, m_nOffset);
    if (!pDX->m_bSaveAndValidate && pDX->m_pLastEdit)
        pDX->m_pLastEdit->setMaxLength(kMaxOffsetChars);
}

bool CEditTitleDlg::OnInitDialog() {
    if (g_pView) {
        QString strOffset;
        g_pView->ReadHeaderValues(m_strTitle, m_strArtist, m_strAlbum, m_strBy, strOffset);
        m_nOffset = ParseSignedNumber(strOffset.toLatin1().constData());
        // Playback follows the text's offset from now on, whether the dialog is confirmed or not.
        g_pView->m_nOffset = m_nOffset;
    }
    return CDialog::OnInitDialog();
}

void CEditTitleDlg::OnOK() {
    if (!UpdateData(true))
        return;
    if (g_pView) {
        const QString strOffset = m_nOffset != 0 ? QString::number(m_nOffset) : QString();
        g_pView->WriteHeaderValues(m_strTitle, m_strArtist, m_strAlbum, m_strBy, strOffset);
    }
    EndDialog(IDOK);
}

void CMainFrame::OnEditLrcTitle() {
    CEditTitleDlg dlg(this);
    dlg.DoModal();
}
