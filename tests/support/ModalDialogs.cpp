#include "tests/support/ModalDialogs.h"

#include <QPushButton>

void PressDialogButton(QDialog* pDialog, QDialogButtonBox::StandardButton button) {
    for (QDialogButtonBox* pBox : pDialog->findChildren<QDialogButtonBox*>()) {
        if (QPushButton* pButton = pBox->button(button)) {
            pButton->click();
            return;
        }
    }
    pDialog->reject();
}
