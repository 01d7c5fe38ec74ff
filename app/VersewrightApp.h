#pragma once
// The application object: language and resource set, the document template, the file
// association, the command line, and the window restored from the settings record.

#include "platform/framework/WinApp.h"

class CVersewrightApp : public CWinApp {
public:
    CVersewrightApp();
    ~CVersewrightApp() override;

    bool InitInstance() override;
    CCommandTable GetCommandTable() const override;
    // Help > About.
    void OnAppAbout();

private:
    // Placement, time format and volume of the stored record; false without one.
    bool RestoreSettings();
};

// Control-bar and header-dialog template ids of the interface language.
extern int g_nDialogBarId;
extern int g_nTitleDlgId;

// The document string of a resource set.
QString DocumentStringOf(int nResourceSetId);
