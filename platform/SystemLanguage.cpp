#include "platform/SystemLanguage.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
struct LocaleId {
    const char* pszName; // language, or language_TERRITORY
    uint16_t nLangId;
};

// Territory-specific ids first; a language alone gives its default sublanguage.
constexpr LocaleId kLocales[] = {
    {"zh_TW", 0x0404}, {"zh_CN", 0x0804}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404},
    {"zh", 0x0804},    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_GT", 0x100A}, {"es_CR", 0x140A},
    {"es_PA", 0x180A}, {"es_DO", 0x1C0A}, {"es_VE", 0x200A}, {"es_CO", 0x240A}, {"es_PE", 0x280A},
    {"es_AR", 0x2C0A}, {"es_EC", 0x300A}, {"es_CL", 0x340A}, {"es_UY", 0x380A}, {"es_PY", 0x3C0A},
    {"es_BO", 0x400A}, {"es_SV", 0x440A}, {"es_HN", 0x480A}, {"es_NI", 0x4C0A}, {"es_PR", 0x500A},
    {"es_US", 0x540A}, {"es", 0x0C0A},    {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009},
    {"en", 0x0409},    {"de", 0x0407},    {"fr", 0x040C},    {"it", 0x0410},    {"ja", 0x0411},
    {"ko", 0x0412},    {"nl", 0x0413},    {"pt_BR", 0x0416}, {"pt", 0x0816},    {"ru", 0x0419},
    {"pl", 0x0415},    {"sv", 0x041D},    {"tr", 0x041F},
};
} // namespace

uint16_t LangIdFromLocaleName(const char* pszLocale) {
    if (!pszLocale)
        return 0x0409;
    // "ll_TT.charset@modifier": only language and territory count.
    std::string name(pszLocale, std::strcspn(pszLocale, ".@"));
    const std::string language = name.substr(0, name.find('_'));
    for (const LocaleId& entry : kLocales)
        if (name == entry.pszName)
            return entry.nLangId;
    for (const LocaleId& entry : kLocales)
        if (language == entry.pszName)
            return entry.nLangId;
    return 0x0409;
}

uint16_t GetSystemDefaultLangID() {
    for (const char* pszVar : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* pszValue = std::getenv(pszVar);
        if (pszValue && *pszValue)
            return LangIdFromLocaleName(pszValue);
    }
    return 0x0409;
}

UiLanguage UiLanguageFromLangId(uint16_t nLangId) {
    switch (nLangId) {
    case 0x0404: // Chinese, Taiwan
    case 0x0C04: // Chinese, Hong Kong
        return LangChineseTraditional;
    case 0x0804: // Chinese, PRC
    case 0x1004: // Chinese, Singapore
        return LangChineseSimplified;
    case 0x040A: // Spanish, traditional sort
    case 0x080A: // Spanish, Mexico
    case 0x0C0A: // Spanish, modern sort
    case 0x240A: // Spanish, Colombia
        return LangSpanish;
    default:
        return LangEnglish;
    }
}

UiLanguage GetUiLanguage() {
    return UiLanguageFromLangId(GetSystemDefaultLangID());
}
