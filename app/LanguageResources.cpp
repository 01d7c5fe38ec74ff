#include "app/LanguageResources.h"

namespace {
constexpr CLanguageResources kLanguages[] = {
    {128, 131, 133, "versewright_enu.chm", 0},
    {140, 143, 146, "versewright_chs.chm", 1},
    {141, 144, 147, "versewright_cht.chm", 2},
    {142, 145, 148, "versewright_xby.chm", 3},
};
} // namespace

const CLanguageResources& GetLanguageResources(int nLanguage) {
    if (nLanguage < 0 || nLanguage > 3)
        nLanguage = 0;
    return kLanguages[nLanguage];
}
