#include "view/Printing.h"

#include <QFontInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "doc/VersewrightDoc.h"
#include "view/VersewrightView.h"

void PrintPlainText(QPrinter& printer, const QString& strText, const QFont& screenFont) {
    // A pixel size means screen pixels; the printer has many more per inch, so the font goes in
    // points, which the printer's layout scales to its resolution.
    QFont font = screenFont;
    font.setPointSizeF(QFontInfo(screenFont).pointSizeF());
    QTextDocument doc;
    doc.setDefaultFont(font);
    doc.setPlainText(strText);
    // A printer that cannot start (a file that cannot be written, no device) prints nothing.
    doc.print(&printer);
}

QPrinter& CVersewrightView::GetPrinter() {
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (CVersewrightDoc* pDoc = GetDocument())
        m_pPrinter->setDocName(pDoc->GetTitle());
    return *m_pPrinter;
}

void CVersewrightView::OnFilePrint() {
    QPrinter& printer = GetPrinter();
    QPrintDialog dlg(&printer, window());
    if (dlg.exec() == QDialog::Accepted)
        PrintPlainText(printer, toPlainText(), font());
}

void CVersewrightView::OnFilePrintDirect() {
    PrintPlainText(GetPrinter(), toPlainText(), font());
}

void CVersewrightView::OnFilePrintPreview() {
    QPrintPreviewDialog dlg(&GetPrinter(), window());
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* pPrinter) { PrintPlainText(*pPrinter, toPlainText(), font()); });
    dlg.exec();
}

void CVersewrightView::OnFilePrintSetup() {
    QPageSetupDialog dlg(&GetPrinter(), window());
    dlg.exec();
}
