#pragma once
// Answers the program's file dialogs in a test, as a user would: types a path and confirms, or
// cancels; and keeps what the dialog offered.

#include <QFileDialog>
#include <QString>
#include <QStringList>

class QTimer;

// What a file dialog showed when it was answered.
struct CFileDialogSeen {
    bool bShown = false;
    QString strTitle;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QStringList filters;
    QString strDefaultSuffix;
    QStringList proposed; // the files selected when it opened
};

// While it lives, answers the next modal file dialog with this object name: strPath chosen and
// confirmed, or the dialog cancelled when strPath is empty. With bReplace, the dialog's question
// whether to replace an existing file is answered Yes.
class CFileDialogAnswer {
public:
    CFileDialogAnswer(const QString& strObjectName, const QString& strPath, bool bReplace = false);
    ~CFileDialogAnswer();
    CFileDialogAnswer(const CFileDialogAnswer&) = delete;
    CFileDialogAnswer& operator=(const CFileDialogAnswer&) = delete;

    const CFileDialogSeen& Seen() const { return m_seen; }

private:
    QTimer* m_pTimer;
    QTimer* m_pReplaceTimer = nullptr;
    CFileDialogSeen m_seen;
};
