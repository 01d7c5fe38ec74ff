#include "tests/support/FileDialogAnswer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

CFileDialogAnswer::CFileDialogAnswer(const QString& strObjectName, const QString& strPath,
                                     bool bReplace)
    : m_pTimer(new QTimer) {
    if (bReplace) {
        m_pReplaceTimer = new QTimer;
        QObject::connect(m_pReplaceTimer, &QTimer::timeout, m_pReplaceTimer, [this] {
            auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!pBox || !pBox->button(QMessageBox::Yes))
                return;
            m_pReplaceTimer->stop();
            pBox->button(QMessageBox::Yes)->click();
        });
        m_pReplaceTimer->start(10);
    }
    QObject::connect(m_pTimer, &QTimer::timeout, m_pTimer, [this, strObjectName, strPath] {
        auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!pDialog || pDialog->objectName() != strObjectName)
            return;
        m_pTimer->stop(); // one dialog only
        m_seen.bShown = true;
        m_seen.strTitle = pDialog->windowTitle();
        m_seen.mode = pDialog->acceptMode();
        m_seen.filters = pDialog->nameFilters();
        m_seen.strDefaultSuffix = pDialog->defaultSuffix();
        m_seen.proposed = pDialog->selectedFiles();
        if (strPath.isEmpty()) {
            pDialog->reject();
            return;
        }
        // Typed into the file name field, which takes names the filter hides, then confirmed;
        // typing into the focused field lets go of the proposed file the list selected.
        if (auto* pList = pDialog->findChild<QAbstractItemView*>(QStringLiteral("listView")))
            pList->clearSelection();
        if (auto* pEdit = pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            pEdit->setText(strPath);
        else
            pDialog->selectFile(strPath);
        QMetaObject::invokeMethod(pDialog, "accept");
    });
    m_pTimer->start(10);
}

CFileDialogAnswer::~CFileDialogAnswer() {
    delete m_pTimer;
    delete m_pReplaceTimer;
}
