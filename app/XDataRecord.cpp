#include "app/XDataRecord.h"

#include <cstring>
#include <initializer_list>

namespace {
class CWriter {
public:
    explicit CWriter(uint8_t* p) : m_p(p) {}
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            *m_p++ = static_cast<uint8_t>(v >> (8 * i));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void U8(uint8_t v) { *m_p++ = v; }
    void Bytes(const void* p, size_t n) {
        std::memcpy(m_p, p, n);
        m_p += n;
    }

private:
    uint8_t* m_p;
};

class CReader {
public:
    explicit CReader(const uint8_t* p) : m_p(p) {}
    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(*m_p++) << (8 * i);
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint8_t U8() { return *m_p++; }
    void Bytes(void* p, size_t n) {
        std::memcpy(p, m_p, n);
        m_p += n;
    }

private:
    const uint8_t* m_p;
};
} // namespace

void EncodeXData(const XDataRecord& r, uint8_t (&out)[XDATA_SIZE]) {
    CWriter w(out);
    const LogFontA& f = r.font;
    w.I32(f.lfHeight);
    w.I32(f.lfWidth);
    w.I32(f.lfEscapement);
    w.I32(f.lfOrientation);
    w.I32(f.lfWeight);
    for (uint8_t b : {f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision,
                      f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily})
        w.U8(b);
    w.Bytes(f.lfFaceName, LF_FACESIZE);
    const WindowPlacement& p = r.placement;
    w.U32(p.length);
    w.U32(p.flags);
    w.U32(p.showCmd);
    for (int32_t v : {p.ptMinPositionX, p.ptMinPositionY, p.ptMaxPositionX, p.ptMaxPositionY,
                      p.rcNormalLeft, p.rcNormalTop, p.rcNormalRight, p.rcNormalBottom})
        w.I32(v);
    w.I32(r.timeFormat);
    w.U32(r.textColor);
    w.U32(r.backColor);
    w.I32(r.volume);
}

bool DecodeXData(const uint8_t* pData, size_t size, XDataRecord& record) {
    if (!pData || size != XDATA_SIZE)
        return false;
    XDataRecord r;
    CReader in(pData);
    LogFontA& f = r.font;
    f.lfHeight = in.I32();
    f.lfWidth = in.I32();
    f.lfEscapement = in.I32();
    f.lfOrientation = in.I32();
    f.lfWeight = in.I32();
    for (uint8_t* b : {&f.lfItalic, &f.lfUnderline, &f.lfStrikeOut, &f.lfCharSet, &f.lfOutPrecision,
                       &f.lfClipPrecision, &f.lfQuality, &f.lfPitchAndFamily})
        *b = in.U8();
    in.Bytes(f.lfFaceName, LF_FACESIZE);
    f.lfFaceName[LF_FACESIZE - 1] = '\0'; // a stored name may lack its terminator
    WindowPlacement& p = r.placement;
    p.length = in.U32();
    p.flags = in.U32();
    p.showCmd = in.U32();
    for (int32_t* v : {&p.ptMinPositionX, &p.ptMinPositionY, &p.ptMaxPositionX, &p.ptMaxPositionY,
                       &p.rcNormalLeft, &p.rcNormalTop, &p.rcNormalRight, &p.rcNormalBottom})
        *v = in.I32();
    r.timeFormat = in.I32();
    r.textColor = in.U32();
    r.backColor = in.U32();
    r.volume = in.I32();
    record = r;
    return true;
}
