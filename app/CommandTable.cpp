// The program's command table: every command with the object that handles it and its update
// rule. Rows for one id are tried in the order view, document, frame, application.
#include "platform/framework/CommandTable.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/VersewrightApp.h"
#include "doc/VersewrightDoc.h"
#include "view/VersewrightView.h"

namespace {
const CCommandEntry kCommands[] = {
    // View: the edit control's own commands
    ON_COMMAND_UPDATE(View, ID_EDIT_UNDO, CEditView, OnEditUndo, OnUpdateEditUndo),
    ON_COMMAND_UPDATE(View, ID_EDIT_CUT, CEditView, OnEditCut, OnUpdateNeedSel),
    ON_COMMAND_UPDATE(View, ID_EDIT_COPY, CEditView, OnEditCopy, OnUpdateNeedSel),
    ON_COMMAND_UPDATE(View, ID_EDIT_PASTE, CEditView, OnEditPaste, OnUpdateEditPaste),
    ON_COMMAND_UPDATE(View, ID_EDIT_CLEAR, CEditView, OnEditClear, OnUpdateNeedSel),
    ON_COMMAND(View, ID_EDIT_SELECT_ALL, CEditView, OnEditSelectAll),
    // View: time tags
    ON_COMMAND_UPDATE(View, IDC_ADD_TAG, CVersewrightView, OnAddTag, OnUpdateAddTag),
    ON_COMMAND_UPDATE(View, ID_EDIT_DEL_NOW_TAG, CVersewrightView, OnDelNowTag, OnUpdateDelNowTag),
    ON_COMMAND(View, ID_EDIT_DEL_FIRST_TAG, CVersewrightView, OnDelFirstTag),
    ON_COMMAND(View, ID_EDIT_DEL_LINE_TAGS, CVersewrightView, OnDelLineTags),
    ON_COMMAND(View, ID_EDIT_DEL_ALL_TAGS, CVersewrightView, OnDelAllTags),
    ON_COMMAND(View, ID_EDIT_DEL_FRACTIONS, CVersewrightView, OnDelFractions),
    ON_COMMAND(View, ID_EDIT_TIDY, CVersewrightView, OnTidy),
    ON_COMMAND(View, ID_EDIT_SELECT_TEXT, CVersewrightView, OnSelectText),
    // View: playback
    ON_COMMAND(View, IDC_OPEN_AUDIO, CVersewrightView, OnOpenAudio),
    ON_COMMAND_UPDATE(View, IDC_PLAY, CVersewrightView, OnPlay, OnUpdatePlay),
    ON_COMMAND_UPDATE(View, IDC_PAUSE, CVersewrightView, OnPause, OnUpdatePause),
    ON_COMMAND_UPDATE(View, ID_PLAY_STOP, CVersewrightView, OnStop, OnUpdateStop),
    ON_COMMAND_UPDATE(View, IDC_BACK, CVersewrightView, OnBack, OnUpdateNeedAudio),
    ON_COMMAND_UPDATE(View, IDC_FORWARD, CVersewrightView, OnForward, OnUpdateNeedAudio),
    ON_COMMAND(View, ID_PLAY_VOLUME_UP, CVersewrightView, OnVolumeUp),
    ON_COMMAND(View, ID_PLAY_VOLUME_DOWN, CVersewrightView, OnVolumeDown),
    ON_COMMAND_UPDATE(View, ID_PLAY_PREV_TAG, CVersewrightView, OnPrevTag, OnUpdateTagNavigation),
    ON_COMMAND_UPDATE(View, ID_PLAY_NEXT_TAG, CVersewrightView, OnNextTag, OnUpdateTagNavigation),
    ON_COMMAND_UPDATE(View, ID_PLAY_NOW_TAG, CVersewrightView, OnNowTag, OnUpdateTagNavigation),
    // View: timing aids
    ON_COMMAND(View, ID_EDIT_NUDGE_EARLIER, CVersewrightView, OnNudgeEarlier),
    ON_COMMAND(View, ID_EDIT_NUDGE_LATER, CVersewrightView, OnNudgeLater),
    ON_COMMAND(View, ID_EDIT_NUDGE_EARLIER_FINE, CVersewrightView, OnNudgeEarlierFine),
    ON_COMMAND(View, ID_EDIT_NUDGE_LATER_FINE, CVersewrightView, OnNudgeLaterFine),
    ON_COMMAND_UPDATE(View, ID_PLAY_REPLAY_LINE, CVersewrightView, OnReplayLine,
                      OnUpdateNeedAudio),
    ON_COMMAND(View, ID_PLAY_SLOWER, CVersewrightView, OnSlower),
    ON_COMMAND(View, ID_PLAY_FASTER, CVersewrightView, OnFaster),
    // View: appearance
    ON_COMMAND(View, ID_VIEW_SET_FONT, CVersewrightView, OnSetFont),
    ON_COMMAND(View, ID_VIEW_TEXT_COLOR, CVersewrightView, OnTextColor),
    ON_COMMAND(View, ID_VIEW_BK_COLOR, CVersewrightView, OnBkColor),
    // View: printing; the printer settings of Print Setup live with the one view
    ON_COMMAND(View, ID_FILE_PRINT, CVersewrightView, OnFilePrint),
    ON_COMMAND(View, ID_FILE_PRINT_DIRECT, CVersewrightView, OnFilePrintDirect),
    ON_COMMAND(View, ID_FILE_PRINT_PREVIEW, CVersewrightView, OnFilePrintPreview),
    ON_COMMAND(View, ID_FILE_PRINT_SETUP, CVersewrightView, OnFilePrintSetup),
    // Document
    ON_COMMAND(Document, ID_FILE_OPEN, CVersewrightDoc, OnFileOpen),
    ON_UPDATE_COMMAND_UI(Document, ID_FILE_SAVE, CVersewrightDoc, OnUpdateFileSave),
    ON_COMMAND(Document, ID_FILE_SAVE, CDocument, OnFileSave),
    ON_COMMAND(Document, ID_FILE_SAVE_AS, CVersewrightDoc, OnFileSaveAs),
    ON_COMMAND(Document, ID_LYR_TO_LRC, CVersewrightDoc, OnLyrToLrc),
    ON_COMMAND(Document, ID_MPT_TO_LRC, CVersewrightDoc, OnMptToLrc),
    // Frame
    ON_COMMAND(Frame, ID_EDIT_LRC_TITLE, CMainFrame, OnEditLrcTitle),
    ON_COMMAND_UPDATE(Frame, ID_VIEW_EDIT_DIALOGBAR, CMainFrame, OnViewDialogBar,
                      OnUpdateViewDialogBar),
    // Application
    ON_COMMAND(App, ID_FILE_NEW, CWinApp, OnFileNew),
    ON_COMMAND_UPDATE(App, ID_FILE_MRU_FILE1, CWinApp, OnOpenRecentFile<0>, OnUpdateRecentFileMenu),
    ON_COMMAND_UPDATE(App, ID_FILE_MRU_FILE2, CWinApp, OnOpenRecentFile<1>, OnUpdateRecentFileMenu),
    ON_COMMAND_UPDATE(App, ID_FILE_MRU_FILE3, CWinApp, OnOpenRecentFile<2>, OnUpdateRecentFileMenu),
    ON_COMMAND_UPDATE(App, ID_FILE_MRU_FILE4, CWinApp, OnOpenRecentFile<3>, OnUpdateRecentFileMenu),
    ON_COMMAND_UPDATE(App, ID_FILE_MRU_FILE5, CWinApp, OnOpenRecentFile<4>, OnUpdateRecentFileMenu),
    ON_COMMAND_UPDATE(App, ID_FILE_MRU_FILE6, CWinApp, OnOpenRecentFile<5>, OnUpdateRecentFileMenu),
    ON_COMMAND(App, ID_APP_EXIT, CWinApp, OnAppExit),
    ON_COMMAND(App, ID_APP_ABOUT, CVersewrightApp, OnAppAbout),
    // Frame: the bars of the View menu and the help
    ON_COMMAND_UPDATE(Frame, ID_VIEW_TOOLBAR, CMainFrame, OnViewToolBar, OnUpdateViewToolBar),
    ON_COMMAND_UPDATE(Frame, ID_VIEW_STATUS_BAR, CMainFrame, OnViewStatusBar,
                      OnUpdateViewStatusBar),
    ON_COMMAND(Frame, ID_HELP_CONTENTS, CMainFrame, OnHelpContents),
    ON_COMMAND_UPDATE(Frame, ID_VIEW_TIMING_PANEL, CMainFrame, OnViewTimingPanel,
                      OnUpdateViewTimingPanel),
};
} // namespace

CCommandTable CVersewrightApp::GetCommandTable() const {
    return kCommands;
}
