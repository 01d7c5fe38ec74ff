#pragma once
// The framework's standard message boxes, English only, captioned with the application's title.

#include <QString>

enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Shows a modal box over the main window; returns the id of the button pressed. The buttons carry
// the names "IDOK", "IDCANCEL", "IDYES", "IDNO" as objectName.
int AfxMessageBox(const QString& text, unsigned nType = MB_OK);
