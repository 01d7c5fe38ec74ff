#pragma once
// The 8-bit code page a lyrics text is kept in: how far one character reaches,
// and conversion to and from Unicode (iconv).

#include <cstddef>
#include <string>
#include <string_view>

class CCodePage {
public:
    enum class Kind {
        SingleByte, // every byte stands alone (Windows-1252 and the like)
        DoubleByte, // a byte of 0x80 or more is taken with the byte after it (GBK, Big5, ...)
        Utf8        // a lead byte is taken with its continuation bytes
    };

    CCodePage(); // UTF-8
    // Accepts iconv names and Windows aliases ("CP936", "GBK", "BIG5", "CP950", "SHIFT_JIS",
    // "CP932", "CP949", "WINDOWS-1252", "CP1252", "GB18030", "UTF-8", ...), any letter case.
    // Unknown names give false.
    static bool FromName(std::string_view name, CCodePage& out);
    // The system's code page: the character set of the locale (LC_ALL, LC_CTYPE, LANG).
    static CCodePage System();

    const std::string& Name() const { return m_strName; }
    Kind GetKind() const { return m_kind; }

    // Bytes taken by the character that starts at p; at least 1, never past end.
    size_t CharLength(const char* p, const char* end) const {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x80 || m_kind == Kind::SingleByte)
            return 1;
        size_t n = 2;
        if (m_kind == Kind::Utf8)
            n = Utf8SequenceLength(p, end);
        const size_t left = static_cast<size_t>(end - p);
        return n < left ? n : left;
    }
    // The same for a zero-terminated text: never steps over the terminator.
    size_t CharLength(const char* p) const {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x80 || m_kind == Kind::SingleByte)
            return 1;
        if (m_kind == Kind::DoubleByte)
            return p[1] == '\0' ? 1 : 2;
        size_t n = 1;
        while (n < 4 && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80)
            ++n;
        return n;
    }

    // Conversion; false when the input is not valid in this code page (ToUnicode) or holds a
    // character this code page cannot hold (FromUnicode). The output is filled as far as possible
    // either way.
    bool ToUnicode(std::string_view bytes, std::u16string& out) const;
    bool FromUnicode(std::u16string_view text, std::string& out) const;

    bool operator==(const CCodePage& o) const { return m_strName == o.m_strName; }

private:
    static size_t Utf8SequenceLength(const char* p, const char* end);

    std::string m_strName = "UTF-8"; // canonical iconv name
    Kind m_kind = Kind::Utf8;
};
