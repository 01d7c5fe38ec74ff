#pragma once
// The About box: the frame icon, the version line and OK. While it is open, Ctrl+Alt+Shift+K
// opens the information box when the interface language is Simplified Chinese.

#include "platform/framework/Dialog.h"

class QShortcut;

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

    // Id of the hot key; 0 once registering it has failed.
    int m_nHotKeyId = 0x0BFF;

protected:
    bool OnInitDialog() override;
    void done(int nResult) override;
    void OnHotKey();

private:
    QShortcut* m_pHotKey = nullptr;
};
