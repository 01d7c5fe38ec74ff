#pragma once
// The audio control bar's controls as the view writes and reads them. Each call does nothing
// (or returns null) while the main frame has no control bar.

#include <QString>

class CEditDialogBar;
class QSlider;

CEditDialogBar* GetEditDialogBar();
// Text of an edit field of the bar (IDC_AUDIO_FILE, IDC_PROGRESS_TIME, IDC_NOW_TAG), shown from
// its start.
void SetBarText(int nId, const QString& strText);
QString GetBarText(int nId);
// A slider of the bar (IDC_PROGRESS, IDC_VOLUME).
QSlider* GetBarSlider(int nId);
// A message in the main frame's status bar, kept until the next one.
void ShowStatusText(const QString& strText);
