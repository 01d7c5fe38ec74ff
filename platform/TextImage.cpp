#include "platform/TextImage.h"

#include <algorithm>
#include <cstdint>

namespace {

// Appends text as UTF-8, each '\n' as CR LF, noting where each new line starts. A surrogate
// without its partner is no character and becomes U+FFFD; false when there was one.
bool AppendUtf8(std::u16string_view text, std::string& out, std::vector<size_t>* pLineStarts) {
    bool bWhole = true;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c == u'\n') {
            out += "\r\n";
            if (pLineStarts)
                pLineStarts->push_back(out.size());
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
            bWhole = false;
        }
        if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return bWhole;
}

// What AppendUtf8 would append.
size_t Utf8Size(std::u16string_view text) {
    size_t n = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n')
            n += 2;
        else if (c < 0x80)
            n += 1;
        else if (c < 0x800)
            n += 2;
        else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            n += 4;
            ++i;
        } else
            n += 3;
    }
    return n;
}

// text in cp, each '\n' as CR LF; false when some character does not fit.
bool EncodeLines(const CCodePage& cp, std::u16string_view text, std::string& out) {
    out.clear();
    if (cp.GetKind() == CCodePage::Kind::Utf8)
        return AppendUtf8(text, out, nullptr);
    std::u16string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (char16_t c : text) {
        if (c == u'\n')
            lines += u'\r';
        lines += c;
    }
    return cp.FromUnicode(lines, out);
}

template <class Text> bool IsAscii(const Text& text) {
    return std::all_of(text.begin(), text.end(),
                       [](auto c) { return static_cast<uint32_t>(c) < 0x80; });
}

} // namespace

CTextImage::CTextImage() : CTextImage(CCodePage(), std::u16string()) {}

CTextImage::CTextImage(const CCodePage& docPage, std::u16string text)
    : m_docPage(docPage), m_page(docPage), m_text(std::move(text)) {
    m_lineUnits.push_back(0);
    for (size_t i = 0; i < m_text.size(); ++i)
        if (m_text[i] == u'\n')
            m_lineUnits.push_back(i + 1);
    if (docPage.GetKind() != CCodePage::Kind::Utf8 && EncodeLines(docPage, m_text, m_bytes)) {
        // Lines are found with the page's own stepping: a trail byte is never a CR or an LF.
        m_lineBytes.push_back(0);
        const char* const start = m_bytes.data();
        const char* const end = start + m_bytes.size();
        for (const char* p = start; p < end;) {
            if (p[0] == '\r' && p + 1 < end && p[1] == '\n') {
                p += 2;
                m_lineBytes.push_back(static_cast<size_t>(p - start));
                continue;
            }
            p += docPage.CharLength(p, end);
        }
        if (m_lineBytes.size() == m_lineUnits.size())
            return;
        m_lineBytes.clear(); // a page whose bytes break lines of their own: not usable here
    }
    m_page = CCodePage();
    m_bytes.clear();
    m_lineBytes.assign(1, 0);
    m_bDocPage =
        AppendUtf8(m_text, m_bytes, &m_lineBytes) && docPage.GetKind() == CCodePage::Kind::Utf8;
}

int CTextImage::LineOfByte(size_t nByte) const {
    return static_cast<int>(std::upper_bound(m_lineBytes.begin(), m_lineBytes.end(), nByte) -
                            m_lineBytes.begin()) -
           1;
}

int CTextImage::LineOfPosition(size_t nPos) const {
    return static_cast<int>(std::upper_bound(m_lineUnits.begin(), m_lineUnits.end(), nPos) -
                            m_lineUnits.begin()) -
           1;
}

size_t CTextImage::LineStartByte(int nLine) const {
    return m_lineBytes[static_cast<size_t>(std::clamp(nLine, 0, LineCount() - 1))];
}

