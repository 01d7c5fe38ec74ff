#include "MenuTestSupport.h"
#include "app/Resource.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace menutest;

namespace {

TEST(LoadToolbarImages, MenuStripAndFailure) {
    CIconMenuHelper helper;
    EXPECT_EQ(helper.IconWidth(), 20);
    EXPECT_FALSE(helper.LoadToolbarImages(999));
    EXPECT_EQ(helper.IconWidth(), 20);
    EXPECT_EQ(helper.IconHeight(), 20);
    EXPECT_EQ(helper.FindImage(IDC_PLAY), -1);

    ASSERT_TRUE(helper.LoadToolbarImages(136));
    EXPECT_EQ(helper.IconWidth(), 16);
    EXPECT_EQ(helper.IconHeight(), 16);
    const struct {
        int nCommand;
        int nImage;
    } rows[] = {{ID_FILE_NEW, 0},       {ID_EDIT_CUT, 3},        {ID_APP_ABOUT, 7},
                {ID_VIEW_SET_FONT, 9},  {IDC_PLAY, 11},          {ID_PLAY_STOP, 15},
                {ID_HELP_CONTENTS, 16}, {ID_PLAY_VOLUME_UP, -1}, {0, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(helper.FindImage(row.nCommand), row.nImage) << row.nCommand;

    // The tool bar strip counts its gaps out: the time-format button is image 6.
    ASSERT_TRUE(helper.LoadToolbarImages(130));
    EXPECT_EQ(helper.IconWidth(), 20);
    EXPECT_EQ(helper.FindImage(ID_TIME_FORMAT), 6);
    EXPECT_EQ(helper.FindImage(ID_APP_ABOUT), 14);
}

TEST(MeasureItem, FixedSizesAndRequestsForOthers) {
    UseTestLook();
    CIconMenuHelper helper;
    ASSERT_TRUE(helper.LoadToolbarImages(136));
    IconMenuItem separator{kSeparatorCode, kSeparatorCode, QStringLiteral("--")};
    IconMenuItem empty{-1, 5, QString()};
    IconMenuItem text{-1, 5, QStringLiteral("&Open...\tCtrl+O")};

    SMeasureItem request;
    request.nCtlType = ODT_MENU + 1;
    request.pItemData = &text;
    EXPECT_FALSE(helper.MeasureItem(&request)) << "not a menu item";

    request = SMeasureItem{};
    EXPECT_TRUE(helper.MeasureItem(&request));
    EXPECT_EQ(request.nItemWidth, 0) << "no item data, no size";

    request.pItemData = &separator;
    EXPECT_TRUE(helper.MeasureItem(&request));
    EXPECT_EQ(QSize(request.nItemWidth, request.nItemHeight), QSize(10, 6));

    request.pItemData = &empty;
    EXPECT_TRUE(helper.MeasureItem(&request));
    EXPECT_EQ(QSize(request.nItemWidth, request.nItemHeight), QSize(80, 21));

    // The whole text counts, key name and ampersand included, with room for the icon cell.
    request.pItemData = &text;
    EXPECT_TRUE(helper.MeasureItem(&request));
    const QFontMetrics fm(helper.MenuFont());
    EXPECT_EQ(request.nItemHeight, 21);
    EXPECT_GT(request.nItemWidth, fm.horizontalAdvance("&Open...Ctrl+O") + 10 + 21);
}

TEST(DrawItem, OnlyMenuItemsWithDataArePainted) {
    UseTestLook();
    CIconMenuHelper helper;
    QImage image(100, 30, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    IconMenuItem item{-1, 5, QStringLiteral("Item")};
    SDrawItem request;
    request.pDC = &painter;
    request.rcItem = QRect(0, 0, 100, 21);
    request.nCtlType = ODT_MENU + 1;
    request.pItemData = &item;
    EXPECT_FALSE(helper.DrawItem(&request));
    request.nCtlType = ODT_MENU;
    request.pItemData = nullptr;
    EXPECT_TRUE(helper.DrawItem(&request));
    painter.end();
    EXPECT_EQ(image.pixelColor(50, 10), QColor(Qt::red));
}

} // namespace
