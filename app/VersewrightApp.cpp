#include "app/VersewrightApp.h"

#include <QSlider>
#include <algorithm>

#include "app/LanguageResources.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/XDataConvert.h"
#include "doc/VersewrightDoc.h"
#include "platform/FileAssociation.h"
#include "platform/SettingsStore.h"
#include "platform/SystemLanguage.h"
#include "platform/framework/DocTemplate.h"
#include "player/MediaPlayer.h"
#include "view/PlaybackControls.h"
#include "view/VersewrightView.h"

int g_nDialogBarId = 131;
int g_nTitleDlgId = 133;

QString DocumentStringOf(int nResourceSetId) {
    // Sets 140 and 142 write the filter without the blank.
    const bool bTight = nResourceSetId == 140 || nResourceSetId == 142;
    return bTight ? QStringLiteral("Versewright\n\nLrc\nLrc Files(*.lrc)\n.lrc\n"
                                   "Versewright.Document\nLrc Document")
                  : QStringLiteral("Versewright\n\nLrc\nLrc Files (*.lrc)\n.lrc\n"
                                   "Versewright.Document\nLrc Document");
}

CVersewrightApp::CVersewrightApp() : CWinApp(QStringLiteral("Versewright")) {}

CVersewrightApp::~CVersewrightApp() = default;

bool CVersewrightApp::InitInstance() {
    const CLanguageResources& lang = GetLanguageResources(GetUiLanguage());
    g_nDialogBarId = lang.nDialogBarId;
    g_nTitleDlgId = lang.nTitleDlgId;

    SetRegistryKey(QStringLiteral("Versewright"));
    LoadStdProfileSettings(6);

    auto pTemplate = CSingleDocTemplate::Make<CVersewrightDoc, CMainFrame, CVersewrightView>(
        lang.nResourceSetId);
    pTemplate->SetDocString(DocumentStringOf(lang.nResourceSetId));
    AddDocTemplate(std::move(pTemplate));

    // Taken over at every start, from whichever program held it.
    if (!IsFileTypeRegistered(".lrc"))
        UnregisterFileType(".lrc");
    RegisterShellFileTypes();

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;

    if (!RestoreSettings() && m_pMainWnd) {
        // First run: not the toolkit's minimum size.
        PlaceAtFirstRunSize(m_pMainWnd);
        m_pMainWnd->show();
    }
    if (m_pMainWnd) {
        m_pMainWnd->update();
        m_pMainWnd->DragAcceptFiles();
    }
    return true;
}

bool CVersewrightApp::RestoreSettings() {
    XDataRecord record;
    if (!m_pMainWnd || !LoadXData(record))
        return false;
    record.placement.length = 44;
    SetWindowPlacement(m_pMainWnd, record.placement);
    if (g_pMainFrame)
        g_pMainFrame->SetTimeFormat(record.timeFormat);
    // Kept by the view and shown by the volume slider; the player gets it when an audio file is
    // opened, and so does a song the command line has opened already.
    if (g_pView) {
        g_pView->m_nVolume = std::clamp(record.volume, -2000, 0);
        if (QSlider* pVolume = GetBarSlider(IDC_VOLUME))
            pVolume->setValue(g_pView->m_nVolume);
        MediaSetVolume(nullptr, g_pView->m_nVolume);
    }
    return true;
}
