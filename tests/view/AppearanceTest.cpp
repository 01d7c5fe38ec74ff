// The editor's font, colours and margin: what start-up applies from the settings record, the
// View menu's dialogs, the pixels on the screen, and what the next start brings back.
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>

#include "app/Resource.h"
#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "tests/support/AppHarness.h"
#include "tests/support/ModalDialogs.h"

namespace {
constexpr ColorRef kWhite = 0xFFFFFF;

class AppearanceTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(GetSettingsFilePath()); }
    void TearDown() override {
        m_app.Stop();
        QFile::remove(GetSettingsFilePath());
    }
    // Starts with a stored record holding this font and these colours.
    bool StartWith(const char* pszFace, int32_t lfHeight, ColorRef crText = 0,
                   ColorRef crBack = kWhite) {
        XDataRecord record;
        qstrncpy(record.font.lfFaceName, pszFace, LF_FACESIZE);
        record.font.lfHeight = lfHeight;
        record.font.lfWeight = 400;
        record.placement.rcNormalRight = 600;
        record.placement.rcNormalBottom = 400;
        record.textColor = crText;
        record.backColor = crBack;
        return SaveXData(record) && m_app.Start();
    }
    void Close() {
        m_app.Frame()->close();
        m_app.Stop();
    }
    // What the screen shows of the view, after pending paints.
    QImage ScreenOfView() {
        QCoreApplication::processEvents();
        CVersewrightView* pView = m_app.View();
        const QPoint origin = pView->mapTo(m_app.Frame(), QPoint(0, 0));
        const QPixmap window = m_app.Frame()->screen()->grabWindow(m_app.Frame()->winId());
        const qreal ratio = window.devicePixelRatio();
        return window.copy(QRect(origin * ratio, pView->size() * ratio)).toImage();
    }
    // The view's pixel at a viewport point.
    static QColor Pixel(const QImage& image, CVersewrightView* pView, QPoint viewportPoint) {
        const QPoint p = pView->viewport()->mapTo(pView, viewportPoint);
        return image.pixelColor(p);
    }
    // Chooses a font in the font dialog opened by Set font; false if none opened.
    bool ChooseFont(const QFont& font) {
        const CModalWatch watch = WhenModalOpens<QFontDialog>([font](QFontDialog* pDlg) {
            pDlg->setCurrentFont(font);
            PressDialogButton(pDlg, QDialogButtonBox::Ok);
        });
        m_app.Execute(ID_VIEW_SET_FONT);
        return watch.Came();
    }
    // Answers the colour dialog of a command with a colour (or Cancel for an invalid one); the
    // colour the dialog started from.
    QColor ChooseColor(int nId, const QColor& color) {
        QColor initial;
        const CModalWatch watch =
            WhenModalOpens<QColorDialog>([&initial, color](QColorDialog* pDlg) {
                initial = pDlg->currentColor();
                if (!color.isValid()) {
                    PressDialogButton(pDlg, QDialogButtonBox::Cancel);
                    return;
                }
                pDlg->setCurrentColor(color);
                PressDialogButton(pDlg, QDialogButtonBox::Ok);
            });
        m_app.Execute(nId);
        EXPECT_TRUE(watch.Came()) << nId;
        return initial;
    }
    CRunningApp m_app;
};

TEST_F(AppearanceTest, StoredFontHeightGivesFontAndLineHeight) {
    const int nDefaultPixels =
        QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).pixelSize();
    const struct {
        int32_t lfHeight;
        int nPixels;     // the font's pixel size
        int nLineHeight; // at least 12
    } cases[] = {
        {-9, 9, 12},
        {-16, 16, 16},
        {9, 9, 12},
        {16, 16, 16},
        {-12, 12, 12},
        {-30, 30, 30},
        // Heights no font can take keep the default size.
        {0, nDefaultPixels, std::max(12, nDefaultPixels)},
        {INT32_MIN, nDefaultPixels, std::max(12, nDefaultPixels)},
        {5000, nDefaultPixels, std::max(12, nDefaultPixels)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(StartWith("DejaVu Serif", c.lfHeight)) << c.lfHeight;
        const QFontInfo info(m_app.View()->font());
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Serif")) << c.lfHeight;
        EXPECT_EQ(info.pixelSize(), c.nPixels) << c.lfHeight;
        EXPECT_EQ(m_app.View()->m_nLineHeight, c.nLineHeight) << c.lfHeight;
        m_app.Stop();
    }
}

