#include "platform/framework/Dialog.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>
#include <climits>

#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WinApp.h"

namespace {
const char kCtrlIdProperty[] = "dlgCtrlId";
} // namespace

int DlgCtrlId(const QWidget* pWidget) {
    if (!pWidget)
        return 0;
    const QVariant id = pWidget->property(kCtrlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

void SetDlgCtrlId(QWidget* pWidget, int nId) {
    pWidget->setProperty(kCtrlIdProperty, nId);
}

QWidget* FindDlgItem(const QWidget* pParent, int nId) {
    if (!pParent)
        return nullptr;
    const QList<QWidget*> children = pParent->findChildren<QWidget*>();
    for (QWidget* pChild : children) {
        if (DlgCtrlId(pChild) == nId)
            return pChild;
    }
    return nullptr;
}

QLineEdit* CDataExchange::PrepareEditCtrl(int nIDC) {
    m_pLastEdit = qobject_cast<QLineEdit*>(m_pDlgWnd->GetDlgItem(nIDC));
    return m_pLastEdit;
}

void CDataExchange::Fail() {
    m_bFailed = true;
    if (m_pLastEdit) {
        m_pLastEdit->setFocus(Qt::OtherFocusReason);
        m_pLastEdit->selectAll();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, QString& value) {
    if (pDX->m_bFailed)
        return;
    QLineEdit* pEdit = pDX->PrepareEditCtrl(nIDC);
    if (!pEdit)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pEdit->text();
    else
        pEdit->setText(value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->m_bFailed)
        return;
    QLineEdit* pEdit = pDX->PrepareEditCtrl(nIDC);
    if (!pEdit)
        return;
    if (!pDX->m_bSaveAndValidate) {
        pEdit->setText(QString::number(value));
        return;
    }
    int nValue = 0;
    if (!ParseDialogInt(pEdit->text(), &nValue)) {
        AfxMessageBox(QStringLiteral(AFX_IDP_PARSE_INT));
        pDX->Fail();
        return;
    }
    value = nValue;
}

void DDV_MaxChars(CDataExchange* pDX, const QString& value, int nChars) {
    if (pDX->m_bFailed || !pDX->m_pLastEdit)
        return;
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pLastEdit->setMaxLength(nChars);
        return;
    }
    if (value.size() > nChars) {
        AfxMessageBox(QStringLiteral(AFX_IDP_PARSE_STRING_SIZE).arg(nChars));
        pDX->Fail();
    }
}

bool ParseDialogInt(QStringView text, int* pValue) {
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    const qsizetype first = i;
    bool bNegative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        bNegative = text[i++] == QLatin1Char('-');
    long long nMagnitude = 0;
    const long long nLimit = bNegative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        nMagnitude = std::min(nMagnitude * 10 + (text[i].unicode() - '0'), nLimit);
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return false;
    if (nMagnitude == 0 && (first == n || text[first] != QLatin1Char('0')))
        return false;
    *pValue = static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
    return true;
}

CDialog::CDialog(int nIDTemplate, QWidget* pParent)
    : QDialog(pParent ? pParent : (AfxGetApp() ? AfxGetApp()->GetMainWidget() : nullptr)),
      m_nIDTemplate(nIDTemplate) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

CDialog::~CDialog() = default;

bool CDialog::CreateFromTemplate() {
    if (m_bCreated)
        return true;
    if (!BuildDialogControls(m_nIDTemplate, this))
        return false;
    for (QAbstractButton* pButton : findChildren<QAbstractButton*>()) {
        const int nId = DlgCtrlId(pButton);
        connect(pButton, &QAbstractButton::clicked, this, [this, nId] { OnCommand(nId); });
    }
    m_bCreated = true;
    return true;
}

int CDialog::DoModal() {
    if (!CreateFromTemplate())
        return -1;
    setModal(true);
    if (OnInitDialog()) {
        // The first control that takes the focus by tabbing gets it.
        for (QWidget* pChild : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (pChild->focusPolicy() & Qt::TabFocus) {
                pChild->setFocus(Qt::TabFocusReason);
                if (auto* pEdit = qobject_cast<QLineEdit*>(pChild))
                    pEdit->selectAll();
                break;
            }
        }
    }
    return exec();
}

void CDialog::EndDialog(int nResult) {
    done(nResult);
}

bool CDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

QWidget* CDialog::GetDlgItem(int nId) const {
    return FindDlgItem(this, nId);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnCommand(int nId) {
    if (nId == IDOK)
        OnOK();
    else if (nId == IDCANCEL)
        OnCancel();
}

void CDialog::reject() {
    OnCommand(IDCANCEL);
}
