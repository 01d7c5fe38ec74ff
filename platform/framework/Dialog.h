#pragma once
// Modal dialogs made from the resource sets' templates, with the framework's data exchange:
// members move into the controls when the dialog opens and back out, checked, on OK. A check
// that fails shows the framework's message and leaves the dialog open with the focus on the
// control at fault.

#include <QDialog>
#include <QString>

#include "platform/framework/MessageBox.h" // IDOK, IDCANCEL

class CDialog;
class QLineEdit;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The edit the following exchange and checks are about; null if the control is no edit.
    QLineEdit* PrepareEditCtrl(int nIDC);
    // Stops the exchange (the message has been shown): the focus goes back to the last prepared
    // control, its text selected. Later exchanges of this pass do nothing.
    void Fail();

    bool m_bSaveAndValidate; // true: controls to members
    CDialog* m_pDlgWnd;
    bool m_bFailed = false;
    QLineEdit* m_pLastEdit = nullptr;
};

void DDX_Text(CDataExchange* pDX, int nIDC, QString& value);
// An integer by the framework's rule (ParseDialogInt); "Please enter an integer." otherwise.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// Limits the last prepared edit to nChars characters of input.
void DDV_MaxChars(CDataExchange* pDX, const QString& value, int nChars);

// The framework's integer rule: blanks and tabs around an optional sign and decimal digits,
// saturated at the limits of a 32-bit value. Refused: anything else after the number, and a
// result of 0 whose first character is not the digit 0 (an empty field, "-0", "+").
bool ParseDialogInt(QStringView text, int* pValue);

// The control id of a widget made from a template or given one, 0 for any other widget.
int DlgCtrlId(const QWidget* pWidget);
// Gives a widget made in code a control id (the tool bar's combo box, a bar).
void SetDlgCtrlId(QWidget* pWidget, int nId);
// The first descendant of pParent with this control id, or null.
QWidget* FindDlgItem(const QWidget* pParent, int nId);

// Makes the controls of template nIDTemplate in pDialog; false when there is no such template.
// The application defines it, from its own resources.
bool BuildDialogControls(int nIDTemplate, QWidget* pDialog);

class CDialog : public QDialog {
public:
    // The template is looked up in the resource sets (template ids are unique across them).
    explicit CDialog(int nIDTemplate, QWidget* pParent = nullptr);
    ~CDialog() override;

    // Builds the controls, runs OnInitDialog and the modal loop; returns the EndDialog result,
    // -1 when the template is missing.
    int DoModal();
    void EndDialog(int nResult);
    // Runs DoDataExchange; false when a check failed.
    bool UpdateData(bool bSaveAndValidate = true);
    QWidget* GetDlgItem(int nId) const;

    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // A button of the template was clicked (or Enter/Esc chose one); nId is its control id.
    virtual void OnCommand(int nId);

protected:
    // Esc and the caption's close button.
    void reject() override;

    int m_nIDTemplate;

private:
    bool CreateFromTemplate();
    bool m_bCreated = false;
};
