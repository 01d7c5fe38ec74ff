#include "app/LanguageResources.h"

namespace {
constexpr CLanguageResources kLanguages[] = {
    {128, 131, 133, "versewright_enu.html", 0},
    {140, 143, 146, "versewright_chs.html", 1},
    {141, 144, 147, "versewright_cht.html", 2},
    {142, 145, 148, "versewright_xby.html", 3},
};
} // namespace

const CLanguageResources& GetLanguageResources(int nLanguage) {
    if (nLanguage < 0 || nLanguage > 3)
        nLanguage = 0;
    return kLanguages[nLanguage];
}