size_t CTextImage::LineEndByte(int nLine) const {
    nLine = std::clamp(nLine, 0, LineCount() - 1);
    return nLine + 1 < LineCount() ? m_lineBytes[static_cast<size_t>(nLine) + 1] - 2
                                   : m_bytes.size();
}

size_t CTextImage::SnapPosition(size_t nPos) const {
    nPos = std::min(nPos, m_text.size());
    if (nPos > 0 && nPos < m_text.size() && IsLowSurrogate(m_text[nPos]) &&
        IsHighSurrogate(m_text[nPos - 1]))
        --nPos;
    return nPos;
}

size_t CTextImage::ByteOfPosition(size_t nPos) const {
    nPos = SnapPosition(nPos);
    const int nLine = LineOfPosition(nPos);
    const size_t nStart = m_lineUnits[static_cast<size_t>(nLine)];
    const std::u16string_view prefix(m_text.data() + nStart, nPos - nStart);
    size_t nBytes = prefix.size();
    if (IsAscii(prefix)) {
    } else if (m_page.GetKind() == CCodePage::Kind::Utf8) {
        nBytes = Utf8Size(prefix);
    } else {
        std::string bytes;
        m_page.FromUnicode(prefix, bytes);
        nBytes = bytes.size();
    }
    return m_lineBytes[static_cast<size_t>(nLine)] + nBytes;
}

size_t CTextImage::PositionOfByte(size_t nByte) const {
    nByte = std::min(nByte, m_bytes.size());
    const int nLine = LineOfByte(nByte);
    const char* const start = m_bytes.data() + m_lineBytes[static_cast<size_t>(nLine)];
    const char* const end = m_bytes.data() + LineEndByte(nLine);
    const char* const target = std::min(m_bytes.data() + nByte, end);
    // Step whole characters up to the target; one that reaches past it holds it.
    const bool bUtf8 = m_page.GetKind() == CCodePage::Kind::Utf8;
    const char* p = start;
    size_t nUnits = 0;
    while (p < target) {
        const size_t n = m_page.CharLength(p, end);
        if (p + n > target)
            break;
        nUnits += bUtf8 && static_cast<unsigned char>(*p) >= 0xF0 ? 2 : 1;
        p += n;
    }
    const std::string_view prefix(start, static_cast<size_t>(p - start));
    if (!bUtf8 && !IsAscii(prefix)) {
        std::u16string wide;
        m_page.ToUnicode(prefix, wide);
        nUnits = wide.size();
    }
    return m_lineUnits[static_cast<size_t>(nLine)] + nUnits;
}

std::u16string CTextImage::Decode(std::string_view bytes) const {
    std::u16string text;
    m_page.ToUnicode(bytes, text);
    size_t nOut = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n'))
            text[nOut++] = text[i];
    text.resize(nOut);
    return text;
}

size_t CTextImage::SizeAfterReplacing(size_t nFrom, size_t nTo, std::u16string_view text) const {
    if (nFrom > nTo)
        std::swap(nFrom, nTo);
    nFrom = SnapPosition(nFrom);
    nTo = SnapPosition(nTo);
    const std::u16string_view head = std::u16string_view(m_text).substr(0, nFrom);
    const std::u16string_view tail = std::u16string_view(m_text).substr(nTo);
    std::string piece;
    if (m_bDocPage) {
        if (EncodeLines(m_docPage, text, piece)) {
            const size_t nRemoved = nFrom == nTo ? 0 : ByteOfPosition(nTo) - ByteOfPosition(nFrom);
            return m_bytes.size() - nRemoved + piece.size();
        }
    } else {
        // What did not fit may all lie in the part replaced.
        std::string bytes;
        if (EncodeLines(m_docPage, text, piece) && EncodeLines(m_docPage, head, bytes)) {
            const size_t nHead = bytes.size();
            if (EncodeLines(m_docPage, tail, bytes))
                return nHead + piece.size() + bytes.size();
        }
    }
    return Utf8Size(head) + Utf8Size(text) + Utf8Size(tail);
}
