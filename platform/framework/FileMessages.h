#pragma once
// The framework's messages for files that could not be opened or saved: the standard text, then
// the file's name and the reason, so the user knows which file and why.

#include <QString>
#include <string>

// "Failed to open document.", the path and the reason.
void AfxReportOpenFailure(const QString& strPath, const QString& strReason);
// "Failed to save document.", the path and the reason: a save refused before writing.
void AfxReportSaveRefused(const QString& strPath, const QString& strReason);

// "An unexpected error occurred while writing" the path, and the reason.
void AfxReportWriteFailure(const QString& strPath, const QString& strReason);

// Writes a whole file, replacing it only once every byte is on the disk. A failure says so,
// naming the file and the system's reason, and leaves the file as it was. False when nothing
// was written.
bool AfxWriteWholeFile(const QString& strPath, std::string_view bytes);
