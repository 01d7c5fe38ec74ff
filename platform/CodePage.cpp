#include "platform/CodePage.h"

#include <bit>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace {

struct SKnownPage {
    const char* pszKey; // upper case, without '-', '_' and blanks
    const char* pszName;
    CCodePage::Kind kind;
};

// Windows code pages and their usual names. Windows' 936 serves for GB2312 text as well, so
// that name maps onto it; 949 likewise for EUC-KR.
constexpr SKnownPage g_knownPages[] = {
    {"UTF8", "UTF-8", CCodePage::Kind::Utf8},
    {"CP65001", "UTF-8", CCodePage::Kind::Utf8},
    {"CP936", "CP936", CCodePage::Kind::DoubleByte},
    {"936", "CP936", CCodePage::Kind::DoubleByte},
    {"MS936", "CP936", CCodePage::Kind::DoubleByte},
    {"WINDOWS936", "CP936", CCodePage::Kind::DoubleByte},
    {"GBK", "CP936", CCodePage::Kind::DoubleByte},
    {"GB2312", "CP936", CCodePage::Kind::DoubleByte},
    {"EUCCN", "CP936", CCodePage::Kind::DoubleByte},
    {"GB18030", "GB18030", CCodePage::Kind::DoubleByte},
    {"CP54936", "GB18030", CCodePage::Kind::DoubleByte},
    {"CP950", "CP950", CCodePage::Kind::DoubleByte},
    {"950", "CP950", CCodePage::Kind::DoubleByte},
    {"BIG5", "CP950", CCodePage::Kind::DoubleByte},
    {"BIG5HKSCS", "BIG5-HKSCS", CCodePage::Kind::DoubleByte},
    {"CP932", "CP932", CCodePage::Kind::DoubleByte},
    {"932", "CP932", CCodePage::Kind::DoubleByte},
    {"SHIFTJIS", "CP932", CCodePage::Kind::DoubleByte},
    {"SJIS", "CP932", CCodePage::Kind::DoubleByte},
    {"MSKANJI", "CP932", CCodePage::Kind::DoubleByte},
    {"WINDOWS31J", "CP932", CCodePage::Kind::DoubleByte},
    {"CP949", "CP949", CCodePage::Kind::DoubleByte},
    {"949", "CP949", CCodePage::Kind::DoubleByte},
    {"UHC", "CP949", CCodePage::Kind::DoubleByte},
    {"EUCKR", "CP949", CCodePage::Kind::DoubleByte},
    {"KSC56011987", "CP949", CCodePage::Kind::DoubleByte},
    {"CP1252", "CP1252", CCodePage::Kind::SingleByte},
    {"1252", "CP1252", CCodePage::Kind::SingleByte},
    {"WINDOWS1252", "CP1252", CCodePage::Kind::SingleByte},
};

