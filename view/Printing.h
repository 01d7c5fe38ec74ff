#pragma once
// Printing of plain text on a printer's pages.

#include <QFont>
#include <QString>

class QPrinter;

// Prints the text with a screen font at the size it shows on the screen, lines wrapped at the
// page width, pages numbered.
void PrintPlainText(QPrinter& printer, const QString& strText, const QFont& screenFont);
