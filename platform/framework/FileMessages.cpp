#include "platform/framework/FileMessages.h"

#include <QFile>

#include "doc/FileReplace.h"
#include "platform/FileNames.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/MessageBox.h"

namespace {

void Report(const QString& strText, const QString& strReason) {
    AfxMessageBox(strReason.isEmpty() ? strText : strText + QLatin1Char('\n') + strReason,
                  MB_ICONEXCLAMATION);
}

} // namespace

void AfxReportOpenFailure(const QString& strPath, const QString& strReason) {
    Report(QStringLiteral(AFX_IDP_FAILED_TO_OPEN_DOC "\n") + strPath, strReason);
}

void AfxReportSaveRefused(const QString& strPath, const QString& strReason) {
    Report(QStringLiteral(AFX_IDP_FAILED_TO_SAVE_DOC "\n") + strPath, strReason);
}

void AfxReportWriteFailure(const QString& strPath, const QString& strReason) {
    Report(QStringLiteral(AFX_IDP_FAILED_IO_ERROR_WRITE).arg(strPath), strReason);
}

bool AfxWriteWholeFile(const QString& strPath, std::string_view bytes) {
    std::string reason;
    if (WriteFileReplacing(ToFileName(strPath), bytes, &reason))
        return true;
    AfxReportWriteFailure(strPath, QString::fromStdString(reason));
    return false;
}
