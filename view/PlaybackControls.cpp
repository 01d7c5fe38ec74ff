#include "view/PlaybackControls.h"

#include <QLineEdit>
#include <QSlider>

#include "app/EditDialogBar.h"
#include "app/MainFrame.h"
#include "app/Resource.h"

CEditDialogBar* GetEditDialogBar() {
    return g_pMainFrame ? g_pMainFrame->findChild<CEditDialogBar*>() : nullptr;
}

namespace {

QLineEdit* GetBarEdit(int nId) {
    CEditDialogBar* pBar = GetEditDialogBar();
    return pBar ? qobject_cast<QLineEdit*>(pBar->Control(nId)) : nullptr;
}

} // namespace

void SetBarText(int nId, const QString& strText) {
    if (QLineEdit* pEdit = GetBarEdit(nId)) {
        pEdit->setText(strText);
        // A long audio path shows its end, the file name; the now tag its start, the tag.
        pEdit->setCursorPosition(nId == IDC_AUDIO_FILE ? static_cast<int>(strText.size()) : 0);
    }
}

QString GetBarText(int nId) {
    const QLineEdit* pEdit = GetBarEdit(nId);
    return pEdit ? pEdit->text() : QString();
}

QSlider* GetBarSlider(int nId) {
    CEditDialogBar* pBar = GetEditDialogBar();
    return pBar ? qobject_cast<QSlider*>(pBar->Control(nId)) : nullptr;
}
