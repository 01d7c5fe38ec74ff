#pragma once
// Drives modal dialogs from a test: a callback runs on the next modal window that appears while
// the command that opens it is running, and the program runs in a chosen interface language.

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/DialogTemplate.h"

// Runs fn once on the next modal window other than the one active now. The watch ends with
// that call or when the returned timer is deleted.
inline QTimer* OnNextModal(std::function<void(QWidget*)> fn) {
    QPointer<QWidget> pBefore = QApplication::activeModalWidget();
    auto* pTimer = new QTimer;
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, pBefore, fn] {
        QWidget* pModal = QApplication::activeModalWidget();
        if (!pModal || pModal == pBefore || !pModal->isVisible())
            return;
        pTimer->stop();
        pTimer->deleteLater();
        fn(pModal);
    });
    pTimer->start(10);
    return pTimer;
}

inline QLineEdit* EditOf(QWidget* pDlg, int nId) {
    return qobject_cast<QLineEdit*>(FindDlgItem(pDlg, nId));
}

// Sets LANG for the life of the object; the interface language follows it.
class CLocaleScope {
public:
    explicit CLocaleScope(const char* pszLang) {
        if (const char* pszOld = std::getenv("LANG"))
            m_strOld = pszOld;
        setenv("LANG", pszLang, 1);
    }
    ~CLocaleScope() { setenv("LANG", m_strOld.c_str(), 1); }

private:
    std::string m_strOld = "en_US.UTF-8";
};
