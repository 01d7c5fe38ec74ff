#include "platform/framework/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/framework/WinApp.h"

int AfxMessageBox(const QString& text, unsigned nType) {
    QWidget* pParent = QApplication::activeModalWidget();
    if (!pParent && AfxGetApp())
        pParent = AfxGetApp()->GetMainWidget();
    QMessageBox box(pParent);
    box.setWindowTitle(AfxGetApp() ? AfxGetApp()->m_strAppName : QStringLiteral("Versewright"));
    box.setText(text);
    switch (nType & 0xF0) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    struct Button {
        const char* pszText;
        const char* pszName;
        QMessageBox::ButtonRole role;
        int nResult;
    };
    static const Button kOk = {"OK", "IDOK", QMessageBox::AcceptRole, IDOK};
    static const Button kCancel = {"Cancel", "IDCANCEL", QMessageBox::RejectRole, IDCANCEL};
    static const Button kYes = {"&Yes", "IDYES", QMessageBox::YesRole, IDYES};
    static const Button kNo = {"&No", "IDNO", QMessageBox::NoRole, IDNO};
    std::vector<Button> buttons;
    switch (nType & 0xF) {
    case MB_OKCANCEL:
        buttons = {kOk, kCancel};
        break;
    case MB_YESNOCANCEL:
        buttons = {kYes, kNo, kCancel};
        break;
    case MB_YESNO:
        buttons = {kYes, kNo};
        break;
    default:
        buttons = {kOk};
        break;
    }
    std::vector<std::pair<QAbstractButton*, int>> made;
    for (const Button& b : buttons) {
        QAbstractButton* pButton = box.addButton(QString::fromLatin1(b.pszText), b.role);
        pButton->setObjectName(QString::fromLatin1(b.pszName));
        made.emplace_back(pButton, b.nResult);
    }
    box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
    if (buttons.size() > 1 && buttons.back().nResult == IDCANCEL)
        box.setEscapeButton(made.back().first);
    box.exec();
    for (auto& [pButton, nResult] : made)
        if (box.clickedButton() == pButton)
            return nResult;
    // Closed through the title bar: Cancel where there is one, otherwise the only answer.
    return buttons.back().nResult == IDCANCEL ? IDCANCEL : buttons.front().nResult;
}
