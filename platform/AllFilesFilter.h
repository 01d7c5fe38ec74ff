#pragma once
// The "All Files(*.*)" filter of the file dialogs: shown as the text gives it, and, as the
// pattern did where it comes from, matching every file, also one whose name has no dot.

class QFileDialog;

constexpr const char* kAllFilesFilter = "All Files(*.*)";

// While the dialog's chosen filter is "*.*", its list shows every file.
void MatchAllFilesWithoutDot(QFileDialog& dialog);
