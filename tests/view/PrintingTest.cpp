// Printing the lyrics: through the print dialog to a PDF file (as on a machine without a
// printer), the preview, and the page setup that later printing keeps.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"
#include "tests/support/ModalDialogs.h"

namespace {
// What one of poppler's tools prints for these arguments.
QString Poppler(const char* pszTool, const QStringList& args) {
    QProcess process;
    process.start(QString::fromLatin1(pszTool), args);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& strFile) {
    return Poppler("pdftotext", {QStringLiteral("-layout"), strFile, QStringLiteral("-")});
}

QString PdfInfo(const QString& strFile) {
    return Poppler("pdfinfo", {strFile});
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(GetSettingsFilePath());
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_app.Start());
    }
    void TearDown() override {
        m_app.Stop();
        QFile::remove(GetSettingsFilePath());
    }
    QString PathOf(const char* pszName) const {
        return m_dir.filePath(QString::fromLatin1(pszName));
    }
    // Ctrl+P; in the print dialog picks printing to a PDF file and presses button.
    bool PrintWithDialog(const QString& strPdf, QDialogButtonBox::StandardButton button) {
        const CModalWatch watch =
            WhenModalOpens<QPrintDialog>([strPdf, button](QPrintDialog* pDlg) {
                auto* pPrinters = pDlg->findChild<QComboBox*>(QStringLiteral("printers"));
                auto* pFile = pDlg->findChild<QLineEdit*>(QStringLiteral("filename"));
                if (!pPrinters || !pFile) {
                    pDlg->reject();
                    return;
                }
                pPrinters->setCurrentIndex(pPrinters->count() - 1); // "Print to File (PDF)"
                pFile->setText(strPdf);
                PressDialogButton(pDlg, button);
            });
        m_app.Press(Qt::Key_P, Qt::ControlModifier);
        return watch.Came();
    }
    QTemporaryDir m_dir;
    CRunningApp m_app;
};

TEST_F(PrintingTest, PrintedPdfHoldsTheTextInTheViewsFont) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(18);
    m_app.View()->ApplyFont(font);
    m_app.SetText("[ti:Night Song]\r\n[00:01.00]Across the river\r\n\r\n[00:02.50]S\xC3\xBC"
                  "\xC3\x9F und sch\xC3\xB6n\r\n[00:04.00]\xE6\xAD\x8C\xE8\xAF\x8D");
    const QString strPdf = PathOf("lyrics.pdf");
    ASSERT_TRUE(PrintWithDialog(strPdf, QDialogButtonBox::Ok));
    ASSERT_TRUE(QFile::exists(strPdf));

    const QString strText = PdfText(strPdf);
    for (const char* pszLine : {"[ti:Night Song]", "[00:01.00]Across the river",
                                "[00:02.50]Süß und schön", "[00:04.00]歌词"})
        EXPECT_TRUE(strText.contains(QString::fromUtf8(pszLine))) << pszLine << "\n"
                                                                  << strText.toStdString();
    // 18 screen pixels are 13.5 points on paper, not 18 dots of the printer.
    const QString strBoxes =
        Poppler("pdftotext", {QStringLiteral("-bbox"), strPdf, QStringLiteral("-")});
    const QRegularExpressionMatch word =
        QRegularExpression(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" "
                                          "yMax=\"([\\d.]+)\">[^<]*Across<"))
            .match(strBoxes);
    ASSERT_TRUE(word.hasMatch()) << strBoxes.toStdString();
    const double nWordHeight = word.captured(2).toDouble() - word.captured(1).toDouble();
    EXPECT_GT(nWordHeight, 13.5 * 0.9);
    EXPECT_LT(nWordHeight, 13.5 * 1.6);
    const QString strFonts = Poppler("pdffonts", {strPdf});
    EXPECT_TRUE(strFonts.contains(QStringLiteral("DejaVuSerif"))) << strFonts.toStdString();
    // The document is printed, not changed.
    EXPECT_FALSE(m_app.Doc()->IsModified());
}

