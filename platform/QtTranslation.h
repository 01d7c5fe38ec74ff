#pragma once
// Qt's own dialogs and buttons (font, colour, print and file dialogs, message box buttons) in the
// interface language, from the translations installed with Qt.

class QObject;

// Installs the translation of the interface language for as long as pOwner lives; false when
// the language needs none (English) or Qt's translation is not installed.
bool InstallQtTranslation(QObject* pOwner, int nLanguage);
