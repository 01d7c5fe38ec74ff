#pragma once
// The 8-bit code page a lyrics text is kept in: how far one character reaches,
// and conversion to and from Unicode (iconv).

#include <cstddef>
#include <string>
#include <string_view>

// The two halves of a UTF-16 surrogate pair.
constexpr bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

class CCodePage {
public:
    enum class Kind {
        SingleByte, // every byte stands alone (Windows-1252 and the like)
        DoubleByte, // a lead byte is taken with the byte after it (GBK, Big5, ...)
        Utf8        // a lead byte is taken with its continuation bytes
    };

    CCodePage(); // UTF-8
    // Accepts iconv names and Windows aliases ("CP936", "GBK", "BIG5", "CP950", "SHIFT_JIS",
    // "CP932", "CP949", "WINDOWS-1252", "CP1252", "GB18030", "UTF-8", ...), any letter case.
    // Unknown names give false.
    static bool FromName(std::string_view name, CCodePage& out);
    // The system's code page: the character set of the locale (LC_ALL, LC_CTYPE, LANG).
    static CCodePage System();
    // The code set named by a locale string such as "zh_CN.GBK@euro"; UTF-8 for "C", "POSIX",
    // an empty string and code sets we do not know.
    static CCodePage FromLocale(std::string_view locale);

    const std::string& Name() const { return m_strName; }
    Kind GetKind() const { return m_kind; }

    // True if c starts a two-byte character (double-byte code pages only).
    bool IsLeadByte(unsigned char c) const {
        return m_kind == Kind::DoubleByte && c >= m_cLeadFirst && c <= m_cLeadLast &&
               !(c >= m_cGapFirst && c <= m_cGapLast);
    }

    // Bytes taken by the character that starts at p; at least 1, never past end.
    size_t CharLength(const char* p, const char* end) const {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x80 || m_kind == Kind::SingleByte)
            return 1;
        size_t n = 1;
        if (m_kind == Kind::Utf8)
            n = Utf8SequenceLength(p, end);
        else if (IsLeadByte(c))
            n = 2;
        const size_t left = static_cast<size_t>(end - p);
        return n < left ? n : left;
    }
    // The same for a zero-terminated text: never steps over the terminator.
    size_t CharLength(const char* p) const {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x80 || m_kind == Kind::SingleByte)
            return 1;
        if (m_kind == Kind::DoubleByte)
            return IsLeadByte(c) && p[1] != '\0' ? 2 : 1;
        const size_t want = Utf8LeadLength(c);
        size_t n = 1;
        while (n < want && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80)
            ++n;
        return n;
    }

    // Whether the ASCII byte at p stands as a character of its own in a text whose character
    // boundaries are known at start (start <= p). Stepping backwards is enough here: a byte that
    // cannot lead always ends a character, so the count of lead bytes just before p decides.
    bool StartsChar(const char* start, const char* p) const {
        if (m_kind != Kind::DoubleByte)
            return true; // UTF-8 never uses ASCII bytes inside a sequence
        size_t nLeads = 0;
        while (p > start && IsLeadByte(static_cast<unsigned char>(p[-1]))) {
            --p;
            ++nLeads;
        }
        return nLeads % 2 == 0;
    }

    // Conversion; false when the input is not valid in this code page (ToUnicode) or holds a
    // character this code page cannot hold (FromUnicode). The output is filled as far as possible
    // either way: U+FFFD for a byte that does not decode, '?' for a character that does not encode.
    bool ToUnicode(std::string_view bytes, std::u16string& out) const;
    bool FromUnicode(std::u16string_view text, std::string& out) const;

    bool operator==(const CCodePage& o) const { return m_strName == o.m_strName; }

private:
    static size_t Utf8LeadLength(unsigned char c) {
        return c >= 0xF8 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    }
    static size_t Utf8SequenceLength(const char* p, const char* end);

    std::string m_strName = "UTF-8"; // canonical iconv name
    Kind m_kind = Kind::Utf8;
    // Lead bytes of a double-byte code page: [m_cLeadFirst, m_cLeadLast] without the gap.
    unsigned char m_cLeadFirst = 0x81;
    unsigned char m_cLeadLast = 0xFE;
    unsigned char m_cGapFirst = 1; // empty gap
    unsigned char m_cGapLast = 0;
};