TEST_F(PrintingTest, CancelPrintsNothing) {
    m_app.SetText("words");
    const QString strPdf = PathOf("never.pdf");
    ASSERT_TRUE(PrintWithDialog(strPdf, QDialogButtonBox::Cancel));
    EXPECT_FALSE(QFile::exists(strPdf));
}

TEST_F(PrintingTest, LongTextRunsOverPagesWithNothingLost) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line " + std::to_string(i) + " of the song\r\n";
    m_app.SetText(text);
    // A line longer than the page is wrapped, not cut.
    m_app.SetText(text + std::string(40, 'w') + " " + std::string(200, 'z') + " tail-end");
    const QString strPdf = PathOf("long.pdf");
    ASSERT_TRUE(PrintWithDialog(strPdf, QDialogButtonBox::Ok));
    const QString strText = PdfText(strPdf);
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(strText.contains(QStringLiteral("line %1 of the song").arg(i))) << i;
    EXPECT_TRUE(strText.contains(QStringLiteral("tail-end")));
    const QString strInfo = PdfInfo(strPdf);
    EXPECT_FALSE(strInfo.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << strInfo.toStdString();
}

TEST_F(PrintingTest, PreviewShowsThePages) {
    const struct {
        int nLines;
        bool bSeveralPages;
    } cases[] = {{3, false}, {400, true}};
    for (const auto& c : cases) {
        std::string text;
        for (int i = 0; i < c.nLines; ++i)
            text += "preview line\r\n";
        m_app.SetText(text);
        int nPages = -1;
        const CModalWatch watch =
            WhenModalOpens<QPrintPreviewDialog>([&nPages](QPrintPreviewDialog* pDlg) {
                if (auto* pPreview = pDlg->findChild<QPrintPreviewWidget*>())
                    nPages = pPreview->pageCount();
                pDlg->reject();
            });
        m_app.Execute(ID_FILE_PRINT_PREVIEW);
        ASSERT_TRUE(watch.Came());
        if (c.bSeveralPages)
            EXPECT_GT(nPages, 1);
        else
            EXPECT_EQ(nPages, 1);
    }
}

TEST_F(PrintingTest, PageSetupHoldsForLaterPrinting) {
    m_app.SetText("landscape lyrics");
    QPrinter& printer = m_app.View()->GetPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString strPortrait = PathOf("portrait.pdf");
    printer.setOutputFileName(strPortrait);
    m_app.Execute(ID_FILE_PRINT_DIRECT);
    ASSERT_TRUE(QFile::exists(strPortrait));

    const CModalWatch watch = WhenModalOpens<QPageSetupDialog>([](QPageSetupDialog* pDlg) {
        if (auto* pLandscape = pDlg->findChild<QRadioButton*>(QStringLiteral("landscape")))
            pLandscape->click();
        PressDialogButton(pDlg, QDialogButtonBox::Ok);
    });
    m_app.Execute(ID_FILE_PRINT_SETUP);
    ASSERT_TRUE(watch.Came());
    const QString strLandscape = PathOf("landscape.pdf");
    m_app.View()->GetPrinter().setOutputFileName(strLandscape);
    m_app.Execute(ID_FILE_PRINT_DIRECT);

    // "Page size:      595.276 x 841.89 pts (A4)": width and height.
    const auto size = [](const QString& strInfo) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                .match(strInfo);
        return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    };
    const QSizeF portrait = size(PdfInfo(strPortrait));
    const QSizeF landscape = size(PdfInfo(strLandscape));
    EXPECT_LT(portrait.width(), portrait.height());
    EXPECT_GT(landscape.width(), landscape.height());
    EXPECT_TRUE(PdfText(strLandscape).contains(QStringLiteral("landscape lyrics")));
}
} // namespace
