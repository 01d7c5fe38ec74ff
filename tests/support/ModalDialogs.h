#pragma once
// Drives the dialogs a command opens: the test arms a watch, runs the command, and the watch acts
// on the dialog once it is open inside its exec(). The program can run in a chosen interface
// language meanwhile.

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "app/DialogTemplate.h"

// A watch armed by WhenModalOpens: whether its dialog came, and a way to end it early.
class CModalWatch {
public:
    CModalWatch(QTimer* pTimer, std::shared_ptr<bool> pCame)
        : m_pTimer(pTimer), m_pCame(std::move(pCame)) {}
    bool Came() const { return *m_pCame; }
    void Stop() { delete m_pTimer.data(); }

private:
    QPointer<QTimer> m_pTimer;
    std::shared_ptr<bool> m_pCame;
};

// Calls fn once with the next modal window of type T, other than the one active now, when it
// shows. The watch ends with that call, when nMs pass without one, or with Stop().
template <class T = QWidget>
CModalWatch WhenModalOpens(std::type_identity_t<std::function<void(T*)>> fn, int nMs = 5000) {
    QPointer<QWidget> pBefore = QApplication::activeModalWidget();
    auto pCame = std::make_shared<bool>(false);
    auto* pTimer = new QTimer;
    QObject::connect(pTimer, &QTimer::timeout, pTimer,
                     [pTimer, pBefore, fn, pCame, nLeft = nMs / 10]() mutable {
                         QWidget* pModal = QApplication::activeModalWidget();
                         T* pDialog = pModal && pModal != pBefore && pModal->isVisible()
                                          ? qobject_cast<T*>(pModal)
                                          : nullptr;
                         if (!pDialog && --nLeft > 0)
                             return;
                         pTimer->stop();
                         pTimer->deleteLater();
                         if (pDialog) {
                             *pCame = true;
                             fn(pDialog);
                         }
                     });
    pTimer->start(10);
    return CModalWatch(pTimer, pCame);
}

// Clicks a button of the dialog's button box, as the user would; rejects the dialog if it has
// no such button.
void PressDialogButton(QDialog* pDialog, QDialogButtonBox::StandardButton button);

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
