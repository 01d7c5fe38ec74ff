#pragma once
// What hangs on the interface language: resource set, control-bar and header-dialog templates,
// help file and string-table column.

struct CLanguageResources {
    int nResourceSetId;
    int nDialogBarId;
    int nTitleDlgId;
    const char* pszHelpFile;
    int nStringColumn;
};

// The entry of a UiLanguage; any value outside 0..3 gives English.
const CLanguageResources& GetLanguageResources(int nLanguage);
