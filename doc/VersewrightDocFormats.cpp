// LYR and MPT files in the document. Until their formats are wired in, such files do not open
// and nothing is written in them.
#include "doc/VersewrightDoc.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"

bool CVersewrightDoc::OpenLyrFile(const QString&) {
    AfxMessageBox(QStringLiteral(AFX_IDP_FAILED_TO_OPEN_DOC), MB_ICONEXCLAMATION);
    return false;
}

bool CVersewrightDoc::OpenMptFile(const QString&) {
    AfxMessageBox(QStringLiteral(AFX_IDP_FAILED_TO_OPEN_DOC), MB_ICONEXCLAMATION);
    return false;
}

bool CVersewrightDoc::WriteLyrFile(const QString&, CArchive*) {
    return false;
}

bool CVersewrightDoc::WriteMptFile(const QString&, CArchive*) {
    return false;
}
