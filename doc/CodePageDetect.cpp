#include "doc/CodePageDetect.h"

#include <uchardet/uchardet.h>

#include "platform/SystemLanguage.h"

#include <algorithm>
#include <memory>

bool HasUtf8Bom(std::string_view bytes) {
    return bytes.substr(0, UTF8_BOM.size()) == UTF8_BOM;
}

bool IsStrictUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        size_t n;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            n = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            else if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            if (c == 0xF0)
                lo = 0x90; // overlong
            else if (c == 0xF4)
                hi = 0x8F; // past U+10FFFF
        } else {
            return false;
        }
        if (static_cast<size_t>(end - p) < n || p[1] < lo || p[1] > hi)
            return false;
        for (size_t i = 2; i < n; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += n;
    }
    return true;
}

CCodePage LegacyCodePage(int nUiLanguage) {
    const char* name = "WINDOWS-1252";
    if (nUiLanguage == LangChineseSimplified)
        name = "GB18030";
    else if (nUiLanguage == LangChineseTraditional)
        name = "BIG5";
    CCodePage cp;
    CCodePage::FromName(name, cp);
    return cp;
}

namespace {

struct CDetectorDeleter {
    void operator()(uchardet_t ud) const { uchardet_delete(ud); }
};

} // namespace

bool GuessCodePage(std::string_view bytes, CCodePage& out) {
    std::unique_ptr<struct uchardet, CDetectorDeleter> detector(uchardet_new());
    if (!detector)
        return false;
    if (uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return false;
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    // FromName knows only code pages whose characters the lead-byte rule can step through.
    if (name == nullptr || *name == '\0')
        return false;
    return CCodePage::FromName(name, out);
}

std::vector<CCodePage> CodePageCandidates(std::string_view text, bool bBom, int nUiLanguage) {
    std::vector<CCodePage> candidates;
    auto add = [&candidates](const CCodePage& cp) {
        if (std::find(candidates.begin(), candidates.end(), cp) == candidates.end())
            candidates.push_back(cp);
    };
    const bool bUtf8 = IsStrictUtf8(text);
    if (bBom || bUtf8)
        add(CCodePage());
    CCodePage guessed;
    if (!bUtf8 && GuessCodePage(text, guessed)) // valid UTF-8 needs no guess
        add(guessed);
    add(LegacyCodePage(nUiLanguage));
    CCodePage latin1;
    if (CCodePage::FromName("ISO-8859-1", latin1))
        add(latin1);
    return candidates;
}
