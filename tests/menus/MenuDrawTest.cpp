#include "MenuTestSupport.h"
#include "app/Resource.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace menutest;

namespace {

constexpr int kPlayMenu = 1;
constexpr int kEditMenu = 2;
constexpr int kViewMenu = 3;
constexpr int kFileMenu = 0;

class MenuDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseTestLook();
        m_pFrame = std::make_unique<CTestFrame>();
    }
    void TearDown() override {
        for (QAction* pAction : m_pFrame->menuBar()->actions())
            pAction->menu()->hide();
        m_pFrame.reset();
    }

    // Opens the pop-up (which converts it), selects an item and paints it into an image.
    QImage Grab(QMenu* pMenu, QAction* pActive = nullptr) {
        pMenu->popup(QPoint(10, 10));
        pMenu->setActiveAction(pActive);
        return pMenu->grab().toImage();
    }
    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    // Bounding box of the pixels of one colour inside a rectangle.
    static QRect Box(const QImage& image, const QRect& area, const QColor& color) {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixelColor(x, y) == color)
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    std::unique_ptr<CTestFrame> m_pFrame;
};

TEST_F(MenuDrawTest, PlayMenuIsConvertedOnceWhenItOpens) {
    QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
    EXPECT_EQ(m_pFrame->MenuHelper().ItemCount(), 0);
    Grab(pPlay);
    EXPECT_EQ(m_pFrame->MenuHelper().ItemCount(), 14); // 11 commands, 3 separators
    pPlay->hide();
    m_pFrame->Command(kPlayMenu, IDC_PAUSE)->setEnabled(false);
    Grab(pPlay);
    EXPECT_EQ(m_pFrame->MenuHelper().ItemCount(), 14);
    const IconMenuItem* pItem =
        m_pFrame->MenuHelper().ItemData(pPlay, m_pFrame->Command(kPlayMenu, IDC_PLAY));
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(pItem->nImage, 11);
    EXPECT_EQ(pItem->strText, "&Play\tCtrl+Enter");
    pItem = m_pFrame->MenuHelper().ItemData(pPlay, m_pFrame->Command(kPlayMenu, ID_PLAY_VOLUME_UP));
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(pItem->nImage, -1);
    // The menu bar's own items stay with the toolkit.
    EXPECT_EQ(m_pFrame->MenuHelper().ItemData(nullptr, pPlay->menuAction()), nullptr);
}

TEST_F(MenuDrawTest, ItemHeightsFollowTheImageSize) {
    QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
    Grab(pPlay);
    ASSERT_LT(QFontMetrics(m_pFrame->MenuHelper().MenuFont()).height(), 21);
    for (QAction* pAction : pPlay->actions())
        EXPECT_EQ(pPlay->actionGeometry(pAction).height(), pAction->isSeparator() ? 6 : 21)
            << pAction->text().toStdString();
}

TEST_F(MenuDrawTest, RowsAreAsWideAsTheWidestItemWithTheSystemCheckWidth) {
    for (int nMenu : {kFileMenu, kPlayMenu, kEditMenu, kViewMenu}) {
        SCOPED_TRACE(nMenu);
        QMenu* pMenu = m_pFrame->Popup(nMenu);
        Grab(pMenu);
        int nWidest = 0;
        for (QAction* pAction : pMenu->actions()) {
            SMeasureItem request;
            request.pItemData = m_pFrame->MenuHelper().ItemData(pMenu, pAction);
            ASSERT_TRUE(m_pFrame->MenuHelper().MeasureItem(&request));
            nWidest = qMax(nWidest, request.nItemWidth);
        }
        for (QAction* pAction : pMenu->actions())
            EXPECT_EQ(pMenu->actionGeometry(pAction).width(), nWidest + 12);
        pMenu->hide();
    }
}

TEST_F(MenuDrawTest, HighlightCoversTheIconCellOnlyWithoutAnImage) {
    struct SRow {
        int nId;
        bool bImage;
    };
    for (const SRow& row : {SRow{ID_PLAY_VOLUME_UP, false}, SRow{IDC_PLAY, true}}) {
        SCOPED_TRACE(row.nId);
        QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
        QAction* pAction = m_pFrame->Command(kPlayMenu, row.nId);
        const QImage image = Grab(pPlay, pAction);
        const QRect rc = pPlay->actionGeometry(pAction);
        const int l = rc.left(), t = rc.top(), h = rc.height();
        EXPECT_EQ(At(image, l + h + 3, t + 1), kHighlight) << "text area";
        if (row.bImage) {
            EXPECT_EQ(At(image, l + 1, t + 1), kMenu) << "cell keeps the menu colour";
            EXPECT_EQ(At(image, l, t), kLight) << "raised frame, top left";
            EXPECT_EQ(At(image, l + h - 1, t + h - 1), kDark) << "raised frame, bottom right";
            EXPECT_EQ(At(image, l + h, t + 1), kMenu) << "gap column between cell and text";
        } else {
            EXPECT_EQ(At(image, l + 1, t + 1), kHighlight);
            EXPECT_EQ(At(image, l + h, t + 1), kHighlight);
        }
        pPlay->hide();
    }
}

