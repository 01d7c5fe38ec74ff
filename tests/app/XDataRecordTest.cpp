// The settings record's byte layout.
#include <gtest/gtest.h>

#include <cstring>

#include "app/XDataRecord.h"

namespace {
uint32_t U32At(const uint8_t* p, size_t offset) {
    return static_cast<uint32_t>(p[offset]) | static_cast<uint32_t>(p[offset + 1]) << 8 |
           static_cast<uint32_t>(p[offset + 2]) << 16 | static_cast<uint32_t>(p[offset + 3]) << 24;
}

XDataRecord Sample() {
    XDataRecord r;
    r.font.lfHeight = -16;
    r.font.lfWidth = 7;
    r.font.lfEscapement = 1;
    r.font.lfOrientation = 2;
    r.font.lfWeight = 700;
    r.font.lfItalic = 1;
    r.font.lfUnderline = 0;
    r.font.lfStrikeOut = 1;
    r.font.lfCharSet = 134;
    r.font.lfOutPrecision = 3;
    r.font.lfClipPrecision = 2;
    r.font.lfQuality = 1;
    r.font.lfPitchAndFamily = 0x31;
    std::strcpy(r.font.lfFaceName, "Courier New");
    r.placement.flags = 2;
    r.placement.showCmd = 3;
    r.placement.ptMinPositionX = -1;
    r.placement.ptMinPositionY = -2;
    r.placement.ptMaxPositionX = -3;
    r.placement.ptMaxPositionY = -4;
    r.placement.rcNormalLeft = 10;
    r.placement.rcNormalTop = 20;
    r.placement.rcNormalRight = 810;
    r.placement.rcNormalBottom = 620;
    r.timeFormat = 1;
    r.textColor = 0x00112233;
    r.backColor = 0x00FFEEDD;
    r.volume = -2000;
    return r;
}

TEST(XDataRecord, FieldsStandAtTheirOffsetsLittleEndian) {
    uint8_t image[XDATA_SIZE];
    EncodeXData(Sample(), image);
    struct {
        size_t offset;
        uint32_t value;
    } const words[] = {
        {0, static_cast<uint32_t>(-16)},
        {4, 7},
        {8, 1},
        {12, 2},
        {16, 700},
        {60, 44},
        {64, 2},
        {68, 3},
        {72, static_cast<uint32_t>(-1)},
        {84, static_cast<uint32_t>(-4)},
        {88, 10},
        {92, 20},
        {96, 810},
        {100, 620},
        {104, 1},
        {108, 0x00112233},
        {112, 0x00FFEEDD},
        {116, static_cast<uint32_t>(-2000)},
    };
    for (const auto& w : words)
        EXPECT_EQ(U32At(image, w.offset), w.value) << "offset " << w.offset;
    const uint8_t bytes[] = {1, 0, 1, 134, 3, 2, 1, 0x31};
    EXPECT_EQ(std::memcmp(image + 20, bytes, sizeof bytes), 0);
    EXPECT_EQ(std::memcmp(image + 28, "Courier New\0", 12), 0);
    EXPECT_EQ(image[59], 0);
}

TEST(XDataRecord, RoundTripAndWrongSizes) {
    uint8_t image[XDATA_SIZE];
    EncodeXData(Sample(), image);
    XDataRecord back;
    ASSERT_TRUE(DecodeXData(image, XDATA_SIZE, back));
    uint8_t again[XDATA_SIZE];
    EncodeXData(back, again);
    EXPECT_EQ(std::memcmp(image, again, XDATA_SIZE), 0);

    for (size_t size : {size_t{0}, size_t{119}, size_t{121}}) {
        XDataRecord untouched;
        untouched.volume = 77;
        EXPECT_FALSE(DecodeXData(image, size, untouched)) << size;
        EXPECT_EQ(untouched.volume, 77);
    }
    EXPECT_FALSE(DecodeXData(nullptr, XDATA_SIZE, back));
}

TEST(XDataRecord, FaceNameWithoutTerminatorIsCutInside) {
    uint8_t image[XDATA_SIZE];
    EncodeXData(Sample(), image);
    std::memset(image + 28, 'A', LF_FACESIZE);
    XDataRecord back;
    ASSERT_TRUE(DecodeXData(image, XDATA_SIZE, back));
    EXPECT_EQ(std::strlen(back.font.lfFaceName), LF_FACESIZE - 1);
}
} // namespace
