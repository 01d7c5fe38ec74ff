#pragma once
// The ".lrc" file association on the desktop: a MIME type text/x-lrc (glob *.lrc), a desktop
// entry, and the default-application entry in mimeapps.list, all in the user's XDG folders.
// Failures are silent.

#include <QByteArray>
#include <QString>

// MIME type of a file extension (".lrc"); empty for one the program does not register.
const char* MimeTypeOfExtension(const char* pszExtension);
// True only if the extension's MIME type opens with this program by default.
bool IsFileTypeRegistered(const char* pszExtension);
// Drops the extension's default-application entry, whoever holds it.
void UnregisterFileType(const char* pszExtension);
// Installs the MIME type and the desktop entry, and takes the default-application entry when
// it is free or already the program's.
void RegisterShellFileTypes();

// A path as one quoted argument of a desktop entry's Exec key.
QByteArray QuotedExecArgument(const QString& strPath);

// Name of the program's desktop entry.
constexpr const char* kDesktopEntryName = "versewright.desktop";
