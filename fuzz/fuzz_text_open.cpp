// Fuzzes opening a plain-text lyrics file: code-page detection, line-end normalising and
// decoding. An accepted text must fit the editor, have CR LF line ends only, come out the same
// when normalised again (unless a dropped lone CR joined the bytes of a tag), and save back to
// exactly the bytes the editor was given.

#include <string_view>

#include "doc/TextFile.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int nUiLanguage = data[0] & 3;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    CLoadedText loaded;
    if (LoadLyricsText(bytes, nUiLanguage, loaded) != TextLoadResult::Ok)
        return 0;
    const std::string& text = loaded.strBytes;
    if (text.size() > LYRICS_MAX_TEXT)
        std::abort();
    const char* const end = text.data() + text.size();
    for (size_t i = 0; i < text.size(); i += loaded.codePage.CharLength(&text[i], end)) {
        const bool bCr = text[i] == '\r', bLf = text[i] == '\n';
        if ((bCr && (i + 1 == text.size() || text[i + 1] != '\n')) ||
            (bLf && (i == 0 || text[i - 1] != '\r')))
            std::abort();
    }
    bool bLoneCr = false;
    for (size_t i = 0; i < bytes.size(); ++i)
        bLoneCr |= bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
    std::string again;
    NormaliseLoadedText(loaded.codePage, text, again);
    if (!bLoneCr && again != text)
        std::abort();
    std::string saved;
    if (!EncodeLyricsText(loaded.codePage, loaded.bBom, loaded.strUnicode, saved) ||
        std::string_view(saved).substr(loaded.bBom ? 3 : 0) != text)
        std::abort();
    CodePageLabel(loaded.codePage, loaded.bBom);
    return 0;
}