std::string LookupKey(std::string_view name) {
    std::string key;
    for (char c : name) {
        if (c == '-' || c == '_' || c == ' ')
            continue;
        key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return key;
}

const char* Utf16Name() {
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

// Owns one iconv descriptor.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv() {
        if (IsOpen())
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;
    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// A code page iconv knows but we do not list: accepted only when it is an 8-bit superset of
// ASCII in which every byte stands alone.
bool IsPlainSingleBytePage(const std::string& name) {
    CIconv conv(Utf16Name(), name.c_str());
    if (!conv.IsOpen())
        return false;
    for (int b = 1; b < 256; ++b) {
        char in = static_cast<char>(b);
        char16_t outBuf[4] = {};
        char* pIn = &in;
        size_t nIn = 1;
        char* pOut = reinterpret_cast<char*>(outBuf);
        size_t nOut = sizeof(outBuf);
        iconv(conv.Get(), nullptr, nullptr, nullptr, nullptr);
        const size_t r = iconv(conv.Get(), &pIn, &nIn, &pOut, &nOut);
        if (r == static_cast<size_t>(-1)) {
            if (errno != EILSEQ || b < 0x80)
                return false; // incomplete: a multi-byte page; or ASCII is not itself
            continue;
        }
        if (b < 0x80 && (nOut != sizeof(outBuf) - 2 || outBuf[0] != b))
            return false;
    }
    return true;
}

// Runs conv over in, appending to out; on a sequence it cannot convert it appends
// replacement and skips skipBytes input bytes. Returns false if anything was replaced.
bool Convert(iconv_t cd, const char* in, size_t nIn, std::string& out, std::string_view replacement,
             size_t skipBytes) {
    bool bOk = true;
    char buf[1024];
    char* pIn = const_cast<char*>(in);
    while (true) {
        char* pOut = buf;
        size_t nOut = sizeof(buf);
        const size_t r =
            nIn ? iconv(cd, &pIn, &nIn, &pOut, &nOut) : iconv(cd, nullptr, nullptr, &pOut, &nOut);
        out.append(buf, static_cast<size_t>(pOut - buf));
        if (r != static_cast<size_t>(-1)) {
            if (nIn == 0)
                return bOk;
            continue;
        }
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (incomplete at the end): mark it and go on after it.
        bOk = false;
        out.append(replacement);
        const size_t n = skipBytes < nIn ? skipBytes : nIn;
        pIn += n;
        nIn -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (nIn == 0)
            return false;
    }
}

} // namespace

CCodePage::CCodePage() = default;

bool CCodePage::FromName(std::string_view name, CCodePage& out) {
    const std::string key = LookupKey(name);
    if (key.empty())
        return false;
    for (const SKnownPage& page : g_knownPages) {
        if (key != page.pszKey)
            continue;
        CCodePage cp;
        cp.m_strName = page.pszName;
        cp.m_kind = page.kind;
        if (cp.m_strName == "CP932") { // Shift_JIS: half-width katakana stand alone
            cp.m_cLeadLast = 0xFC;
            cp.m_cGapFirst = 0xA0;
            cp.m_cGapLast = 0xDF;
        }
        out = cp;
        return true;
    }
    std::string upper;
    for (char c : name)
        upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (!IsPlainSingleBytePage(upper))
        return false;
    CCodePage cp;
    cp.m_strName = upper;
    cp.m_kind = Kind::SingleByte;
    out = cp;
    return true;
}

CCodePage CCodePage::FromLocale(std::string_view locale) {
    CCodePage cp;
    if (locale.empty() || locale == "C" || locale == "POSIX")
        return cp;
    const size_t dot = locale.find('.');
    std::string_view codeset;
    if (dot != std::string_view::npos) {
        codeset = locale.substr(dot + 1);
        codeset = codeset.substr(0, codeset.find('@'));
    }
    std::string implied;
    if (codeset.empty()) {
        // "zh_CN" and the like: the code set the installed locale implies, if any.
        const std::string strLocale(locale);
        locale_t loc = newlocale(LC_CTYPE_MASK, strLocale.c_str(), static_cast<locale_t>(0));
        if (loc == static_cast<locale_t>(0))
            return cp;
        implied = nl_langinfo_l(CODESET, loc);
        freelocale(loc);
        codeset = implied;
    }
    if (LookupKey(codeset) == "ANSIX3.41968") // glibc's name for plain ASCII
        return cp;
    FromName(codeset, cp);
    return cp;
}

CCodePage CCodePage::System() {
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return FromLocale(value);
    }
    return CCodePage();
}

size_t CCodePage::Utf8SequenceLength(const char* p, const char* end) {
    const size_t want = Utf8LeadLength(static_cast<unsigned char>(*p));
    size_t n = 1;
    while (n < want && p + n < end && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

bool CCodePage::ToUnicode(std::string_view bytes, std::u16string& out) const {
    out.clear();
    CIconv conv(Utf16Name(), m_strName.c_str());
    if (!conv.IsOpen())
        return false;
    std::string raw;
    const char16_t replacement = u'\uFFFD';
    const bool bOk = Convert(conv.Get(), bytes.data(), bytes.size(), raw,
                             std::string_view(reinterpret_cast<const char*>(&replacement), 2), 1);
    out.assign(reinterpret_cast<const char16_t*>(raw.data()), raw.size() / 2);
    return bOk;
}

bool CCodePage::FromUnicode(std::u16string_view text, std::string& out) const {
    out.clear();
    CIconv conv(m_strName.c_str(), Utf16Name());
    if (!conv.IsOpen())
        return false;
    // A character that does not encode is one UTF-16 unit, or two for a surrogate pair.
    bool bOk = true;
    const char16_t* p = text.data();
    const char16_t* end = p + text.size();
    while (p < end) {
        const char16_t* stop = p;
        while (stop < end && !IsHighSurrogate(*stop) && !IsLowSurrogate(*stop))
            ++stop;
        if (stop > p && !Convert(conv.Get(), reinterpret_cast<const char*>(p),
                                 static_cast<size_t>(stop - p) * 2, out, "?", 2))
            bOk = false;
        p = stop;
        if (p == end)
            break;
        const bool bPair = p + 1 < end && IsHighSurrogate(*p) && IsLowSurrogate(p[1]);
        const size_t n = bPair ? 2 : 1;
        if (!Convert(conv.Get(), reinterpret_cast<const char*>(p), n * 2, out, "?", n * 2))
            bOk = false;
        p += n;
    }
    return bOk;
}
