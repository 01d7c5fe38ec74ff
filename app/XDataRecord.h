#pragma once
// The 120-byte settings record "XDATA": view font, window placement, time-tag format, colours and
// volume, little-endian and without padding, as the program has always stored it.

#include <cstddef>
#include <cstdint>

constexpr size_t XDATA_SIZE = 120;
constexpr size_t LF_FACESIZE = 32;

struct LogFontA {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {}; // NUL-terminated, in the system's code page
};

// Show commands kept in the placement.
enum : uint32_t {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_SHOWMINNOACTIVE = 7,
    SW_FORCEMINIMIZE = 11,
};
constexpr uint32_t WPF_RESTORETOMAXIMIZED = 2;

struct WindowPlacement {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = SW_SHOWNORMAL;
    int32_t ptMinPositionX = 0;
    int32_t ptMinPositionY = 0;
    int32_t ptMaxPositionX = 0;
    int32_t ptMaxPositionY = 0;
    int32_t rcNormalLeft = 0;
    int32_t rcNormalTop = 0;
    int32_t rcNormalRight = 0;
    int32_t rcNormalBottom = 0;
};

// Colours are 0x00BBGGRR.
using ColorRef = uint32_t;

struct XDataRecord {
    LogFontA font;
    WindowPlacement placement;
    int32_t timeFormat = 0;
    ColorRef textColor = 0x000000;
    ColorRef backColor = 0xFFFFFF;
    int32_t volume = 0;
};

// Byte image of the record.
void EncodeXData(const XDataRecord& record, uint8_t (&out)[XDATA_SIZE]);
// Reads a stored image; false (record untouched) unless size is exactly XDATA_SIZE.
bool DecodeXData(const uint8_t* pData, size_t size, XDataRecord& record);
