#include "doc/TextFile.h"

#include <set>

#include "doc/CodePageDetect.h"
#include "doc/LrcText.h"

void NormaliseLoadedText(const CCodePage& cp, std::string_view in, std::string& out) {
    out.clear();
    out.reserve(in.size() + in.size() / 16 + 16);
    const char* const start = in.data();
    const char* const end = start + in.size();
    // Just past the next ']' at or after p; bounds each shape test to the group it looks at, so
    // a text full of unclosed brackets still takes one pass.
    const char* closeEnd = start;
    for (const char* p = start; p < end;) {
        const size_t n = cp.CharLength(p, end);
        if (n > 1) {
            out.append(p, n);
            p += n;
            continue;
        }
        const char c = *p;
        if (c == '\r') {
            ++p;
            continue;
        }
        if (c == '\n') {
            out += "\r\n";
            ++p;
            continue;
        }
        if (c == '[' && !IsTagPosition(cp, start, p + 1)) {
            if (closeEnd != nullptr && closeEnd <= p)
                closeEnd = ScanForChar(cp, p + 1, end, ']');
            if (closeEnd != nullptr && IsTimeTagShape(cp, p + 1, closeEnd))
                out += "\r\n";
        }
        out += c;
        ++p;
    }
}

namespace {

// The normalised text in cp, when the text decodes in cp and encodes back to the same bytes.
bool TryCodePage(const CCodePage& cp, std::string_view text, CLoadedText& out) {
    NormaliseLoadedText(cp, text, out.strBytes);
    if (!cp.ToUnicode(out.strBytes, out.strUnicode))
        return false;
    std::string back;
    if (!cp.FromUnicode(out.strUnicode, back) || back != out.strBytes)
        return false;
    out.codePage = cp;
    return true;
}

} // namespace

TextLoadResult LoadLyricsText(std::string_view fileBytes, int nUiLanguage, CLoadedText& out) {
    if (fileBytes.size() > PLAIN_FILE_MAX_SIZE)
        return TextLoadResult::TooLarge;
    if (fileBytes.find('\0') != std::string_view::npos)
        return TextLoadResult::NotText;
    out.bBom = HasUtf8Bom(fileBytes);
    const std::string_view text = out.bBom ? fileBytes.substr(UTF8_BOM.size()) : fileBytes;
    bool bFound = false;
    for (const CCodePage& cp : CodePageCandidates(text, out.bBom, nUiLanguage))
        if ((bFound = TryCodePage(cp, text, out)))
            break;
    if (!bFound)
        return TextLoadResult::NotText;
    if (out.strBytes.size() > LYRICS_MAX_TEXT)
        return TextLoadResult::TooLarge;
    return TextLoadResult::Ok;
}

std::string CodePageLabel(const CCodePage& cp, bool bBom) {
    static constexpr struct {
        std::string_view name, label;
    } kLabels[] = {{"CP936", "GBK"},
                   {"CP950", "Big5"},
                   {"CP932", "Shift_JIS"},
                   {"CP1252", "Windows-1252"},
                   {"CP949", "Windows-949"}};
    std::string label = cp.Name();
    for (const auto& known : kLabels)
        if (known.name == label)
            label = known.label;
    if (bBom)
        label += " BOM";
    return label;
}

namespace {

// Length of the character (one or two UTF-16 units) at i.
size_t UnitsAt(std::u16string_view text, size_t i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
        return 2;
    return 1;
}

void CollectUnfit(const CCodePage& cp, std::u16string_view text, std::u16string& unfit) {
    std::set<std::u16string_view> tested;
    std::string bytes;
    for (size_t i = 0; i < text.size();) {
        const size_t n = UnitsAt(text, i);
        const std::u16string_view ch = text.substr(i, n);
        i += n;
        if (ch[0] < 0x80 || !tested.insert(ch).second)
            continue;
        if (!cp.FromUnicode(ch, bytes))
            unfit += ch;
    }
}

} // namespace

bool EncodeLyricsText(const CCodePage& cp, bool bBom, std::u16string_view text, std::string& out,
                      std::u16string* pUnfit) {
    std::string body;
    if (!cp.FromUnicode(text, body)) {
        out.clear();
        if (pUnfit != nullptr) {
            pUnfit->clear();
            CollectUnfit(cp, text, *pUnfit);
        }
        return false;
    }
    out.clear();
    out.reserve(body.size() + UTF8_BOM.size());
    if (bBom)
        out += UTF8_BOM;
    out += body;
    return true;
}