TEST_F(AppearanceTest, WithoutRecordTheFixedFontBlackOnWhite) {
    ASSERT_TRUE(m_app.Start());
    CVersewrightView* pView = m_app.View();
    EXPECT_EQ(QFontInfo(pView->font()).family(),
              QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family());
    EXPECT_TRUE(QFontInfo(pView->font()).fixedPitch());
    EXPECT_GE(pView->m_nLineHeight, 12);
    EXPECT_EQ(pView->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(pView->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(AppearanceTest, FontDialogStartsFromTheCurrentFontAndOffersNoEffects) {
    ASSERT_TRUE(StartWith("DejaVu Serif", -16));
    QString strFamily;
    int nPixels = 0;
    int nVisibleChecks = -1;
    const CModalWatch watch = WhenModalOpens<QFontDialog>([&](QFontDialog* pDlg) {
        strFamily = QFontInfo(pDlg->currentFont()).family();
        nPixels = QFontInfo(pDlg->currentFont()).pixelSize();
        nVisibleChecks = 0;
        for (QCheckBox* pBox : pDlg->findChildren<QCheckBox*>())
            nVisibleChecks += pBox->isVisibleTo(pDlg) ? 1 : 0;
        PressDialogButton(pDlg, QDialogButtonBox::Cancel);
    });
    m_app.Execute(ID_VIEW_SET_FONT);
    ASSERT_TRUE(watch.Came());
    EXPECT_EQ(strFamily, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(nPixels, 16);
    EXPECT_EQ(nVisibleChecks, 0);
}

TEST_F(AppearanceTest, ChosenFontSetsLineHeight) {
    ASSERT_TRUE(m_app.Start());
    const struct {
        int nPoints;
        int nLineHeight;
    } cases[] = {{12, 16}, {6, 12}, {24, 32}};
    for (const auto& c : cases) {
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(c.nPoints);
        font.setBold(true);
        ASSERT_TRUE(ChooseFont(font)) << c.nPoints;
        const QFontInfo info(m_app.View()->font());
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Sans Mono"));
        EXPECT_TRUE(info.bold());
        EXPECT_EQ(m_app.View()->m_nLineHeight, c.nLineHeight) << c.nPoints;
        EXPECT_EQ(m_app.View()->viewport()->geometry().left() - m_app.View()->contentsRect().left(),
                  20);
    }
}

TEST_F(AppearanceTest, CancelKeepsFontAndSetsTheMarginAgain) {
    ASSERT_TRUE(StartWith("DejaVu Serif", -9));
    CVersewrightView* pView = m_app.View();
    const QFont before = pView->font();
    const CModalWatch watch = WhenModalOpens<QFontDialog>([](QFontDialog* pDlg) {
        QFont other(QStringLiteral("DejaVu Sans"));
        other.setPixelSize(40);
        pDlg->setCurrentFont(other);
        PressDialogButton(pDlg, QDialogButtonBox::Cancel);
    });
    m_app.Execute(ID_VIEW_SET_FONT);
    ASSERT_TRUE(watch.Came());
    EXPECT_EQ(pView->font(), before);
    EXPECT_EQ(QFontInfo(pView->font()).pixelSize(), 9);
    EXPECT_EQ(pView->m_nLineHeight, 12);
    EXPECT_EQ(pView->viewport()->geometry().left() - pView->contentsRect().left(), 20);
}

TEST_F(AppearanceTest, ColourDialogsStartFromTheCurrentColourAndCancelChangesNothing) {
    ASSERT_TRUE(StartWith("DejaVu Sans Mono", -16, 0x123456, 0xABCDEF));
    CVersewrightView* pView = m_app.View();
    EXPECT_EQ(ChooseColor(ID_VIEW_TEXT_COLOR, QColor()), ColorFromRef(0x123456));
    EXPECT_EQ(ChooseColor(ID_VIEW_BK_COLOR, QColor()), ColorFromRef(0xABCDEF));
    EXPECT_EQ(pView->m_crText, 0x123456u);
    EXPECT_EQ(pView->m_crBack, 0xABCDEFu);

    ChooseColor(ID_VIEW_TEXT_COLOR, QColor(200, 10, 20));
    ChooseColor(ID_VIEW_BK_COLOR, QColor(1, 2, 3));
    EXPECT_EQ(pView->m_crText, 0x140AC8u);
    EXPECT_EQ(pView->m_crBack, 0x030201u);
    // The next dialog starts from the colour just chosen.
    EXPECT_EQ(ChooseColor(ID_VIEW_BK_COLOR, QColor()), QColor(1, 2, 3));
}

TEST_F(AppearanceTest, BackgroundColourCoversTextBackgroundAndEmptyAreaAtOnce) {
    ASSERT_TRUE(StartWith("DejaVu Sans Mono", -30));
    m_app.SetText("    MMMM\r\n\r\nshort");
    CVersewrightView* pView = m_app.View();
    for (const QColor& back : {QColor(0, 128, 0), QColor(250, 240, 10)}) {
        ChooseColor(ID_VIEW_BK_COLOR, back);
        const QImage screen = ScreenOfView();
        // Behind the leading spaces, right of the text, on the empty line, below the last line.
        QTextCursor cursor(pView->document());
        cursor.setPosition(2);
        const QRect rcSpaces = pView->cursorRect(cursor);
        cursor.movePosition(QTextCursor::End);
        const int nBelow = pView->cursorRect(cursor).bottom() + 5;
        const QPoint points[] = {
            rcSpaces.center(),
            QPoint(pView->viewport()->width() - 5, rcSpaces.center().y()),
            QPoint(pView->viewport()->width() / 2, rcSpaces.center().y() + pView->m_nLineHeight),
            QPoint(10, nBelow),
            QPoint(pView->viewport()->width() - 5, pView->viewport()->height() - 5),
        };
        ASSERT_LT(nBelow, pView->viewport()->height() - 5);
        for (const QPoint& p : points)
            EXPECT_EQ(Pixel(screen, pView, p), back) << p.x() << "," << p.y();
        // The text itself is drawn in the text colour.
        cursor.setPosition(5);
        const QRect rcM = pView->cursorRect(cursor);
        bool bTextPixel = false;
        for (int x = rcM.left(); x < rcM.left() + 3 * pView->m_nLineHeight / 5; ++x)
            for (int y = rcM.top(); y < rcM.bottom(); ++y)
                bTextPixel |= Pixel(screen, pView, QPoint(x, y)) == QColor(Qt::black);
        EXPECT_TRUE(bTextPixel);
    }
}

TEST_F(AppearanceTest, TextStaysClearOfTheGutterWhenResized) {
    ASSERT_TRUE(m_app.Start());
    m_app.SetText("[00:01.00]first\r\nsecond");
    CVersewrightView* pView = m_app.View();
    for (const QSize& size : {QSize(300, 200), QSize(900, 700), QSize(120, 90), QSize(640, 480)}) {
        m_app.Frame()->resize(size);
        QCoreApplication::processEvents();
        const int nLeft = pView->contentsRect().left();
        EXPECT_EQ(pView->viewport()->geometry().left() - nLeft, 20) << size.width();
        QTextCursor cursor(pView->document());
        const int nText = pView->viewport()->mapTo(pView, pView->cursorRect(cursor).topLeft()).x();
        EXPECT_GE(nText, nLeft + 20) << size.width();
        const QWidget* pGutter = pView->findChild<QWidget*>(QStringLiteral("CGutter"));
        ASSERT_NE(pGutter, nullptr);
        EXPECT_EQ(pGutter->geometry(),
                  QRect(nLeft, pView->contentsRect().top(), 20, pView->contentsRect().height()));
    }
}

TEST_F(AppearanceTest, ChosenFontAndColoursSurviveARestart) {
    ASSERT_TRUE(m_app.Start());
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(15);
    font.setItalic(true);
    font.setBold(true);
    ASSERT_TRUE(ChooseFont(font));
    ChooseColor(ID_VIEW_TEXT_COLOR, QColor(0, 0, 255));
    ChooseColor(ID_VIEW_BK_COLOR, QColor(255, 255, 200));
    const int nPixels = QFontInfo(m_app.View()->font()).pixelSize();
    const int nLineHeight = m_app.View()->m_nLineHeight;
    Close();

    XDataRecord record;
    ASSERT_TRUE(LoadXData(record));
    EXPECT_EQ(record.font.lfHeight, -nPixels);
    EXPECT_EQ(record.font.lfWeight, 700);
    EXPECT_EQ(record.font.lfItalic, 1);
    EXPECT_STREQ(record.font.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(record.textColor, 0xFF0000u);
    EXPECT_EQ(record.backColor, 0xC8FFFFu);

    for (int nRun = 0; nRun < 2; ++nRun) {
        ASSERT_TRUE(m_app.Start());
        CVersewrightView* pView = m_app.View();
        const QFontInfo info(pView->font());
        EXPECT_EQ(info.family(), QStringLiteral("DejaVu Serif"));
        EXPECT_EQ(info.pixelSize(), nPixels);
        EXPECT_TRUE(info.bold());
        EXPECT_TRUE(info.italic());
        EXPECT_EQ(pView->m_nLineHeight, nLineHeight);
        EXPECT_EQ(pView->m_crText, 0xFF0000u);
        EXPECT_EQ(pView->m_crBack, 0xC8FFFFu);
        const QImage screen = ScreenOfView();
        EXPECT_EQ(Pixel(screen, pView, QPoint(30, pView->viewport()->height() - 5)),
                  QColor(255, 255, 200));
        // Closing again writes the same record.
        Close();
        XDataRecord again;
        ASSERT_TRUE(LoadXData(again));
        EXPECT_EQ(0, std::memcmp(&again.font, &record.font, sizeof record.font));
        EXPECT_EQ(again.backColor, record.backColor);
    }
}
} // namespace