TEST_F(MenuDrawTest, ImageSitsCentredOnTheButtonFace) {
    QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
    QAction* pStop = m_pFrame->Command(kPlayMenu, ID_PLAY_STOP);
    const QImage image = Grab(pPlay);
    const QRect rc = pPlay->actionGeometry(pStop);
    // The stop glyph leaves its corners transparent: they show the face, not the menu.
    EXPECT_EQ(At(image, rc.left() + 2, rc.top() + 2), kFace);
    EXPECT_EQ(At(image, rc.left() + 17, rc.top() + 17), kFace);
    EXPECT_EQ(At(image, rc.left() + 1, rc.top() + 1), kMenu);
    EXPECT_EQ(At(image, rc.left() + 18, rc.top() + 18), kMenu);
}

TEST_F(MenuDrawTest, DisabledLabelIsEmbossedUnlessSelected) {
    QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
    QAction* pDown = m_pFrame->Command(kPlayMenu, ID_PLAY_VOLUME_DOWN);
    pDown->setEnabled(false);
    QImage image = Grab(pPlay);
    const QRect rc = pPlay->actionGeometry(pDown);
    // Only the label's half: the key name is right-aligned further on.
    const QRect label(rc.left() + rc.height() + 1, rc.top(), 60, rc.height());
    const QRect gray = Box(image, label, kGray);
    const QRect light = Box(image, label, kLight);
    ASSERT_FALSE(gray.isEmpty());
    ASSERT_FALSE(light.isEmpty());
    EXPECT_EQ(light.right(), gray.right() + 1);
    EXPECT_EQ(light.bottom(), gray.bottom() + 1);
    EXPECT_TRUE(Box(image, label, kText).isEmpty());
    pPlay->hide();

    image = Grab(pPlay, pDown);
    EXPECT_EQ(pPlay->activeAction(), pDown);
    EXPECT_TRUE(Box(image, label, kLight).isEmpty()) << "no embossing under the selection";
    EXPECT_TRUE(Box(image, label, kGray).isEmpty());
    EXPECT_FALSE(Box(image, label, kMenu).isEmpty()) << "text in the menu colour";
    EXPECT_EQ(At(image, rc.left() + 1, rc.top() + 1), kHighlight);
}

TEST_F(MenuDrawTest, DisabledImageIsEmbossedWithoutFace) {
    QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
    QAction* pStop = m_pFrame->Command(kPlayMenu, ID_PLAY_STOP);
    pStop->setEnabled(false);
    const QImage image = Grab(pPlay);
    const QRect rc = pPlay->actionGeometry(pStop);
    const QRect cell(rc.left() + 1, rc.top() + 1, rc.height() - 2, rc.height() - 2);
    const QRect dark = Box(image, cell, kDark);
    const QRect light = Box(image, cell, kLight);
    ASSERT_FALSE(dark.isEmpty());
    EXPECT_EQ(light.bottomRight(), dark.bottomRight() + QPoint(1, 1));
    EXPECT_TRUE(Box(image, cell, kFace).isEmpty());
}

TEST_F(MenuDrawTest, SeparatorIsAnEtchedLine) {
    QMenu* pPlay = m_pFrame->Popup(kPlayMenu);
    const QImage image = Grab(pPlay);
    QAction* pSeparator = pPlay->actions().at(1);
    ASSERT_TRUE(pSeparator->isSeparator());
    const QRect rc = pPlay->actionGeometry(pSeparator);
    const int l = rc.left(), t = rc.top(), r = rc.left() + rc.width();
    EXPECT_EQ(rc.height(), 6);
    EXPECT_EQ(Box(image, rc, kDark), QRect(QPoint(l + 2, t + 2), QPoint(r - 3, t + 2)));
    EXPECT_EQ(Box(image, rc, kLight), QRect(QPoint(l + 2, t + 3), QPoint(r - 3, t + 3)));
}

