#pragma once
// Drives the dialogs a command opens: the test arms a handler, runs the command, and the handler
// acts on the dialog once it is open inside its exec().

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTimer>
#include <functional>
#include <memory>

// Calls fn with the next modal dialog of type T when it shows; gives up after nMs. The flag
// tells whether it came.
template <class T>
std::shared_ptr<bool> WhenModalOpens(std::function<void(T*)> fn, int nMs = 5000) {
    auto pCame = std::make_shared<bool>(false);
    auto* pTimer = new QTimer;
    auto nLeft = std::make_shared<int>(nMs / 10);
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, fn, pCame, nLeft] {
        T* pDialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!pDialog && --*nLeft > 0)
            return;
        pTimer->stop();
        pTimer->deleteLater();
        if (pDialog) {
            *pCame = true;
            fn(pDialog);
        }
    });
    pTimer->start(10);
    return pCame;
}

// Clicks a button of the dialog's button box, as the user would; rejects the dialog if it has
// no such button.
void PressDialogButton(QDialog* pDialog, QDialogButtonBox::StandardButton button);
