#pragma once
// The information box: the program's version history in Simplified Chinese, opened from the
// About box by its hot key. Esc does not close it; OK, Enter and the close button do.

class QWidget;

// True while an information box is open.
extern bool g_bTestInfoOpen;

// Runs the information box modally over pOwner and returns when it has closed. While another
// information box is open, the new one ends at once.
void RunTestInfoDialog(QWidget* pOwner);

// The text the box shows.
const char* TestInfoText();