TEST_F(MenuDrawTest, CheckImageOnlyForCheckedItemsWithoutAnImage) {
    struct SRow {
        int nMenu;
        int nId;
        bool bCheckShown;
    };
    for (const SRow& row :
         {SRow{kViewMenu, ID_VIEW_TOOLBAR, true}, SRow{kPlayMenu, IDC_PLAY, false}}) {
        SCOPED_TRACE(row.nId);
        QMenu* pMenu = m_pFrame->Popup(row.nMenu);
        QAction* pAction = m_pFrame->Command(row.nMenu, row.nId);
        pAction->setCheckable(true);
        pAction->setChecked(true);
        const QImage image = Grab(pMenu);
        const QRect rc = pMenu->actionGeometry(pAction);
        // The check image sits 2 pixels above the centred image place; its tick's left end
        // is 5 pixels in and 7 down.
        const int x = rc.left() + (rc.height() - 16) / 2, y = rc.top() + (rc.height() - 16) / 2 - 2;
        EXPECT_EQ(At(image, x + 5, y + 7) == QColor(Qt::black), row.bCheckShown);
        EXPECT_EQ(At(image, x, y) == kDark, row.bCheckShown) << "sunken square, top left";
        pMenu->hide();
    }
}

TEST_F(MenuDrawTest, KeyNameIsRightAligned15PixelsFromTheEdge) {
    QMenu* pFile = m_pFrame->Popup(kFileMenu);
    QAction* pOpen = m_pFrame->Command(kFileMenu, ID_FILE_OPEN);
    const QImage image = Grab(pFile);
    const QRect rc = pFile->actionGeometry(pOpen);
    const QRect ink = Box(image, rc, kText);
    ASSERT_FALSE(ink.isEmpty());
    const int nRightLimit = rc.left() + rc.width() - 15; // exclusive
    EXPECT_LT(ink.right(), nRightLimit);
    EXPECT_GE(ink.right(), nRightLimit - 3);
    // The label starts 2 pixels into the text area, which begins after the icon cell.
    const int nTextLeft = rc.left() + rc.height() + 1 + 2;
    EXPECT_GE(ink.left(), nTextLeft);
    EXPECT_LE(ink.left(), nTextLeft + 2);
}

TEST_F(MenuDrawTest, AmpersandIsNotShownButUnderlines) {
    // "&Open..." and "Open..." differ by the underline only; the ampersand takes no room.
    QMenu menu;
    QAction* pWith = menu.addAction(QStringLiteral("&Open..."));
    QAction* pWithout = menu.addAction(QStringLiteral("Open..."));
    m_pFrame->HookMenu(&menu);
    const QImage image = Grab(&menu);
    const QRect rcWith = menu.actionGeometry(pWith), rcWithout = menu.actionGeometry(pWithout);
    EXPECT_EQ(Box(image, rcWith, kText).right(), Box(image, rcWithout, kText).right());
    const auto count = [&](const QRect& rc) {
        int n = 0;
        for (int y = rc.top(); y <= rc.bottom(); ++y)
            for (int x = rc.left(); x <= rc.right(); ++x)
                n += image.pixelColor(x, y) == kText;
        return n;
    };
    EXPECT_GT(count(rcWith), count(rcWithout)) << "underline below the O";
    menu.hide();
}

TEST_F(MenuDrawTest, PopupsOutsideTheFrameKeepTheToolkitLook) {
    QMenu menu;
    menu.addAction(QStringLiteral("&Copy"));
    menu.popup(QPoint(10, 10));
    EXPECT_EQ(m_pFrame->MenuHelper().ItemData(&menu, menu.actions().at(0)), nullptr);
    EXPECT_NE(menu.style(), m_pFrame->Popup(kPlayMenu)->style());
    menu.hide();
}

TEST_F(MenuDrawTest, RecordsOfRemovedItemsAreDropped) {
    QMenu* pEdit = m_pFrame->Popup(kEditMenu);
    Grab(pEdit);
    QAction* pTidy = m_pFrame->Command(kEditMenu, ID_EDIT_TIDY);
    ASSERT_NE(m_pFrame->MenuHelper().ItemData(pEdit, pTidy), nullptr);
    pEdit->hide();
    pEdit->removeAction(pTidy);
    EXPECT_EQ(m_pFrame->MenuHelper().ItemData(pEdit, pTidy), nullptr);
    // Put back, it is converted anew the next time the menu opens.
    pEdit->addAction(pTidy);
    Grab(pEdit);
    EXPECT_NE(m_pFrame->MenuHelper().ItemData(pEdit, pTidy), nullptr);
}

} // namespace
