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

constexpr std::string_view UTF16LE_BOM = "\xFF\xFE";
constexpr std::string_view UTF16BE_BOM = "\xFE\xFF";

// The UTF-16 text after the mark; false for an odd length or a surrogate without its partner,
// which no editor text could give back.
bool DecodeUtf16(std::string_view bytes, bool bBigEndian, std::u16string& out) {
    if (bytes.size() % 2 != 0)
        return false;
    out.resize(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(bBigEndian ? b0 << 8 | b1 : b1 << 8 | b0);
    }
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsHighSurrogate(out[i]) && i + 1 < out.size() && IsLowSurrogate(out[i + 1]))
            ++i;
        else if (IsHighSurrogate(out[i]) || IsLowSurrogate(out[i]))
            return false;
    }
    return true;
}

TextLoadResult LoadUtf16Text(std::string_view fileBytes, TextFileEncoding encoding,
                             CLoadedText& out) {
    std::u16string units;
    if (!DecodeUtf16(fileBytes.substr(2), encoding == TextFileEncoding::Utf16Be, units))
        return TextLoadResult::BadUtf16;
    if (units.find(u'\0') != std::u16string::npos)
        return TextLoadResult::ZeroByte;
    const CCodePage utf8;
    std::string bytes;
    if (!utf8.FromUnicode(units, bytes))
        return TextLoadResult::BadUtf16;
    NormaliseLoadedText(utf8, bytes, out.strBytes);
    utf8.ToUnicode(out.strBytes, out.strUnicode);
    out.codePage = utf8;
    out.encoding = encoding;
    out.bBom = true;
    return out.strBytes.size() > LYRICS_MAX_TEXT ? TextLoadResult::TooLarge : TextLoadResult::Ok;
}

} // namespace

TextLoadResult LoadLyricsText(std::string_view fileBytes, int nUiLanguage, CLoadedText& out) {
    if (fileBytes.size() > PLAIN_FILE_MAX_SIZE)
        return TextLoadResult::TooLarge;
    if (fileBytes.starts_with(UTF16LE_BOM))
        return LoadUtf16Text(fileBytes, TextFileEncoding::Utf16Le, out);
    if (fileBytes.starts_with(UTF16BE_BOM))
        return LoadUtf16Text(fileBytes, TextFileEncoding::Utf16Be, out);
    out.encoding = TextFileEncoding::CodePage;
    if (fileBytes.find('\0') != std::string_view::npos)
        return TextLoadResult::ZeroByte;
    out.bBom = HasUtf8Bom(fileBytes);
    const std::string_view text = out.bBom ? fileBytes.substr(UTF8_BOM.size()) : fileBytes;
    bool bFound = false;
    for (const CCodePage& cp : CodePageCandidates(text, out.bBom, nUiLanguage))
        if ((bFound = TryCodePage(cp, text, out)))
            break;
    if (!bFound) // cannot happen: the last candidate takes every byte
        return TextLoadResult::ZeroByte;
    if (out.strBytes.size() > LYRICS_MAX_TEXT)
        return TextLoadResult::TooLarge;
    return TextLoadResult::Ok;
}

std::string CodePageLabel(const CCodePage& cp, bool bBom, TextFileEncoding encoding) {
    if (encoding != TextFileEncoding::CodePage)
        return encoding == TextFileEncoding::Utf16Le ? "UTF-16 LE BOM" : "UTF-16 BE BOM";
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

bool EncodeTextFile(TextFileEncoding encoding, const CCodePage& cp, bool bBom,
                    std::u16string_view text, std::string& out, std::u16string* pUnfit) {
    if (encoding == TextFileEncoding::CodePage)
        return EncodeLyricsText(cp, bBom, text, out, pUnfit);
    const bool bBigEndian = encoding == TextFileEncoding::Utf16Be;
    out.assign(bBigEndian ? UTF16BE_BOM : UTF16LE_BOM);
    out.reserve(2 + 2 * text.size());
    for (const char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bBigEndian ? hi : lo;
        out += bBigEndian ? lo : hi;
    }
    return true;
}
